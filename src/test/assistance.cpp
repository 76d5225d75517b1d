#include "test/assistance.h"

#include "test/testsession.h"

#include <algorithm>

QString MaskedRest(const QString &target, int typedLength)
{
    const qsizetype from = std::clamp<qsizetype>(typedLength, 0, target.size());
    QString mask;
    mask.reserve(target.size() - from);
    for (qsizetype i = from; i < target.size(); ++i) {
        const QChar c = target.at(i);
        mask += (c == QLatin1Char(' ') || c == QLatin1Char('?')) ? c : QLatin1Char('#');
    }
    return mask;
}

qint16 AssistancePenalty(const QString &target)
{
    return static_cast<qint16>(std::min<qsizetype>(target.size(), 32767) / 2);
}

AssistanceResult Assistance(TestSession &session, const QString &target)
{
    if (session.TypedLength > target.size())
        session.TypedLength = static_cast<qint16>(target.size());
    const int shown = std::max<int>(0, session.TypedLength);

    AssistanceResult result;
    result.AssistMask = MaskedRest(target, shown);
    result.Hint = target.left(shown) + result.AssistMask;
    result.Penalty = AssistancePenalty(target);
    session.AddToScore(-result.Penalty);
    session.LastPenalty = result.Penalty;
    return result;
}
