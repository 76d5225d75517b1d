#include "vocab/vocabfile.h"

#include "vocab/entry.h"
#include "vocab/textblocks.h"
#include "vocab/textscan.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileDevice>
#include <QIODevice>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringView>
#include <array>
#include <cerrno>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <cstring>
#include <unistd.h>

namespace {

constexpr int FieldWidth = 50;
constexpr int LineWidth = 105;       // characters of an item line that count
constexpr int EnglishColumn = 5;     // 0-based start of the English field
constexpr int MyLanguageColumn = 55; // 0-based start of the my-language field
constexpr int EventsInterval = 16;   // ms between two calls of letEventsRun
// Refused rows reported one by one; any further ones share one message, so
// that a file that is no vocabulary at all does not bring box after box.
constexpr int RowMessagesPerFile = 10;

const QString RowDiscardedTitle = QStringLiteral("Row discarded ...");
const QString RowsDiscardedTitle = QStringLiteral("Rows discarded ...");
const QString CrLf = QStringLiteral("\r\n");
const QString BlankMark = QStringLiteral(" ");
const QString CriticalMark = QStringLiteral("c");

// Windows-1252 characters of the bytes 0x80 to 0x9F. The five bytes that the
// code page leaves unassigned map to the control characters of their value.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The character of every Windows-1252 byte.
constexpr std::array<char16_t, 256> Windows1252Chars = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = (b >= 0x80 && b < 0xA0) ? HighControls[b - 0x80] : char16_t(b);
    return table;
}();

inline char16_t Windows1252Char(unsigned char b)
{
    return Windows1252Chars[b];
}

// Bytes whose Windows-1252 character is white space for QString::trimmed().
constexpr std::array<bool, 256> Windows1252Spaces = [] {
    std::array<bool, 256> table{};
    for (int b = 0x09; b <= 0x0D; ++b)
        table[b] = true;
    table[0x20] = true;
    table[0xA0] = true;
    return table;
}();

inline bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at data[i], or 0 when it is not one.
inline int Utf8SequenceLength(const unsigned char *d, qsizetype i, qsizetype size)
{
    const unsigned char b = d[i];
    if (b < 0x80)
        return 1;
    if (b < 0xC2)
        return 0;
    if (b < 0xE0)
        return (i + 1 < size && IsContinuation(d[i + 1])) ? 2 : 0;
    if (b < 0xF0) {
        if (i + 2 >= size || !IsContinuation(d[i + 1]) || !IsContinuation(d[i + 2]))
            return 0;
        if (b == 0xE0 && d[i + 1] < 0xA0)
            return 0; // overlong
        if (b == 0xED && d[i + 1] >= 0xA0)
            return 0; // surrogate
        return 3;
    }
    if (b < 0xF5) {
        if (i + 3 >= size || !IsContinuation(d[i + 1]) || !IsContinuation(d[i + 2])
            || !IsContinuation(d[i + 3]))
            return 0;
        if (b == 0xF0 && d[i + 1] < 0x90)
            return 0; // overlong
        if (b == 0xF4 && d[i + 1] >= 0x90)
            return 0; // beyond U+10FFFF
        return 4;
    }
    return 0;
}

// The scans below take sixteen bytes at a time where the processor offers
// it (SSE2, which every x86-64 processor has) and one at a time elsewhere.

// The first byte beyond ASCII in [p, end), or end.
const unsigned char *FirstNonAscii(const unsigned char *p, const unsigned char *end)
{
#ifdef __SSE2__
    for (; end - p >= 16; p += 16) {
        const unsigned high =
            unsigned(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p))));
        if (high)
            return p + __builtin_ctz(high);
    }
