#include "test/direction.h"

#include "vocab/vocabstore.h"

const DirectionPoints &Points(TestDirection direction)
{
    static const DirectionPoints toEnglish{
        QStringLiteral("Form3"),
        QStringLiteral("Textit"),
        QStringLiteral("Textin"),
        ItemTable::MyLanguageColumn,
        ItemTable::EnglishColumn,
        QStringLiteral("    Test to English ... (Target Time= "),
        QStringLiteral("T O   E N G L I S H"),
    };
    static const DirectionPoints fromEnglish{
        QStringLiteral("Form2"),
        QStringLiteral("Textin"),
        QStringLiteral("Textit"),
        ItemTable::EnglishColumn,
        ItemTable::MyLanguageColumn,
        QStringLiteral("    Test from English ... (Target Time= "),
        QStringLiteral("F R O M     E N G L I S H"),
    };
    return direction == TestDirection::ToEnglish ? toEnglish : fromEnglish;
}

const QString &QuestionField(const VocabItem &item, TestDirection direction)
{
    return direction == TestDirection::ToEnglish ? item.MyLanguage : item.English;
}

const QString &AnswerField(const VocabItem &item, TestDirection direction)
{
    return direction == TestDirection::ToEnglish ? item.English : item.MyLanguage;
}

QString TargetTimeCaption(TestDirection direction, int targetTime)
{
    return Points(direction).TargetTimeCaption + QString::number(targetTime) + QLatin1Char(')');
}

namespace {

struct LanguageRow {
    const char *toEnglishCaption;
    const char *toEnglishLabel3;
    const char *fromEnglishCaption;
    const char *fromEnglishLabel3;
    const char *flag;
    const char *icon;
};

// Rows 0..3 for codes 1..4; row 4 for every other code.
constexpr LanguageRow kLanguageRows[] = {
    {"   Test from Italian to English", "F R O M    I T A L I A N",
     "   Test from English to Italian", "T O   I T A L I A N", "banItaly", "icoItaly"},
    {"   Test from French to English", "F R O M    F R E N C H",
     "   Test from English to French", "T O   F R E N C H", "banFrance", "icoFrance"},
    {"   Test from German to English", "F R O M    G E R M A N",
     "   Test from English to German", "T O   G E R M A N", "banGermany", "icoGermany"},
    {"   Test from Spanish to English", "F R O M    S P A N I S H",
     "   Test from English to Spanish", "T O   S P A N I S H", "banSpain", "icoSpain"},
    {"   Test from My Lamguage to English", "F R O M    M Y    L A N G U A G E",
     "   Test from English to My Language", "T O   M Y   L A N G U A G E", "banOthers",
     "icoOthers"},
};

const LanguageRow &RowFor(qint16 languageCode)
{
    return (languageCode >= 1 && languageCode <= 4) ? kLanguageRows[languageCode - 1]
                                                    : kLanguageRows[4];
}

} // namespace

LanguageTexts TextsForLanguage(TestDirection direction, qint16 languageCode)
{
    const LanguageRow &row = RowFor(languageCode);
    if (direction == TestDirection::ToEnglish)
        return {QString::fromLatin1(row.toEnglishCaption), QString::fromLatin1(row.toEnglishLabel3)};
    return {QString::fromLatin1(row.fromEnglishCaption), QString::fromLatin1(row.fromEnglishLabel3)};
}

QString FlagPictureName(qint16 languageCode)
{
    return QString::fromLatin1(RowFor(languageCode).flag);
}

QString IconPictureName(qint16 languageCode)
{
    return QString::fromLatin1(RowFor(languageCode).icon);
}
