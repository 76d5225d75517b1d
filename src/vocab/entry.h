#pragma once
// The syntax of an entry (the English or my-language text of an item): a main
// text, optionally followed by one blank and either alternatives in
// parentheses, separated by ", ", or a free tail in square brackets.

#include <QString>
#include <QStringList>

// Brings an entry into its normal form (one blank before the opening bracket,
// none inside the brackets, nothing after the closing one, ", " between
// alternatives). An entry without an opening bracket after its first
// character is returned unchanged.
QString NormaliseEntry(const QString &text);

// Codes that CheckBrackets returns for an entry whose first character (after
// trimming) is a bracket: such an entry would have no main text to ask for.
// Bracket sums never reach 100, so these cannot be mistaken for one.
constexpr qint16 EnglishLeadingBracket = 200;
constexpr qint16 MyLanguageLeadingBracket = 400;

// 0 when both entries use their brackets correctly; otherwise the sum of the
// bracket codes of the first entry that fails. The English entry adds 1 for
// "(", 10 for ")", 2 for "[", 20 for "]" and passes with 0, 11 or 22; the
// my-language entry adds 4, 40, 8 and 80 and passes with 0, 44 or 88. Only the
// presence of each bracket counts. An entry that passes its sum but begins
// with a bracket gives EnglishLeadingBracket or MyLanguageLeadingBracket.
qint16 CheckBrackets(const QString &english, const QString &myLanguage);

// True when the entry is settled: NormaliseEntry gives it back unchanged and
// it passes its half of CheckBrackets (as English or as my language). Found
// in one pass, so that a reader can skip both for such entries; false says
// only that they have to run.
bool IsSettledEntry(QStringView entry);

// Splits a trimmed entry into its parts: the main text, then each alternative
// inside the parentheses. An entry without parentheses has one part. There is
// no upper bound on the number of alternatives.
QStringList ParseEntry(const QString &text);

// The answer part of an entry: the text before the blank that precedes its
// first bracket; the whole text when it has no bracket.
QString MainText(const QString &text);
