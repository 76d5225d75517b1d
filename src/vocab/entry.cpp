#include "vocab/entry.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <QStringView>
#include <QVarLengthArray>
#include <utility>

// The algorithms below are written on 0-based indices; "none" is -1.

namespace {

// The working text of NormaliseEntry. Entries are short, so the two buffers
// stay on the stack, and an entry that is already in normal form (as every
// entry of a file written by Save is) costs no allocation at all.
using Buffer = QVarLengthArray<char16_t, 128>;

// The bounds of s[from, to) without the white space at both ends, as
// QString::trimmed() takes it away.
std::pair<qsizetype, qsizetype> Trimmed(const char16_t *s, qsizetype from, qsizetype to)
{
    while (from < to && QChar::isSpace(s[from]))
        ++from;
    while (to > from && QChar::isSpace(s[to - 1]))
        --to;
    return {from, to};
}

void AppendRange(Buffer &out, const char16_t *s, std::pair<qsizetype, qsizetype> range)
{
    out.append(s + range.first, range.second - range.first);
}

qsizetype IndexOf(const Buffer &s, char16_t ch, qsizetype from = 0)
{
    return QStringView(s.constData(), s.size()).indexOf(QChar(ch), from);
}

// Where the bracket characters first stand in an entry (-1: nowhere), and
// whether it holds a comma, found in one pass.
struct Marks {
    qsizetype openParen = -1, openSquare = -1, closeParen = -1, closeSquare = -1;
    bool comma = false;
};

Marks FindMarks(QStringView t)
{
    Marks m;
    const qsizetype n = t.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = t[i].unicode();
        // Letters lie above "]" and most punctuation below "(".
        if (c > u']' || c < u'(')
            continue;
        switch (c) {
        case u'(': if (m.openParen < 0) m.openParen = i; break;
        case u')': if (m.closeParen < 0) m.closeParen = i; break;
        case u'[': if (m.openSquare < 0) m.openSquare = i; break;
        case u']': if (m.closeSquare < 0) m.closeSquare = i; break;
        case u',': m.comma = true; break;
        default: break;
        }
    }
    return m;
}

// True when the rewrite below would give the entry back unchanged, as it
// does for an entry in normal form: one blank before the opening bracket at
// p, no white space at either end or after the opening bracket, the first
// closing bracket last with no white space before it, and every comma with no
// white space before it and exactly one blank after it. False means only
// that the rewrite has to run.
bool IsNormalForm(QStringView t, qsizetype p, const Marks &m)
{
    const qsizetype n = t.size();
    if (p < 2 || t[p - 1] != u' ' || t[p - 2].isSpace() || t[0].isSpace() || t[n - 1].isSpace())
        return false;
    if (p + 1 < n && t[p + 1].isSpace())
        return false;
    const qsizetype q = m.closeParen >= 0 ? m.closeParen : m.closeSquare;
    if (q >= 0 && (q != n - 1 || t[q - 1].isSpace()))
        return false;
    if (m.comma) {
        for (qsizetype c = t.indexOf(u','); c >= 0; c = t.indexOf(u',', c + 1)) {
            if (c == 0 || t[c - 1].isSpace() || c + 2 >= n || t[c + 1] != u' '
                || t[c + 2].isSpace())
                return false;
        }
    }
    return true;
}

} // namespace

QString NormaliseEntry(const QString &text)
{
    // The opening bracket: the first "(", or when there is none the first "[".
    const Marks marks = FindMarks(text);
    const qsizetype p = marks.openParen >= 0 ? marks.openParen : marks.openSquare;
    // No opening bracket, or one in the first position: nothing to rewrite.
    if (p <= 0)
        return text;
    if (IsNormalForm(text, p, marks))
        return text;

    const char16_t *t = reinterpret_cast<const char16_t *>(text.constData());
    Buffer buffers[2];
    int current = 0;
    Buffer *s = &buffers[0];
    // The trimmed text before the bracket, one blank, the bracket, the
    // trimmed text after it.
    AppendRange(*s, t, Trimmed(t, 0, p));
    s->append(u' ');
    s->append(t[p]);
    AppendRange(*s, t, Trimmed(t, p + 1, text.size()));

    // The closing bracket ends the entry; whatever followed it is dropped.
    qsizetype q = IndexOf(*s, u')');
    if (q < 0)
        q = IndexOf(*s, u']');
    if (q >= 1) {
        const char16_t close = s->at(q);
        Buffer &next = buffers[1 - current];
        next.clear();
        AppendRange(next, s->constData(), Trimmed(s->constData(), 0, q));
        next.append(close);
        current = 1 - current;
        s = &next;
    }

    // Commas: no blank before, one blank after. The search goes on after the
    // place where the comma stood before its rewrite, so every pass moves on.
    qsizetype k = 0;
    for (;;) {
        const qsizetype c = IndexOf(*s, u',', k);
        if (c < 1)
            break;
        Buffer &next = buffers[1 - current];
        next.clear();
        AppendRange(next, s->constData(), Trimmed(s->constData(), 0, c));
        next.append(u',');
        next.append(u' ');
        AppendRange(next, s->constData(), Trimmed(s->constData(), c + 1, s->size()));
        current = 1 - current;
        s = &next;
        k = c + 1;
    }

    const QStringView result(s->constData(), s->size());
    if (result == QStringView(text))
        return text;
    return result.toString();
}

namespace {

bool StartsWithBracket(QStringView entry)
{
    const QStringView t = entry.trimmed();
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
        const char16_t c = ch.unicode();
        // Letters lie above "]" and most punctuation below "(".
        if (c > u']' || c < u'(')
            continue;
        hasOpen |= c == u'(';
        hasClose |= c == u')';
        hasOpenSquare |= c == u'[';
        hasCloseSquare |= c == u']';
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

bool IsSettledEntry(QStringView t)
{
    const qsizetype n = t.size();
    if (n > 64)
        return false;
    quint64 marks = 0;
    qsizetype i = 0;
#ifdef __SSE2__
    // Eight characters at a time.
    const auto *data = reinterpret_cast<const char16_t *>(t.utf16());
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        const __m128i found = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16('(')),
                                      _mm_cmpeq_epi16(v, _mm_set1_epi16(')'))),
                         _mm_or_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16('[')),
                                      _mm_cmpeq_epi16(v, _mm_set1_epi16(']')))),
            _mm_cmpeq_epi16(v, _mm_set1_epi16(',')));
        marks |= quint64(unsigned(_mm_movemask_epi8(_mm_packs_epi16(found, found))) & 0xFF) << i;
    }
#endif
    for (; i < n; ++i) {
        const char16_t c = t[i].unicode();
        if (c == u'(' || c == u')' || c == u'[' || c == u']' || c == u',')
            marks |= quint64(1) << i;
    }
    return IsSettledEntry(
        marks, n, [t](qsizetype i) { return t[i].unicode(); },
        [t](qsizetype i) { return t[i].isSpace(); });
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