#else
    for (; end - p >= 8; p += 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
#endif
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

struct LineEnd {
    const unsigned char *at;        // the CR or LF that ends the line, or the end of the data
    const unsigned char *firstHigh; // the line's first byte beyond ASCII, or `at`
    bool nonAscii() const { return firstHigh != at; }
};

// Where the line that starts at p ends: at its CR or LF, or at the end.
LineEnd FindLineEnd(const unsigned char *p, const unsigned char *end)
{
    const unsigned char *firstHigh = nullptr;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned ends = unsigned(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        unsigned high = unsigned(_mm_movemask_epi8(v));
        if (ends)
            high &= (1u << __builtin_ctz(ends)) - 1; // the line's own bytes
        if (!firstHigh && high)
            firstHigh = p + __builtin_ctz(high);
        if (ends) {
            const unsigned char *const at = p + __builtin_ctz(ends);
            return {at, firstHigh ? firstHigh : at};
        }
    }
#endif
    for (; p < end && *p != '\r' && *p != '\n'; ++p) {
        if (!firstHigh && *p >= 0x80)
            firstHigh = p;
    }
    return {p, firstHigh ? firstHigh : p};
}

bool HasNonAscii(const char *data, qsizetype size)
{
    const auto *d = reinterpret_cast<const unsigned char *>(data);
    return FirstNonAscii(d, d + size) != d + size;
}

// Counts the lines that hold bytes beyond ASCII: those that are valid UTF-8
// and those that are not. Lines end at CR or LF, as the reader's do.
void CountLinesBeyondAscii(const char *data, qsizetype size, qsizetype &valid,
                           qsizetype &invalid)
{
    const auto *d = reinterpret_cast<const unsigned char *>(data);
    const unsigned char *const end = d + size;
    const unsigned char *p = d;
    while (p < end) {
        // Lines of plain ASCII do not count.
        p = FirstNonAscii(p, end);
        if (p == end)
            break;
        // This line holds a byte beyond ASCII: check it to its end. No byte
        // of a UTF-8 sequence is a line end, so no sequence crosses one.
        bool ok = true;
        while (p < end && *p != '\r' && *p != '\n') {
            const int length = Utf8SequenceLength(d, p - d, size);
            if (length == 0) {
                ok = false;
                p = FindLineEnd(p, end).at;
                break;
            }
            p += length;
        }
        ++(ok ? valid : invalid);
    }
}

// How the bytes of a file (without its byte order mark) are decoded. Valid
// UTF-8 throughout is UTF-8 (plain ASCII reads the same either way). Else the
// lines are taken one by one when the file had a byte order mark or when most
// of its lines beyond ASCII are valid UTF-8; a single Windows-1252 line that
// happens to be valid UTF-8 as well cannot outvote the others.
VocabFileEncoding EncodingOf(const char *data, qsizetype size, bool bom)
{
    if (vocabcodec::IsValidUtf8(data, size))
        return (bom || HasNonAscii(data, size)) ? VocabFileEncoding::Utf8
                                                : VocabFileEncoding::Windows1252;
    if (bom)
        return VocabFileEncoding::Utf8LineByLine;
    qsizetype valid = 0;
    qsizetype invalid = 0;
    CountLinesBeyondAscii(data, size, valid, invalid);
    return valid > invalid ? VocabFileEncoding::Utf8LineByLine : VocabFileEncoding::Windows1252;
}

// Decodes Windows-1252 bytes into out. Bytes of ASCII and of 0xA0 to 0xFF
// are their own characters and go sixteen at a time; a piece that holds one
// of 0x80 to 0x9F goes through the table.
void DecodeWindows1252Into(const unsigned char *in, qsizetype size, char16_t *out)
{
    qsizetype i = 0;
#ifdef __SSE2__
    for (; i + 16 <= size; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        // As signed bytes, 0x80 to 0x9F are the ones below 0xA0.
        if (_mm_movemask_epi8(_mm_cmplt_epi8(v, _mm_set1_epi8(char(0xA0)))) == 0) {
            textscan::StoreWidened(v, out + i);
        } else {
            for (int j = 0; j < 16; ++j)
                out[i + j] = Windows1252Char(in[i + j]);
        }
    }
#endif
    for (; i < size; ++i)
        out[i] = Windows1252Char(in[i]);
}

// Bits for the characters of a decoded line, bit i standing for its
// character i: characters 0 to 63 in the low word, 64 to 127 in the high one.
struct LineBits {
    quint64 low = 0;
    quint64 high = 0;

    // Adds the bits of `bits` (at most 16 of them) from character `at` on.
    void add(quint64 bits, int at)
    {
        if (at < 64) {
            low |= bits << at;
            if (at > 48)
                high |= bits >> (64 - at);
        } else {
            high |= bits << (at - 64);
        }
    }
    // The `count` bits (at most 63) from character `at` on.
    quint64 from(int at, int count) const
    {
        const quint64 bits =
            at >= 64 ? high >> (at - 64) : (low >> at) | (at > 0 ? high << (64 - at) : 0);
        return bits & ((quint64(1) << count) - 1);
    }
};

// A line decoded from UTF-8: its characters (as far as they count) and, as
// bits, where it holds white space and where it holds brackets or commas,
// which is all that its fields' trimming, normal form and check look at.
struct DecodedLine {
    int length = 0;  // characters that count, at most LineWidth
    LineBits spaces; // white space
    LineBits marks;  // brackets and commas
};

// Decodes a line of UTF-8, [in, lineEnd), into out as far as its first
// `units` characters and finds its white space and marks; false when the
// line (all of it) is not valid UTF-8. The bytes may be read on to dataEnd
// (the line's own bytes are the only ones used), which lets the end of a
// line go sixteen bytes at a time too. out has room for `units` + 16.
bool DecodeUtf8Line(const unsigned char *in, const unsigned char *lineEnd,
                    const unsigned char *dataEnd, char16_t *out, int units, DecodedLine &line)
{
    int n = 0;
    while (in < lineEnd && n < units) {
#ifdef __SSE2__
        // A run of ASCII goes sixteen bytes at a time.
        if (dataEnd - in >= 16) {
            __m128i v;
            const int ascii = textscan::WidenAsciiRun(in, lineEnd - in, out + n, v);
            if (ascii > 0) {
                const unsigned counted = (1u << ascii) - 1;
                line.spaces.add(textscan::AsciiSpaceBits(v) & counted, n);
                line.marks.add(textscan::MarkBits(v) & counted, n);
                in += ascii;
                n += ascii;
                continue;
            }
        }
#else
        Q_UNUSED(dataEnd);
#endif
        const unsigned char b = *in;
        if (b < 0x80) {
            if (textscan::IsSpace(b))
                line.spaces.add(1, n);
            else if (textscan::IsMark(b))
                line.marks.add(1, n);
            out[n++] = b;
            in += 1;
            continue;
        }
        const int length = Utf8SequenceLength(in, 0, lineEnd - in);
        if (length == 0)
            return false;
        const int written = textscan::DecodeUtf8Sequence(in, length, out + n);
        // No white space lies beyond U+FFFF.
        if (written == 1 && textscan::IsSpace(out[n]))
            line.spaces.add(1, n);
        n += written;
        in += length;
    }
    line.length = qMin(n, units);
    // The characters beyond those that count are checked all the same.
    return vocabcodec::IsValidUtf8(reinterpret_cast<const char *>(in), lineEnd - in);
}

// A field's marks: bit i is set when its character i is a bracket or a
// comma, the only characters that matter to its normal form and its check.

// Decodes a field of Windows-1252 bytes (at most 64) into out, as
// DecodeWindows1252Into() does, and returns its marks.
quint64 DecodeWindows1252Field(const unsigned char *in, qsizetype size, char16_t *out,
                               qsizetype readable)
{
    quint64 marks = 0;
#ifdef __SSE2__
    if (size >= 16 || readable >= 16) {
        auto piece = [&](qsizetype at, quint64 counted) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + at));
            marks |= (quint64(textscan::MarkBits(v)) & counted) << at;
            // As signed bytes, 0x80 to 0x9F are the ones below 0xA0.
            if ((unsigned(_mm_movemask_epi8(_mm_cmplt_epi8(v, _mm_set1_epi8(char(0xA0)))))
                 & counted)
                == 0) {
                textscan::StoreWidened(v, out + at);
            } else {
                for (int j = 0; j < 16; ++j)
                    out[at + j] = Windows1252Char(in[at + j]);
            }
        };
        if (size < 16) {
            piece(0, (quint64(1) << size) - 1);
            return marks;
        }
        qsizetype i = 0;
        for (; i + 16 <= size; i += 16)
            piece(i, 0xFFFF);
        // The last bytes as one more piece that overlaps the one before.
        if (i < size)
            piece(size - 16, 0xFFFF);
        return marks;
    }
