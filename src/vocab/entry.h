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

// 0 when both entries use their brackets correctly; otherwise the sum of the
// bracket codes of the first entry that fails.
qint16 CheckBrackets(const QString &english, const QString &myLanguage);

// Splits a trimmed entry into its parts: the main text, then each alternative
// inside the parentheses. An entry without parentheses has one part.
QStringList ParseEntry(const QString &text);

// The answer part of an entry: the text before the blank that precedes its
// first bracket; the whole text when it has no bracket.
QString MainText(const QString &text);
