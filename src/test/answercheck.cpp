#include "test/answercheck.h"

#include "test/itempool.h"
#include "test/testsession.h"
#include "vocab/vocabstore.h"

#include <algorithm>

namespace {

constexpr int kExactAnswerBeeps = 40;

bool IsBeginningOf(const QString &text, const QString &target)
{
    // A text longer than the target is never a beginning of it.
    return target.startsWith(text, Qt::CaseSensitive);
}

} // namespace

void AnswerChecker::StartItem(const QString &target, bool shownCritical)
{
    Target = target;
    ChosenTarget = target;
    AcceptedAnswers.clear();
    PreviousText.clear();
    Answered = false;
    ShownCritical = shownCritical;
}

CheckOutcome AnswerChecker::CheckAnswer(const QString &text, TestSession &session,
                                        ItemPool &pool, VocabStore &store, bool soundsOn)
{
    CheckOutcome outcome;
    session.TypedLength = static_cast<qint16>(std::min<qsizetype>(text.size(), 32767));
    session.ErrorFlag = 0;

    // The first accepted answer, in list order, that the text begins becomes
    // the target; when none fits, the one chosen before stays.
    Target = ChosenTarget;
    for (const QString &accepted : std::as_const(AcceptedAnswers)) {
        if (IsBeginningOf(text, accepted)) {
            Target = accepted;
            ChosenTarget = accepted;
            break;
        }
    }

    if (!IsBeginningOf(text, Target)) {
        outcome.Red = true;
        session.ErrorFlag = 1;
        outcome.PlayAlert = soundsOn && text.size() > PreviousText.size();
    }
    PreviousText = text;

    // An empty target is never answered: otherwise an item whose expected
    // answer is empty would count as answered by an empty box.
    if (Answered || Target.isEmpty() || CutTrailingBlanks(text) != Target)
        return outcome;

    // The item is answered.
    Answered = true;
    outcome.Answered = true;
    outcome.Beeps = kExactAnswerBeeps;
    session.CountDone();
    pool.PendingItem = 0;
    session.SuccessTicks = 0;

    const int n = pool.CurrentItem;
    if (store.IsValidPosition(n)) {
        // An item answered late (or right after Assistance) becomes critical;
        // a critical one answered in time stops being critical. Marks other
        // than "c" and " " are left alone.
        if (store.Item(n).CriticalMark == QLatin1String(" ") && !ShownCritical
            && session.LastPenalty > 0) {
            pool.MarkCritical(store);
            outcome.Mark = CheckOutcome::MarkChange::Marked;
        }
        if (store.Item(n).CriticalMark == QLatin1String("c") && session.LastPenalty == 0) {
            pool.UnmarkCritical(store);
            if (store.Item(n).CriticalMark != QLatin1String("c"))
                outcome.Mark = CheckOutcome::MarkChange::Unmarked;
        }
    }

    session.AddToScore(int(std::min<qsizetype>(Target.size(), 32767)));
    session.LastPenalty = 0;
    outcome.Counters = CountersText(session, pool);
    outcome.ShowSynonyms = AcceptedCount() > 1;
    return outcome;
}

QString CountersText(const TestSession &session, const ItemPool &pool)
{
    return QStringLiteral("Done =") + QString::number(session.DoneCount)
        + QStringLiteral(" Criticals =") + QString::number(pool.CurrentCriticals());
}

QString CutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}
