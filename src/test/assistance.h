#pragma once
// Assistance: a hint that shows as many characters of the expected answer as
// the user has typed and the shape of the rest, at the price of half the
// answer's length.

#include <QString>
#include <QtGlobal>

struct TestSession;

struct AssistanceResult {
    QString AssistMask; // the masked rest of the answer
    QString Hint;       // the text of the hint box aiuto
    qint16 Penalty = 0; // points taken by this call
};

// The rest of the target after its first typedLength characters, with every
// character other than a blank or "?" replaced by "#".
QString MaskedRest(const QString &target, int typedLength);

// The price of one call: the whole part of half the target's length.
qint16 AssistancePenalty(const QString &target);

// One click of the Assistance button: lowers the typed length to the
// target's length, builds the hint, takes the price from the score
// (saturating) and keeps it as the last penalty. Each call takes it again.
AssistanceResult Assistance(TestSession &session, const QString &target);
