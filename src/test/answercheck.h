#pragma once
// The judging of a typed answer, keystroke by keystroke: the text must be the
// beginning of an accepted answer, and the item is answered as soon as the
// whole text, trailing blanks cut, equals one. An exact answer scores, counts,
// moves the item's critical mark and ends the item.
//
// The checker decides and changes the session, the pool and the store; the
// test window only carries out what the returned outcome asks of its
// controls (colour, sounds, captions, labels, message).

#include <QString>
#include <QStringList>

class ItemPool;
class VocabStore;
struct TestSession;

// What a change of the answer box asks the window to do.
struct CheckOutcome {
    enum class MarkChange { None, Marked, Unmarked };

    bool Red = false;       // text colour: red for a wrong beginning, black otherwise
    bool PlayAlert = false; // play "alert.wav": wrong beginning, a character added, sounds on
    bool Answered = false;  // this change answered the item exactly
    // Only when Answered:
    int Beeps = 0;                       // 40 system beeps
    MarkChange Mark = MarkChange::None;  // how the item's critical mark moved
    QString Counters;                    // the new text of Label4
    bool ShowSynonyms = false;           // more than one accepted answer
};

class AnswerChecker {
public:
    QString Target;             // the accepted answer the typing is compared with
    QString ChosenTarget;       // the accepted answer chosen last
    QStringList AcceptedAnswers; // own parts and synonyms' answers, in order; grows as needed
    QString PreviousText;       // the answer box before the last change
    // Set once the item shown last has been answered exactly (and before any
    // item is shown): further changes are judged for their colour only and
    // never count again.
    bool Answered = true;
    // The item was critical when it was shown (its blink clock runs); such an
    // item is never marked again, only unmarked.
    bool ShownCritical = false;

    // Starts a new item: its expected answer becomes the target, the accepted
    // answers are emptied (the synonyms search fills them) and the box is
    // taken as empty.
    void StartItem(const QString &target, bool shownCritical);

    int AcceptedCount() const { return int(AcceptedAnswers.size()); }

    // Judges the answer box text after a change (typed, pasted, or made by
    // the program). soundsOn is the main window's sound switch.
    CheckOutcome CheckAnswer(const QString &text, TestSession &session, ItemPool &pool,
                             VocabStore &store, bool soundsOn);
};

// The counters line: "Done =" DoneCount " Criticals =" the run's criticals,
// e.g. "Done =12 Criticals =5".
QString CountersText(const TestSession &session, const ItemPool &pool);

// The text with its trailing blanks removed.
QString CutTrailingBlanks(const QString &text);
