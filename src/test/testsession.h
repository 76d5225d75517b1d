#pragma once
// The values of a run of tests that both test windows share and that outlive
// them: the score, the count of exact answers, the start time, and the clocks
// of the item being asked.

#include <QTime>
#include <QtGlobal>
#include <algorithm>

// Adds to a 16-bit counter, stopping at the bounds instead of wrapping.
inline qint16 SaturatingAdd(qint16 value, int delta)
{
    const int sum = int(value) + delta;
    return static_cast<qint16>(std::clamp(sum, -32768, 32767));
}

struct TestSession {
    qint16 Score = 0;
    qint16 DoneCount = 0;
    QTime SessionStart;
    qint16 ElapsedSeconds = 0;
    qint16 TargetTime = 10;
    qint16 LastPenalty = 0;
    qint16 ErrorFlag = 0;
    qint16 TypedLength = 0;
    qint16 SuccessTicks = 0;
    qint16 BlinkCount = 0;

    void AddToScore(int delta) { Score = SaturatingAdd(Score, delta); }
    void CountDone() { DoneCount = SaturatingAdd(DoneCount, 1); }
};