#else
    Q_UNUSED(readable);
#endif
    for (qsizetype i = 0; i < size; ++i) {
        out[i] = Windows1252Char(in[i]);
        if (textscan::IsMark(out[i]))
            marks |= quint64(1) << i;
    }
    return marks;
}

// Writes the Windows-1252 bytes of characters to out; false (out partly
// written) when a character has none.
bool EncodeWindows1252(const char16_t *in, qsizetype size, char *out)
{
    qsizetype i = 0;
#ifdef __SSE2__
    // Eight characters at a time while they are ASCII or 0xA0 to 0xFF.
    for (; i + 8 <= size; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        const __m128i beyondLatin1 = _mm_and_si128(v, _mm_set1_epi16(short(0xFF00)));
        const __m128i controls =
            _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(short(0xFFE0))), _mm_set1_epi16(0x80));
        if (_mm_movemask_epi8(_mm_or_si128(
                _mm_xor_si128(_mm_cmpeq_epi16(beyondLatin1, _mm_setzero_si128()),
                              _mm_set1_epi16(-1)),
                controls))
            != 0)
            break;
        _mm_storel_epi64(reinterpret_cast<__m128i *>(out + i), _mm_packus_epi16(v, v));
    }
#endif
    for (; i < size; ++i) {
        const char16_t c = in[i];
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out[i] = char(c);
            continue;
        }
        const int b = vocabcodec::Windows1252Byte(c);
        if (b < 0)
            return false;
        out[i] = char(b);
    }
    return true;
}


// The end of the text in [begin, end) without the blanks after it: a
// field's padding, skipped sixteen bytes at a time first.
const unsigned char *WithoutTrailingBlanks(const unsigned char *begin, const unsigned char *end)
{
#ifdef __SSE2__
    while (end - begin >= 16) {
        const unsigned blanks = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(end - 16)), _mm_set1_epi8(' '))));
        if (blanks != 0xFFFF) {
            // The blanks at the end of these sixteen bytes.
            return end - (__builtin_clz(~blanks & 0xFFFF) - 16);
        }
        end -= 16;
    }
#endif
    while (begin < end && end[-1] == ' ')
        --end;
    return end;
}

// A text field: the part of a line between two columns, without the white
// space at both ends (as QString::trimmed() takes it away), and whether it
// is settled (see IsSettledEntry): then it needs no rewrite and no check.
struct Field {
    QString text;
    bool settled = false;
};

// The field of a line of Windows-1252 bytes (`length` of which count);
// the data goes on to dataEnd.
Field Windows1252Field(const unsigned char *line, int column, int length,
                       const unsigned char *dataEnd, TextBlocks &texts)
{
    const unsigned char *begin = line + qMin(column, length);
    const unsigned char *end =
        WithoutTrailingBlanks(begin, line + qMin(column + FieldWidth, length));
    while (begin < end && Windows1252Spaces[end[-1]])
        --end;
    while (begin < end && Windows1252Spaces[*begin])
        ++begin;
    Field field;
    const qsizetype size = end - begin;
    const quint64 marks =
        DecodeWindows1252Field(begin, size, texts.room(qMax<qsizetype>(size, 16)), dataEnd - begin);
    field.settled = IsSettledEntry(
        marks, size, [begin](qsizetype i) { return char16_t(Windows1252Char(begin[i])); },
        [begin](qsizetype i) { return Windows1252Spaces[begin[i]]; });
    field.text = texts.take(size);
    return field;
}

// The field of a line decoded by DecodeUtf8Line: the line's white space
// and marks give the field's ends, and its settledness with a look at only
// a few of its characters.
Field DecodedField(const char16_t *chars, const DecodedLine &line, int column, TextBlocks &texts)
{
    const int first = qMin(column, line.length);
    const int width = qMin(column + FieldWidth, line.length) - first;
    // The text lies between the field's first and last character that is
    // not white space.
    const quint64 others = ~line.spaces.from(first, width) & ((quint64(1) << width) - 1);
    int begin = first;
    int end = first;
    if (others) {
        begin = first + qCountTrailingZeroBits(others);
        end = first + 64 - qCountLeadingZeroBits(others);
    }
    Field field;
    const int size = end - begin;
    const char16_t *const text = chars + begin;
    const quint64 spaces = line.spaces.from(begin, size);
    std::memcpy(texts.room(size), text, size_t(size) * sizeof(char16_t));
    field.settled = IsSettledEntry(
        line.marks.from(begin, size), size, [text](qsizetype i) { return text[i]; },
        [spaces](qsizetype i) { return ((spaces >> i) & 1) != 0; });
    field.text = texts.take(size);
    return field;
}

// The my-language field of a line of UTF-8 whose first 55 bytes (its head
// and its English field) are ASCII: the bytes [in, lineEnd) are the rest of
// the line. Only the field's text is decoded, not the padding around it, and
// its white space and marks are found on the way; the result is what
// DecodedField cuts from the whole line, decoded. False (nothing kept) when
// the line has to be decoded whole: it goes on beyond the characters that
// count, a field's text starts or ends with white space other than a blank,
// or it is not valid UTF-8.
bool Utf8TailField(const unsigned char *in, const unsigned char *lineEnd,
                   const unsigned char *dataEnd, TextBlocks &texts, Field &field)
{
    // Fifty places take at most 150 bytes of UTF-8: three for a character
    // up to U+FFFF, four for one beyond, which takes two places.
    if (lineEnd - in > 3 * FieldWidth)
        return false;
    const unsigned char *begin = in;
    const unsigned char *const end = WithoutTrailingBlanks(begin, lineEnd);
    while (begin < end && *begin == ' ')
        ++begin;
    // The blanks count as characters of the line.
    const int blanks = int((begin - in) + (lineEnd - end));
    char16_t *const out = texts.room((end - begin) + 16);
    quint64 marks = 0;
    const qsizetype n = textscan::DecodeUtf8Marked(
        begin, end, dataEnd, out, &marks,
        [end](const unsigned char *p) { return Utf8SequenceLength(p, 0, end - p); });
    if (n < 0)
        return false;
    // Other white space at an end is trimmed by the general way.
    if (n + blanks > FieldWidth)
        return false;
    if (n > 0 && (textscan::IsSpace(out[0]) || textscan::IsSpace(out[n - 1])))
        return false;
    field.settled = IsSettledEntry(marks, n, [out](qsizetype i) { return out[i]; },
                                   [out](qsizetype i) { return textscan::IsSpace(out[i]); });
    field.text = texts.take(n);
    return true;
}

