#include "test/scoring.h"

#include "test/testsession.h"

#include <algorithm>

qint16 TargetTimeFor(const QString &expectedAnswer)
{
    const qsizetype length = std::min<qsizetype>(expectedAnswer.size(), 32767);
    return static_cast<qint16>(std::max<qsizetype>(10, length));
}

qint16 TickPenalty(int elapsedSeconds, int targetTime)
{
    if (targetTime <= 0 || elapsedSeconds <= 0)
        return 0;
    return static_cast<qint16>(elapsedSeconds / targetTime);
}

AnswerTick AnswerClockTick(TestSession &session, const QString &expectedAnswer)
{
    session.ElapsedSeconds = SaturatingAdd(session.ElapsedSeconds, 1);
    AnswerTick tick;
    const int elapsed = session.ElapsedSeconds;
    tick.TooSlow = elapsed > kFixedAnswerSeconds;
    tick.ShowAssistance = session.ErrorFlag == 1 && elapsed > kFixedAnswerSeconds;
    tick.TargetTime = TargetTimeFor(expectedAnswer);
    session.TargetTime = tick.TargetTime;
    tick.Penalty = TickPenalty(elapsed, tick.TargetTime);
    session.AddToScore(-tick.Penalty);
    session.LastPenalty = tick.Penalty;
    tick.Beep = elapsed > tick.TargetTime;
    return tick;
}

bool SuccessClockTick(TestSession &session)
{
    session.SuccessTicks = SaturatingAdd(session.SuccessTicks, 1);
    return session.SuccessTicks > 5;
}

bool BlinkTick(TestSession &session)
{
    // The count wraps instead of saturating so the two pictures keep
    // alternating however long an item stays on screen.
    session.BlinkCount = static_cast<qint16>((session.BlinkCount + 1) & 0x7fff);
    return session.BlinkCount % 2 == 0;
}

QString ScoreText(qint16 score)
{
    return QString::number(score);
}
