#pragma once
// The clocks of a test window as plain rules: the target time of an answer,
// the points that each second of the answer clock takes, and the success and
// blink clocks. The window only shows what these return.

#include <QString>
#include <QtGlobal>

struct TestSession;

// The seconds after which the start button reads "Too slow!" and after which
// Assistance may be offered; fixed, whatever the target time.
constexpr int kFixedAnswerSeconds = 10;

// TT: the answer's number of characters, but at least 10 seconds.
qint16 TargetTimeFor(const QString &expectedAnswer);

// The points that the tick at elapsedSeconds takes: the whole number of
// target times elapsed.
qint16 TickPenalty(int elapsedSeconds, int targetTime);

// What one tick of the answer clock asks the window to do.
struct AnswerTick {
    qint16 TargetTime = 10;    // for the caption "... (Target Time= TT)"
    qint16 Penalty = 0;        // points taken by this tick
    bool TooSlow = false;      // more than 10 s: "Too slow!" while the caption is "Translate..."
    bool ShowAssistance = false; // Assistance offered; otherwise it and the hint are hidden
    bool Beep = false;         // past the target time: one beep
};

// One second of the answer clock for the expected answer aimed at: counts the
// second, takes the penalty from the score (saturating) and keeps it as the
// last penalty.
AnswerTick AnswerClockTick(TestSession &session, const QString &expectedAnswer);

// One second of the success clock; true when it has run more than 5 ticks, so
// the caption becomes "So what?" and the clock stops.
bool SuccessClockTick(TestSession &session);

// One half-second of the blink; true when ImHai shows (even count), false when
// ImOhi shows.
bool BlinkTick(TestSession &session);

// The score as labpunti shows it: plain decimal, a minus sign when negative.
QString ScoreText(qint16 score);