// The lesson of columns 1-2: two digits from "01" to "20", a single
// character being read with "0" before it. Empty when it is not a lesson.
const QString &LessonOf(QStringView columns)
{
    // Two digits, the common case, need no trimming.
    if (columns.size() == 2) {
        const char16_t a = columns[0].unicode();
        const char16_t b = columns[1].unicode();
        if (a >= u'0' && a <= u'9' && b >= u'0' && b <= u'9')
            return LessonText((a - u'0') * 10 + (b - u'0'));
    }
    const QStringView t = columns.trimmed();
    int value = -1;
    if (t.size() == 1 && t[0].unicode() >= u'0' && t[0].unicode() <= u'9')
        value = t[0].unicode() - u'0';
    else if (t.size() == 2 && t[0].unicode() >= u'0' && t[0].unicode() <= u'9'
             && t[1].unicode() >= u'0' && t[1].unicode() <= u'9')
        value = (t[0].unicode() - u'0') * 10 + (t[1].unicode() - u'0');
    return LessonText(value);
}

QString MarkOf(QStringView line)
{
    // A row too short to have column 4 gets the blank of an ordinary item.
    return line.size() < 4 ? MarkText(u' ') : MarkText(line[3].unicode());
}

QString RowDetails(const QString &lesson, const QString &mark, const QString &english,
                   const QString &myLanguage)
{
    return CrLf + CrLf + QStringLiteral("  Lesson = ") + lesson + u' ' + mark + CrLf
        + QStringLiteral("  English = ") + english + CrLf + QStringLiteral("  My language= ")
        + myLanguage;
}

} // namespace

namespace vocabcodec {

bool IsValidUtf8(const char *data, qsizetype size)
{
    const auto *d = reinterpret_cast<const unsigned char *>(data);
    const unsigned char *const end = d + size;
    const unsigned char *p = d;
    while (p < end) {
        p = FirstNonAscii(p, end);
        if (p == end)
            break;
        const int length = Utf8SequenceLength(d, p - d, size);
        if (length == 0)
            return false;
        p += length;
    }
    return true;
}

QString DecodeWindows1252(const char *data, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    DecodeWindows1252Into(reinterpret_cast<const unsigned char *>(data), size,
                          reinterpret_cast<char16_t *>(text.data()));
    return text;
}

int Windows1252Byte(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (int i = 0; i < 32; ++i)
        if (HighControls[i] == ch)
            return 0x80 + i;
    return -1;
}

bool AppendWindows1252(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    return EncodeWindows1252(text.utf16(), text.size(), out.data() + start);
}

} // namespace vocabcodec

const QString &LessonText(int lesson)
{
    // Literals: items share them without counting references.
    static const std::array<QString, 21> lessons = {
        QString(), QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03"),
        QStringLiteral("04"), QStringLiteral("05"), QStringLiteral("06"), QStringLiteral("07"),
        QStringLiteral("08"), QStringLiteral("09"), QStringLiteral("10"), QStringLiteral("11"),
        QStringLiteral("12"), QStringLiteral("13"), QStringLiteral("14"), QStringLiteral("15"),
        QStringLiteral("16"), QStringLiteral("17"), QStringLiteral("18"), QStringLiteral("19"),
        QStringLiteral("20")};
    return (lesson >= 1 && lesson <= 20) ? lessons[lesson] : lessons[0];
}

QString MarkText(char16_t mark)
{
    if (mark == u' ')
        return BlankMark;
    if (mark == u'c')
        return CriticalMark;
    return QString(QChar(mark));
}

RowFault SettleRow(QString &english, QString &myLanguage, bool settled)
{
    if (!settled) {
        english = NormaliseEntry(english);
        myLanguage = NormaliseEntry(myLanguage);
    }
    // An empty text would make an empty answer box count as exact.
    if (english.isEmpty())
        return myLanguage.isEmpty() ? RowFault::NoTexts : RowFault::NoEnglish;
    if (myLanguage.isEmpty())
        return RowFault::NoMyLanguage;
    if (!settled && CheckBrackets(english, myLanguage) != 0)
        return RowFault::Brackets;
    // Spacing the brackets and commas may lengthen a text beyond its field;
    // such a row could not be saved again.
    if (english.size() > FieldWidth || myLanguage.size() > FieldWidth)
        return RowFault::TooLong;
    return RowFault::None;
}

QString RowFaultText(RowFault fault)
{
    switch (fault) {
    case RowFault::None: break;
    case RowFault::Brackets: return QStringLiteral("badly uses brackets or commas");
    case RowFault::NoEnglish: return QStringLiteral("has no English text");
    case RowFault::NoMyLanguage: return QStringLiteral("has no my-language text");
    case RowFault::NoTexts: return QStringLiteral("has no English and no my-language text");
    case RowFault::TooLong:
        return QStringLiteral("is longer than 50 characters once its brackets and commas are "
                              "spaced");
    }
    return {};
}

