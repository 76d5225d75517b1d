#pragma once
// The two directions of a test and what tells them apart: which field of an
// item is asked and which is typed, which text box holds which, and the
// captions and labels that the test windows show.

#include <QString>

struct VocabItem;

enum class TestDirection {
    ToEnglish,   // window Form3: my language shown, English typed
    FromEnglish, // window Form2: English shown, my language typed
};

// The fixed points of one direction.
struct DirectionPoints {
    QString WindowName;        // objectName of the test window
    QString QuestionBox;       // objectName of the text box that shows the question
    QString AnswerBox;         // objectName of the text box that is typed into
    int QuestionColumn;        // ItemTable column of the question side
    int AnswerColumn;          // ItemTable column of the answer side
    QString TargetTimeCaption; // window caption from the first tick on, before TT
    QString Label2;            // the fixed direction line
};

const DirectionPoints &Points(TestDirection direction);

// The item's field that is shown as the question, and the one that is typed.
const QString &QuestionField(const VocabItem &item, TestDirection direction);
const QString &AnswerField(const VocabItem &item, TestDirection direction);

// The window caption while an item is asked, e.g.
// "    Test to English ... (Target Time= 14)".
QString TargetTimeCaption(TestDirection direction, int targetTime);

// The texts that depend on the user's language; codes 1 to 4 are Italian,
// French, German and Spanish, any other code is "my language".
struct LanguageTexts {
    QString Caption; // window caption when the window opens
    QString Label3;  // the language line
};

LanguageTexts TextsForLanguage(TestDirection direction, qint16 languageCode);

// Names of the country pictures for a language code: the flag that the
// FromEnglish window shows as its background, and its window icon.
QString FlagPictureName(qint16 languageCode);
QString IconPictureName(qint16 languageCode);
