#pragma once
// The syntax of an entry (the English or my-language text of an item): a main
// text, optionally followed by one blank and either alternatives in
// parentheses, separated by ", ", or a free tail in square brackets.

#include <QString>
#include <QStringList>
#include <QtAlgorithms>

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
// it passes its half of CheckBrackets (as English or as my language). False
// says only that they have to run (so for entries of more than 64
// characters).
bool IsSettledEntry(QStringView entry);

// The same for an entry of n characters (at most 64) whose character i is
// text(i) and is white space when space(i), and whose brackets and commas
// stand where `marks` has its bits set: a reader that has found them while
// decoding needs no other look at the entry.
template <typename Text, typename Space>
bool IsSettledEntry(quint64 marks, qsizetype n, Text text, Space space)
{
    qsizetype open = -1, close = -1, openSquare = -1, closeSquare = -1;
    bool commasSettled = true;
    for (; marks; marks &= marks - 1) {
        const qsizetype i = qCountTrailingZeroBits(marks);
        switch (text(i)) {
        case u'(': if (open < 0) open = i; break;
        case u')': if (close < 0) close = i; break;
        case u'[': if (openSquare < 0) openSquare = i; break;
        case u']': if (closeSquare < 0) closeSquare = i; break;
        default:
            // A comma as the rewrite leaves it: no white space before it, one
            // blank after it, then no more white space.
            if (i == 0 || space(i - 1) || i + 2 >= n || text(i + 1) != u' ' || space(i + 2))
                commasSettled = false;
            break;
        }
    }
    // Without an opening bracket the rewrite leaves the entry alone, and
    // without any bracket it passes the check.
    const bool parentheses = open >= 0 || close >= 0;
    const bool squares = openSquare >= 0 || closeSquare >= 0;
    if (!parentheses && !squares)
        return true;
    // The check: only "(" with ")", or only "[" with "]", and no bracket first.
    if ((open >= 0) != (close >= 0) || (openSquare >= 0) != (closeSquare >= 0)
        || (parentheses && squares))
        return false;
    qsizetype first = 0;
    while (space(first))
        ++first;
    const char16_t c = text(first);
    if (c == u'(' || c == u')' || c == u'[' || c == u']')
        return false;
    // Normal form: one blank before the opening bracket, no white space at
    // either end, or after the opening bracket, or before the closing one,
    // which ends the entry.
    const qsizetype p = open >= 0 ? open : openSquare;
    const qsizetype q = close >= 0 ? close : closeSquare;
    return commasSettled && p >= 2 && text(p - 1) == u' ' && !space(p - 2) && !space(0)
        && !space(n - 1) && !(p + 1 < n && space(p + 1)) && q == n - 1 && !space(q - 1);
}

// Splits a trimmed entry into its parts: the main text, then each alternative
// inside the parentheses. An entry without parentheses has one part. There is
// no upper bound on the number of alternatives.
QStringList ParseEntry(const QString &text);

// The answer part of an entry: the text before the blank that precedes its
// first bracket; the whole text when it has no bracket.
QString MainText(const QString &text);