QString DecodeVocabText(const QByteArray &bytes, VocabFileEncoding *encoding)
{
    const char *data = bytes.constData();
    qsizetype size = bytes.size();
    const bool bom = size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0;
    if (bom) {
        data += 3;
        size -= 3;
    }
    const VocabFileEncoding used = EncodingOf(data, size, bom);
    if (encoding)
        *encoding = used;
    if (used == VocabFileEncoding::Utf8) {
        // QString::fromUtf8 would drop a U+FEFF that starts the text; as the
        // first character of a line it stays, as the reader takes it.
        if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0)
            return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)
                .decode(QByteArrayView(data, size));
        return QString::fromUtf8(data, size);
    }
    QString text(size, Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(text.data());
    const auto *d = reinterpret_cast<const unsigned char *>(data);
    if (used == VocabFileEncoding::Windows1252) {
        DecodeWindows1252Into(d, size, out);
        return text;
    }
    // Line by line: each valid UTF-8 line as UTF-8, each other one as
    // Windows-1252. A line of UTF-8 takes no more characters than bytes.
    const unsigned char *const end = d + size;
    // A U+FEFF at the start of a line is a character, as the reader takes it.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    qsizetype n = 0;
    for (const unsigned char *p = d; p < end;) {
        const LineEnd lineEnd = FindLineEnd(p, end);
        const qsizetype length = lineEnd.at - p;
        if (lineEnd.nonAscii() && vocabcodec::IsValidUtf8(reinterpret_cast<const char *>(p), length))
            // Never more characters than bytes.
            n += utf8.appendToBuffer(reinterpret_cast<QChar *>(out + n), QByteArrayView(p, length))
                - reinterpret_cast<QChar *>(out + n);
        else
            DecodeWindows1252Into(p, length, out + n), n += length;
        p = lineEnd.at;
        if (p < end)
            out[n++] = *p++; // the CR or LF
    }
    text.truncate(n);
    return text;
}

