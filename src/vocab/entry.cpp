#include "vocab/entry.h"

#include <QStringView>

// The algorithms below are written on 0-based indices; "none" is -1.

QString NormaliseEntry(const QString &text)
{
    // The opening bracket: the first "(", or when there is none the first "[".
    qsizetype p = text.indexOf(u'(');
    if (p < 0)
        p = text.indexOf(u'[');
    // No opening bracket, or one in the first position: nothing to rewrite.
    if (p <= 0)
        return text;

    const QChar open = text.at(p);
    QString s = QStringView(text).left(p).trimmed().toString();
    s += u' ';
    s += open;
    s += QStringView(text).mid(p + 1).trimmed();

    // The closing bracket ends the entry; whatever followed it is dropped.
    qsizetype q = s.indexOf(u')');
    if (q < 0)
        q = s.indexOf(u']');
    if (q >= 1) {
        const QChar close = s.at(q);
        s = QStringView(s).left(q).trimmed().toString() + close;
    }

    // Commas: no blank before, one blank after. The search goes on after the
    // place where the comma stood before its rewrite, so every pass moves on.
    qsizetype k = 0;
    for (;;) {
        const qsizetype c = s.indexOf(u',', k);
        if (c < 1)
            break;
        QString rebuilt = QStringView(s).left(c).trimmed().toString();
        rebuilt += u", ";
        rebuilt += QStringView(s).mid(c + 1).trimmed();
        s = std::move(rebuilt);
        k = c + 1;
    }
    return s;
}

namespace {

bool StartsWithBracket(const QString &entry)
{
    const QStringView t = QStringView(entry).trimmed();
    if (t.isEmpty())
        return false;
    const QChar first = t.front();
    return first == u'(' || first == u')' || first == u'[' || first == u']';
}

// The sum of the codes of the bracket characters that the entry contains.
int BracketSum(const QString &entry, int open, int close, int openSquare, int closeSquare)
{
    bool hasOpen = false, hasClose = false, hasOpenSquare = false, hasCloseSquare = false;
    for (const QChar ch : entry) {
        switch (ch.unicode()) {
        case u'(': hasOpen = true; break;
        case u')': hasClose = true; break;
        case u'[': hasOpenSquare = true; break;
        case u']': hasCloseSquare = true; break;
        default: break;
        }
    }
    return (hasOpen ? open : 0) + (hasClose ? close : 0) + (hasOpenSquare ? openSquare : 0)
        + (hasCloseSquare ? closeSquare : 0);
}

} // namespace

qint16 CheckBrackets(const QString &english, const QString &myLanguage)
{
    const int englishSum = BracketSum(english, 1, 10, 2, 20);
    if (englishSum != 0 && englishSum != 11 && englishSum != 22)
        return static_cast<qint16>(englishSum);
    if (StartsWithBracket(english))
        return EnglishLeadingBracket;

    const int mySum = BracketSum(myLanguage, 4, 40, 8, 80);
    if (mySum != 0 && mySum != 44 && mySum != 88)
        return static_cast<qint16>(mySum);
    if (StartsWithBracket(myLanguage))
        return MyLanguageLeadingBracket;
    return 0;
}

QStringList ParseEntry(const QString &text)
{
    const QString t = text.trimmed();
    const qsizetype p = t.indexOf(u'(');
    if (p < 0)
        return {t};

    QStringList parts;
    // The main text stands before the blank that precedes the bracket.
    parts.append(QStringView(t).left(qMax<qsizetype>(p - 1, 0)).trimmed().toString());

    const qsizetype length = t.size();
    qsizetype s = p + 1;
    qsizetype e = t.indexOf(u')');
    if (e < 0)
        e = length;
    do {
        qsizetype c = t.indexOf(u',', s);
        if (c < 0)
            c = e;
        // A closing bracket before the start (as in "a )b(") leaves no end
        // to stop at: the last alternative then runs to the end of the text.
        if (c < s)
            c = length;
        parts.append(QStringView(t).mid(s, c - s).trimmed().toString());
        s = c + 1;
    } while (s < length - 1);
    return parts;
}

QString MainText(const QString &text)
{
    qsizetype p = text.indexOf(u'(');
    if (p < 0)
        p = text.indexOf(u'[');
    if (p < 0)
        return text;
    return text.left(qMax<qsizetype>(p - 1, 0));
}