VocabFileContents ReadVocabFile(const QByteArray &bytes, const VocabFileReadOptions &options)
{
    VocabFileContents result;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    qsizetype size = bytes.size();

    // A line is decoded either as UTF-8 or byte by byte as Windows-1252, so
    // no byte ever becomes a replacement character: every character shown
    // is one that Save can write again.
    const bool bom = size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0;
    if (bom) {
        data += 3;
        size -= 3;
    }
    // A byte order mark, or valid UTF-8 throughout, decides here (see
    // EncodingOf). A file with a byte order mark reads each line beyond ASCII
    // as UTF-8 when the line is valid UTF-8, whether the whole file is or
    // not: so its lines are checked as they are decoded, without a pass of
    // their own, and a line that is not valid makes it a file read line by
    // line. Any other file starts out as Windows-1252: each line reads the
    // same either way until one beyond ASCII is valid UTF-8, and that line
    // decides, counting the lines from it on with the ones before it. So a
    // plain Windows-1252 file is not counted through first.
    bool decided = true;
    qsizetype invalidBefore = 0; // lines beyond ASCII, none valid UTF-8
    if (bom)
        result.encoding = VocabFileEncoding::Utf8;
    else if (vocabcodec::IsValidUtf8(reinterpret_cast<const char *>(data), size))
        result.encoding = HasNonAscii(reinterpret_cast<const char *>(data), size)
            ? VocabFileEncoding::Utf8
            : VocabFileEncoding::Windows1252;
    else
        decided = false;
    bool invalidLines = false; // a line beyond ASCII that is not valid UTF-8
    const int room = qMax(0, options.room);
    result.items.reserve(qMin<qsizetype>(room, size / LineWidth + 1));

    QElapsedTimer sinceEvents;
    sinceEvents.start();

    qsizetype refusedForRoom = 0;
    qsizetype firstRefusedForRoom = 0;
    auto refuse = [&](VocabFileMessage message) {
        if (options.onRefusedRow)
            options.onRefusedRow(message);
        result.messages.append(std::move(message));
    };
    // A refused row: its own message for the first ones of the file, then
    // only counted. `text` builds the message, and only when it is shown.
    qsizetype refusedRows = 0;
    qsizetype firstUnreportedRow = 0;
    auto refuseRow = [&](qsizetype row, auto &&text) {
        if (++refusedRows > RowMessagesPerFile) {
            if (firstUnreportedRow == 0)
                firstUnreportedRow = row;
            return;
        }
        refuse({RowDiscardedTitle, text()});
    };

    // Fields take at most one character per byte, and a NUL each.
    TextBlocks texts(size + size / 16);
    // A line of UTF-8 (valid: the whole file, or the line itself, was
    // checked) is decoded as far as its first 105 characters, which are all
    // that are used. A U+FEFF at the start of a line is a character.
    std::array<QChar, LineWidth + 16> buffer;
    const unsigned char *const end = data + size;
    const unsigned char *next = data;
    qsizetype row = 0;
    // Line ends are CR LF, LF or CR.
    while (next < end) {
        const unsigned char *const lineStart = next;
        const LineEnd lineEnd = FindLineEnd(lineStart, end);
        const qsizetype lineBytes = lineEnd.at - lineStart;
        next = lineEnd.at + 1;
        if (lineEnd.at < end && *lineEnd.at == '\r' && next < end && *next == '\n')
            ++next;
        ++row;

        if (options.letEventsRun && (row & 63) == 0 && sinceEvents.elapsed() >= EventsInterval) {
            options.letEventsRun();
            sinceEvents.restart();
        }

        if (!decided && lineEnd.nonAscii()) {
            // The bytes before the first one beyond ASCII are valid.
            if (vocabcodec::IsValidUtf8(reinterpret_cast<const char *>(lineEnd.firstHigh),
                                        lineEnd.at - lineEnd.firstHigh)) {
                qsizetype valid = 0;
                qsizetype invalid = invalidBefore;
                CountLinesBeyondAscii(reinterpret_cast<const char *>(lineStart), end - lineStart,
                                      valid, invalid);
                if (valid > invalid)
                    result.encoding = VocabFileEncoding::Utf8LineByLine;
                decided = true;
            } else {
                ++invalidBefore;
            }
        }

        // Only the first 105 characters of a line count. A line beyond ASCII
        // is UTF-8 when it is valid UTF-8, unless the file is Windows-1252;
        // a line of plain ASCII reads the same in both encodings. A line with
        // one byte per character has its head (lesson and mark) decoded here
        // and its two fields straight from the bytes, without their padding.
        // A line of UTF-8 whose head and English field are ASCII has its
        // my-language field decoded on its own (see Utf8TailField), which
        // spares decoding the padding; it is decoded whole only when that
        // field cannot be taken so.
        const bool utf8Line =
            lineEnd.nonAscii() && result.encoding != VocabFileEncoding::Windows1252;
        const bool asciiTillMine = lineEnd.firstHigh - lineStart >= MyLanguageColumn;
        Field tailField;
        const bool tailTaken = utf8Line && asciiTillMine
            && Utf8TailField(lineStart + MyLanguageColumn, lineEnd.at, end, texts, tailField);

        // The common item line, one byte per character up to its my-language
        // text, with two digits for its lesson and a blank or "c" for its
        // mark, goes straight to the items when its texts are settled and
        // not empty: then it is in normal form and passes every check.
        Field takenEnglish;
        Field takenMine;
        bool fieldsTaken = false;
        if ((!utf8Line || tailTaken) && lineBytes > EnglishColumn
            && result.items.size() < room) {
            const unsigned tens = lineStart[0] - unsigned('0');
            const unsigned ones = lineStart[1] - unsigned('0');
            const unsigned char mark = lineStart[3];
            if (tens <= 9 && ones <= 9 && tens * 10 + ones - 1 < 20 && (mark == ' ' || mark == 'c')) {
                const int counted = int(qMin<qsizetype>(lineBytes, LineWidth));
                Field english = Windows1252Field(lineStart, EnglishColumn, counted, end, texts);
                Field mine = utf8Line
                    ? std::move(tailField)
                    : Windows1252Field(lineStart, MyLanguageColumn, counted, end, texts);
                if (english.settled && mine.settled && !english.text.isEmpty()
                    && !mine.text.isEmpty()) {
                    result.items.append(VocabItem{LessonText(int(tens * 10 + ones)),
                                                  mark == 'c' ? CriticalMark : BlankMark,
                                                  std::move(english.text), std::move(mine.text)});
                    continue;
                }
                takenEnglish = std::move(english);
                takenMine = std::move(mine);
                fieldsTaken = true;
            }
        }

        int length;
        DecodedLine decoded;
        bool lineUtf8 = false;
        if (utf8Line && !tailTaken) {
            lineUtf8 = DecodeUtf8Line(lineStart, lineEnd.at, end,
                                      reinterpret_cast<char16_t *>(buffer.data()), LineWidth,
                                      decoded);
            invalidLines = invalidLines || !lineUtf8;
        }
        if (lineUtf8) {
            length = decoded.length;
        } else {
            length = int(qMin<qsizetype>(lineBytes, LineWidth));
            for (int i = 0; i < qMin(length, EnglishColumn); ++i)
                buffer[i] = QChar(Windows1252Char(lineStart[i]));
        }
        const QStringView line(buffer.data(), lineUtf8 ? length : qMin(length, EnglishColumn));
        auto field = [&](int column) {
            if (lineUtf8)
                return DecodedField(line.utf16(), decoded, column, texts);
            if (column == MyLanguageColumn && tailTaken)
                return std::move(tailField);
            // Windows-1252, or an ASCII head and English field of UTF-8.
            return Windows1252Field(lineStart, column, length, end, texts);
        };

        if (length <= 2)
            continue;
        const char16_t first = line[0].unicode();
        if (first == u'#' && line[1] == u'#')
            continue;
        if (first == u'@' && line[1] == u'@') {
            const char16_t digit = length >= 4 ? line[3].unicode() : u' ';
            result.languageCode = qint16((digit >= u'0' && digit <= u'9') ? digit - u'0' : 0);
            continue;
        }

        if (result.items.size() >= room) {
            if (refusedForRoom++ == 0)
                firstRefusedForRoom = row;
            continue;
        }

        const QString &lesson = LessonOf(line.left(2));
        QString mark = MarkOf(line);
        Field englishField;
        Field myLanguageField;
        if (fieldsTaken) {
            englishField = std::move(takenEnglish);
            myLanguageField = std::move(takenMine);
        } else {
            englishField = field(EnglishColumn);
            myLanguageField = field(MyLanguageColumn);
        }
        QString &english = englishField.text;
        QString &myLanguage = myLanguageField.text;

        if (lesson.isEmpty()) {
            refuseRow(row, [&] {
                return QStringLiteral("The row number %1 has a lesson out of range (1 to 20)")
                           .arg(row)
                    + RowDetails(line.left(2).toString(), mark, english, myLanguage);
            });
            continue;
        }

        // A text without brackets, or a settled one, is in normal form and
        // passes the check.
        const RowFault fault =
            SettleRow(english, myLanguage, englishField.settled && myLanguageField.settled);
        if (fault != RowFault::None) {
            refuseRow(row, [&] {
                return QStringLiteral("The row number %1 ").arg(row) + RowFaultText(fault)
                    + RowDetails(lesson, mark, english, myLanguage);
            });
            continue;
        }
        result.items.append(VocabItem{lesson, std::move(mark), std::move(english),
                                      std::move(myLanguage)});
    }
    result.lineCount = row;
    if (invalidLines)
        result.encoding = VocabFileEncoding::Utf8LineByLine;

    const qsizetype unreported = refusedRows - RowMessagesPerFile;
    if (unreported == 1) {
        refuse({RowsDiscardedTitle,
                QStringLiteral("1 more row, the row number %1, could not be read either; it was "
                               "discarded without a message.")
                    .arg(firstUnreportedRow)});
    } else if (unreported > 1) {
        refuse({RowsDiscardedTitle,
                QStringLiteral("%1 more rows, from the row number %2 on, could not be read "
                               "either; they were discarded without a message each.")
                    .arg(unreported)
                    .arg(firstUnreportedRow)});
    }
    if (refusedForRoom > 0) {
        refuse({RowsDiscardedTitle,
                QStringLiteral("A vocabulary holds at most %1 items: the %2 item rows from the "
                               "row number %3 on were not read.")
                    .arg(ItemTable::MaxItems)
                    .arg(refusedForRoom)
                    .arg(firstRefusedForRoom)});
    }
    return result;
}

bool ReadFileBytes(const QString &path, QByteArray &bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // The buffer takes the file's size and one byte more, which shows a file
    // that grew meanwhile; it grows only for such a file or a device that
    // gives no size. Reading stops one byte past the limit, so that a huge
    // file (or an endless device) chosen by mistake is refused, not loaded.
    bytes = QByteArray(qBound<qint64>(0, file.size(), MaxVocabFileBytes) + 1, Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > MaxVocabFileBytes)
                break;
            bytes.resize(qMin<qint64>(2 * filled, MaxVocabFileBytes + 1));
        }
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (error)
                *error = file.errorString();
            return false;
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > MaxVocabFileBytes) {
        if (error)
            *error = QStringLiteral("The file is larger than %1 MB: it is not a vocabulary.")
                         .arg(MaxVocabFileBytes / (1024 * 1024));
        return false;
    }
    bytes.truncate(filled);
    return true;
}

bool ReadVocabFileAt(const QString &path, VocabFileContents &contents, QString *error,
                     const VocabFileReadOptions &options)
{
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes, error))
        return false;
    contents = ReadVocabFile(bytes, options);
    return true;
}

void AddToStore(const VocabFileContents &contents, VocabStore &store)
{
    if (!contents.items.isEmpty()) {
        if (store.ItemCount() == 0) {
            store.SetItems(contents.items);
        } else {
            QVector<VocabItem> all = store.Items();
            all.append(contents.items);
            store.SetItems(std::move(all));
        }
    }
    if (contents.languageCode)
        store.LanguageCode = *contents.languageCode;
}

QString LanguageLine(qint16 languageCode)
{
    // The code is written with a blank in place of a plus sign, so that its
    // digit stands in column 4.
    return QStringLiteral("@@") + (languageCode >= 0 ? QStringLiteral(" ") : QString())
        + QString::number(languageCode) + QStringLiteral(" 1=ita 2=fra 3=ger 4=spa 0=others");
}

QString RulerLine()
{
    return QStringLiteral("## c #.............................................#   "
                          "#................................................#");
}

namespace {

constexpr int WrittenLineWidth = LineWidth + 2; // an item line and its CR LF

// The reasons, in the order in which they are looked for.
enum class Unwritable { No, Lesson, Mark, EnglishLength, MyLanguageLength, LineBreak };

QString ReasonText(Unwritable reason)
{
    switch (reason) {
    case Unwritable::No: break;
    case Unwritable::Lesson: return QStringLiteral("its lesson is not a number from 01 to 20");
    case Unwritable::Mark: return QStringLiteral("its critical mark is not one character");
    case Unwritable::EnglishLength:
        return QStringLiteral("its English text is longer than 50 characters");
    case Unwritable::MyLanguageLength:
        return QStringLiteral("its my-language text is longer than 50 characters");
    case Unwritable::LineBreak: return QStringLiteral("a text holds a line break");
    }
    return {};
}

// The reasons that need no look at the texts' characters.
Unwritable UnwritableLayout(const VocabItem &item)
{
    const QString &l = item.Lesson;
    const bool lesson = l.size() == 2 && l[0] >= u'0' && l[0] <= u'2' && l[1] >= u'0'
        && l[1] <= u'9' && (l[0] != u'0' || l[1] != u'0') && (l[0] != u'2' || l[1] == u'0');
    if (!lesson)
        return Unwritable::Lesson;
    if (item.CriticalMark.size() != 1)
        return Unwritable::Mark;
    if (item.English.size() > FieldWidth)
        return Unwritable::EnglishLength;
    if (item.MyLanguage.size() > FieldWidth)
        return Unwritable::MyLanguageLength;
    return Unwritable::No;
}

// Whether characters hold a CR or an LF.
bool HasLineBreak(const char16_t *text, qsizetype size)
{
    qsizetype i = 0;
#ifdef __SSE2__
    for (; i + 8 <= size; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16('\r')),
                                           _mm_cmpeq_epi16(v, _mm_set1_epi16('\n')))))
            return true;
    }
#endif
    for (; i < size; ++i)
        if (text[i] == u'\r' || text[i] == u'\n')
            return true;
    return false;
}

const char16_t Blanks16[FieldWidth + 1] = u"                                                  ";

// The characters of an item's line as written (105 of them, then CR LF),
// for an item whose layout is writable. False when a text holds a line break.
bool ComposeLine(const VocabItem &item, char16_t *line)
{
    auto put = [&line](const QString &text) {
        std::memcpy(line, text.utf16(), size_t(text.size()) * sizeof(char16_t));
        line += text.size();
    };
    char16_t *const start = line;
    put(item.Lesson);
    *line++ = u' ';
    put(item.CriticalMark);
    *line++ = u' ';
    put(item.English);
    std::memcpy(line, Blanks16, size_t(FieldWidth - item.English.size()) * sizeof(char16_t));
    line += FieldWidth - item.English.size();
    put(item.MyLanguage);
    std::memcpy(line, Blanks16, size_t(FieldWidth - item.MyLanguage.size()) * sizeof(char16_t));
    line += FieldWidth - item.MyLanguage.size();
    *line++ = u'\r';
    *line++ = u'\n';
    // The lesson and the blanks hold no line break.
    return !HasLineBreak(start + 3, LineWidth - 3);
}

} // namespace

QString UnwritableReason(const VocabItem &item)
{
    Unwritable reason = UnwritableLayout(item);
    if (reason == Unwritable::No) {
        for (const QString *field : {&item.CriticalMark, &item.English, &item.MyLanguage})
            if (HasLineBreak(reinterpret_cast<const char16_t *>(field->constData()), field->size()))
                reason = Unwritable::LineBreak;
    }
    return ReasonText(reason);
}

VocabFileBytes EncodeVocabFile(const QVector<VocabItem> &items, qint16 languageCode)
{
    VocabFileBytes result;
    const QString header = LanguageLine(languageCode) + CrLf + RulerLine() + CrLf;
    std::array<char16_t, WrittenLineWidth> line;
    // Checks an item and composes its line; false, with the error set, when
    // it cannot be written.
    auto compose = [&](qsizetype i) {
        const VocabItem &item = items.at(i);
        Unwritable reason = UnwritableLayout(item);
        if (reason == Unwritable::No && !ComposeLine(item, line.data()))
            reason = Unwritable::LineBreak;
        if (reason == Unwritable::No)
            return true;
        result.error = QStringLiteral("The item number %1 cannot be written: %2.")
                           .arg(i + 1)
                           .arg(ReasonText(reason));
        return false;
    };

    // Windows-1252 when every character fits, unless those bytes would read
    // back as UTF-8, whole or line by line (as "Ã©" would): then UTF-8, so
    // that the file reads back into the same texts. Every line then takes
    // one byte per character.
    QByteArray bytes(header.size() + items.size() * WrittenLineWidth, Qt::Uninitialized);
    bool fits = EncodeWindows1252(reinterpret_cast<const char16_t *>(header.constData()),
                                  header.size(), bytes.data());
    qsizetype i = 0;
    for (char *out = bytes.data() + header.size(); fits && i < items.size();
         ++i, out += WrittenLineWidth) {
        if (!compose(i))
            return result;
        fits = EncodeWindows1252(line.data(), WrittenLineWidth, out);
    }
    if (fits
        && EncodingOf(bytes.constData(), bytes.size(), false) == VocabFileEncoding::Windows1252) {
        result.bytes = std::move(bytes);
        return result;
    }

    // UTF-8 with its byte order mark: at most three bytes per character (a
    // pair of surrogates takes four). Each line is encoded in one piece, so
    // that a pair split between two fields is written as one character.
    QByteArray utf8(3 + 3 * (header.size() + items.size() * WrittenLineWidth), Qt::Uninitialized);
    std::memcpy(utf8.data(), "\xEF\xBB\xBF", 3);
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    char *out = encoder.appendToBuffer(utf8.data() + 3, header);
    for (qsizetype k = 0; k < items.size(); ++k) {
        // Items before i were checked by the first pass.
        if (k >= i) {
            if (!compose(k))
                return result;
        } else {
            ComposeLine(items.at(k), line.data());
        }
        out = encoder.appendToBuffer(out, QStringView(line.data(), WrittenLineWidth));
    }
    utf8.truncate(out - utf8.constData());
    result.bytes = std::move(utf8);
    result.utf8 = true;
    return result;
}

namespace {

const QString DiskFull = QStringLiteral("The disk is full: there is no room left for the file.");

QString DeviceError(const QIODevice &device)
{
    const QString reason = device.errorString();
    return reason.isEmpty() || reason == QLatin1String("Unknown error")
        ? QStringLiteral("The data could not be written.")
        : reason;
}

// Why writing or flushing failed. A file device reports a full disk as a
// resource error.
QString WriteFailure(const QIODevice &device)
{
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    if (file && file->error() == QFileDevice::ResourceError)
        return DiskFull;
    return DeviceError(device);
}

// Puts the written data on the disk. Some file systems find that the disk is
// full only then; the caller still keeps the previous file in that case.
bool SyncToDisk(QFileDevice &file, QString &reason)
{
    if (file.handle() < 0 || ::fsync(file.handle()) == 0 || errno == EINVAL || errno == EROFS)
        return true; // a device that cannot be synced has nothing to lose
    reason = (errno == ENOSPC || errno == EDQUOT) ? DiskFull
                                                  : QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

} // namespace

VocabSaveResult WriteVocabFile(QIODevice &device, const QVector<VocabItem> &items,
                               qint16 languageCode)
{
    const VocabFileBytes encoded = EncodeVocabFile(items, languageCode);
    if (!encoded.ok())
        return {false, encoded.error};
    if (device.write(encoded.bytes) != encoded.bytes.size())
        return {false, WriteFailure(device)};
    if (auto *file = qobject_cast<QFileDevice *>(&device); file && !file->flush())
        return {false, WriteFailure(device)};
    return {true, {}};
}

VocabSaveResult SaveFileBytes(QSaveFile &file, const QByteArray &bytes)
{
    if (!file.open(QIODevice::WriteOnly))
        return {false, DeviceError(file)};
    // The data is flushed here rather than by commit(), which would replace
    // the previous file even when its own flush fails.
    QString reason;
    if (file.write(bytes) != bytes.size() || !file.flush())
        reason = WriteFailure(file);
    if (!reason.isEmpty() || !SyncToDisk(file, reason)) {
        file.cancelWriting();
        file.commit(); // discards the new data; the previous file stays as it was
        return {false, reason};
    }
    if (!file.commit())
        return {false, WriteFailure(file)};
    return {true, {}};
}

VocabSaveResult SaveVocabFile(QSaveFile &file, const QVector<VocabItem> &items,
                              qint16 languageCode)
{
    // Everything is checked before the file is touched.
    const VocabFileBytes encoded = EncodeVocabFile(items, languageCode);
    if (!encoded.ok())
        return {false, encoded.error};
    return SaveFileBytes(file, encoded.bytes);
}

VocabSaveResult SaveVocabFile(const QString &path, const QVector<VocabItem> &items,
                              qint16 languageCode)
{
    QSaveFile file(path);
    return SaveVocabFile(file, items, languageCode);
}

QString WithEngExtension(const QString &path)
{
    if (path.right(4).toLower() == QLatin1String(".eng"))
        return path;
    return path + QStringLiteral(".eng");
}

VocabFileMessage OpenFailedMessage(const QString &path, const QString &reason)
{
    return {QStringLiteral("Open failed ..."),
            QStringLiteral("The file ") + path + QStringLiteral(" cannot be read:") + CrLf + CrLf
                + reason};
}

VocabFileMessage SaveFailedMessage(const QString &path, const QString &reason)
{
    return {QStringLiteral("Save failed ..."),
            QStringLiteral("The file ") + path + QStringLiteral(" could not be saved:") + CrLf
                + CrLf + reason + CrLf + CrLf
                + QStringLiteral("Nothing was changed; the vocabulary can still be saved.")};
}
