#include "vocab/fastxml.h"

#include "vocab/vocabfile.h"

#include <array>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Bytes that end a run of plain character data: markup, references, line
// ends, "]" (which may begin "]]>"), control characters, and 0xEF, which
// begins the UTF-8 of U+FFFE and U+FFFF (no XML characters).
constexpr std::array<bool, 256> Special = [] {
    std::array<bool, 256> table{};
    for (int b = 0; b < 0x20; ++b)
        table[b] = b != '\t';
    table['<'] = table['&'] = table[']'] = table[0xEF] = true;
    return table;
}();

// The first special byte in [p, end), or end; a tab stops the sixteen-byte
// steps but not the scan.
Q_ALWAYS_INLINE const char *SkipPlain(const char *p, const char *end)
{
#ifdef __SSE2__
    const __m128i lt = _mm_set1_epi8('<');
    const __m128i amp = _mm_set1_epi8('&');
    const __m128i bracket = _mm_set1_epi8(']');
    const __m128i ef = _mm_set1_epi8(char(0xEF));
    const __m128i controls = _mm_set1_epi8(0x1F);
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i found = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lt), _mm_cmpeq_epi8(v, amp)),
                         _mm_or_si128(_mm_cmpeq_epi8(v, bracket), _mm_cmpeq_epi8(v, ef))),
            _mm_cmpeq_epi8(_mm_max_epu8(v, controls), controls));
        const unsigned mask = unsigned(_mm_movemask_epi8(found));
        if (mask) {
            p += __builtin_ctz(mask);
            if (*p != '\t')
                return p;
            ++p;
            continue;
        }
        p += 16;
    }
#endif
    while (p < end && !Special[uchar(*p)])
        ++p;
    return p;
}

// Whether the bytes at p (before end) are U+FFFE or U+FFFF, which XML does
// not allow in a document.
inline bool IsNonCharacterAt(const char *p, const char *end)
{
    return end - p >= 3 && uchar(p[0]) == 0xEF && uchar(p[1]) == 0xBF
        && (uchar(p[2]) == 0xBE || uchar(p[2]) == 0xBF);
}

// Whether the bytes at p (before end) are "]]>", which ends a CDATA section
// and may stand nowhere else.
inline bool IsCdataEndAt(const char *p, const char *end)
{
    return end - p >= 3 && p[0] == ']' && p[1] == ']' && p[2] == '>';
}

// Bytes that end a run of plain bytes in an attribute value: the quotes,
// markup, references, control characters (line ends and tabs among them,
// which are looked at one by one) and 0xEF (see Special).
constexpr std::array<bool, 256> ValueSpecial = [] {
    std::array<bool, 256> table{};
    for (int b = 0; b < 0x20; ++b)
        table[b] = true;
    table['"'] = table['\''] = table['<'] = table['&'] = table[0xEF] = true;
    return table;
}();

// Character classes of ASCII bytes: 1 begins a name, 2 goes on in one,
// 4 is XML white space.
constexpr std::array<uchar, 256> Classes = [] {
    std::array<uchar, 256> table{};
    for (int c = 0; c < 128; ++c) {
        const bool start = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        const bool more = start || (c >= '0' && c <= '9') || c == '-' || c == '.';
        table[c] = uchar((start ? 1 : 0) | (more ? 2 : 0)
                         | ((c == ' ' || c == '\t' || c == '\r' || c == '\n') ? 4 : 0));
    }
    return table;
}();

inline bool IsNameStart(char c)
{
    return Classes[uchar(c)] & 1;
}

inline bool IsNameChar(char c)
{
    return Classes[uchar(c)] & 2;
}

inline bool IsSpace(char c)
{
    return Classes[uchar(c)] & 4;
}

// Whether two short byte strings (names) are equal.
inline bool Same(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a.data()[i] != b.data()[i])
            return false;
    return true;
}

// Appends the UTF-8 of a character.
void AppendUtf8(QByteArray &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The character of a reference "&...;" whose name is ref, or 0.
char32_t Reference(QByteArrayView ref)
{
    if (ref == "amp")
        return '&';
    if (ref == "lt")
        return '<';
    if (ref == "gt")
        return '>';
    if (ref == "quot")
        return '"';
    if (ref == "apos")
        return '\'';
    if (ref.size() < 2 || ref.size() > 9 || ref[0] != '#')
        return 0;
    const bool hex = ref[1] == 'x';
    const QByteArrayView digits = ref.sliced(hex ? 2 : 1);
    if (digits.isEmpty())
        return 0;
    char32_t c = 0;
    for (char d : digits) {
        int v;
        if (d >= '0' && d <= '9')
            v = d - '0';
        else if (hex && d >= 'a' && d <= 'f')
            v = d - 'a' + 10;
        else if (hex && d >= 'A' && d <= 'F')
            v = d - 'A' + 10;
        else
            return 0;
        c = c * (hex ? 16 : 10) + char32_t(v);
    }
    const bool xmlChar = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
        || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
    return xmlChar ? c : 0;
}

} // namespace

// The text of an element: one piece of the document when it is written
// plainly (the common case), else the bytes put together.
class FastXmlReader::TextSink {
public:
    void add(const char *begin, const char *end)
    {
        if (begin == end)
            return;
        if (!m_joined && !m_begin) {
            m_begin = begin;
            m_end = end;
            return;
        }
        join();
        m_bytes.append(begin, end - begin);
    }
    QByteArray &bytes()
    {
        join();
        return m_bytes;
    }
    QString text() const
    {
        return m_joined ? QString::fromUtf8(m_bytes) : QString::fromUtf8(m_begin, m_end - m_begin);
    }

private:
    void join()
    {
        if (!m_joined && m_begin)
            m_bytes.append(m_begin, m_end - m_begin);
        m_joined = true;
    }
    const char *m_begin = nullptr;
    const char *m_end = nullptr;
    bool m_joined = false;
    QByteArray m_bytes;
};

FastXmlReader::FastXmlReader(QByteArrayView document)
    : m_p(document.data()), m_end(document.data() + document.size())
{
    if (document.startsWith("\xEF\xBB\xBF"))
        m_p += 3;
    if (!vocabcodec::IsValidUtf8(m_p, m_end - m_p)) {
        bail();
        return;
    }
    if (QByteArrayView(m_p, m_end - m_p).startsWith("<?xml") && !declaration())
        bail();
}

bool FastXmlReader::bail()
{
    m_unsupported = true;
    m_stopped = true;
    m_token = NoToken;
    return false;
}

inline const char *FastXmlReader::name(const char *p) const
{
    if (p >= m_end || !IsNameStart(*p))
        return nullptr;
    ++p;
    while (p < m_end && IsNameChar(*p))
        ++p;
    // A name that goes on beyond ASCII (or with a namespace prefix) is not
    // read here.
    if (p < m_end && (uchar(*p) >= 0x80 || *p == ':'))
        return nullptr;
    return p;
}

// Most markup has no white space where it may have some, or one blank: the
// scan of longer runs stays out of line.
inline const char *FastXmlReader::space(const char *p)
{
    if (p < m_end && IsSpace(*p))
        return spaceRun(p);
    return p;
}

const char *FastXmlReader::spaceRun(const char *p)
{
#ifdef __SSE2__
    // Most runs are a line feed and the blanks of the next line's
    // indentation, or blanks alone: one comparison finds their end.
    if (m_end - p >= 16 && (*p == '\n' || *p == ' ')) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const bool lineFeed = *p == '\n';
        const unsigned blanks = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(' '))));
        const unsigned others = ~(blanks | (lineFeed ? 1u : 0u)) & 0xFFFF;
        if (others) {
            const char *const end = p + __builtin_ctz(others);
            if (!IsSpace(*end)) {
                m_line += lineFeed ? 1 : 0;
                return end;
            }
        }
    }
    // Sixteen bytes at a time, counting their line feeds; a run with a
    // carriage return is counted one byte at a time below.
    while (m_end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i lf = _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'));
        const __m128i cr = _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'));
        const __m128i blank = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')),
                                                        _mm_cmpeq_epi8(v, _mm_set1_epi8('\t'))),
                                           _mm_or_si128(lf, cr));
        const unsigned others = ~unsigned(_mm_movemask_epi8(blank)) & 0xFFFF;
        const int run = others ? __builtin_ctz(others) : 16;
        const unsigned inRun = (1u << run) - 1;
        if (unsigned(_mm_movemask_epi8(cr)) & inRun)
            break;
        // Mostly one line feed: counted bit by bit (no population count
        // instruction is assumed).
        for (unsigned lines = unsigned(_mm_movemask_epi8(lf)) & inRun; lines; lines &= lines - 1)
            ++m_line;
        p += run;
        if (run < 16)
            return p;
    }
#endif
    for (; p < m_end && IsSpace(*p); ++p)
        if (*p <= '\r' && (*p == '\n' || (*p == '\r' && (p + 1 >= m_end || p[1] != '\n'))))
            ++m_line;
    return p;
}

// <?xml version="1.0" encoding="UTF-8" standalone="yes"?>, the encoding and
// standalone parts optional.
bool FastXmlReader::declaration()
{
    const char *p = m_p + 5;
    const char *const order[] = {"version", "encoding", "standalone"};
    int next = 0;
    for (;;) {
        const char *q = space(p);
        if (q + 1 < m_end && q[0] == '?' && q[1] == '>') {
            m_p = q + 2;
            return next > 0;
        }
        if (q == p)
            return false;
        const char *n = name(q);
        if (!n)
            return false;
        const QByteArrayView key(q, n - q);
        while (next < 3 && key != order[next])
            ++next;
        if (next == 3 || (next > 0 && key == "version") || (next == 0 && key != "version"))
            return false;
        q = space(n);
        if (q >= m_end || *q != '=')
            return false;
        q = space(q + 1);
        if (q >= m_end || (*q != '"' && *q != '\''))
            return false;
        const char quote = *q;
        const char *v = q + 1;
        const char *e = v;
        while (e < m_end && *e != quote && IsNameChar(*e))
            ++e;
        if (e >= m_end || *e != quote)
            return false;
        const QByteArrayView value(v, e - v);
        if ((next == 0 && value != "1.0")
            || (next == 1 && value.compare("UTF-8", Qt::CaseInsensitive) != 0)
            || (next == 2 && value != "yes" && value != "no"))
            return false;
        ++next;
        p = e + 1;
    }
}

// <!DOCTYPE name PUBLIC "id" "system"> or <!DOCTYPE name SYSTEM "system"> or
// <!DOCTYPE name>, with literals of plain characters only.
bool FastXmlReader::doctype()
{
    if (m_rootSeen || m_doctypeSeen)
        return bail();
    const char *p = m_p + 9;
    const char *q = space(p);
    if (q == p)
        return bail();
    const char *n = name(q);
    if (!n)
        return bail();
    auto literal = [&](const char *at) -> const char * {
        if (at >= m_end || (*at != '"' && *at != '\''))
            return nullptr;
        const char quote = *at++;
        while (at < m_end && *at != quote
               && (IsNameChar(*at) || *at == ' ' || *at == '/' || *at == ':'))
            ++at;
        return (at < m_end && *at == quote) ? at + 1 : nullptr;
    };
    p = space(n);
    if (p < m_end && *p != '>') {
        if (p == n)
            return bail();
        const QByteArrayView rest(p, m_end - p);
        const bool isPublic = rest.startsWith("PUBLIC");
        if (!isPublic && !rest.startsWith("SYSTEM"))
            return bail();
        q = space(p + 6);
        if (q == p + 6 || !(p = literal(q)))
            return bail();
        if (isPublic) {
            q = space(p);
            if (q == p || !(p = literal(q)))
                return bail();
        }
        p = space(p);
    }
    if (p >= m_end || *p != '>')
        return bail();
    m_p = p + 1;
    m_doctypeSeen = true;
    return true;
}

bool FastXmlReader::characters(TextSink *text, bool inside)
{
    const char *p = m_p;
    if (!inside) {
        // Before the root element only white space.
        p = space(p);
        m_p = p;
        return p >= m_end || *p == '<' || bail();
    }
    if (!text) {
        // Mostly a line end and the indentation before the next tag.
        p = space(p);
        if (p < m_end && *p == '<') {
            m_p = p;
            return true;
        }
    }
    const char *run = p;
    for (;;) {
        p = SkipPlain(p, m_end);
        if (p >= m_end || *p == '<')
            break;
        const uchar c = uchar(*p);
        if (c == '\n') {
            ++m_line;
            ++p;
        } else if (c == '\r') {
            // A line end is one line feed in the text, whatever it was.
            ++m_line;
            if (text) {
                text->add(run, p);
                text->bytes() += '\n';
            }
            p += (p + 1 < m_end && p[1] == '\n') ? 2 : 1;
            run = p;
        } else if (c == '\t') {
            ++p;
        } else if (c < 0x20) {
            return bail();
        } else if (c == 0xEF) {
            if (IsNonCharacterAt(p, m_end))
                return bail();
            ++p;
        } else if (c == ']') {
            if (IsCdataEndAt(p, m_end))
                return bail();
            ++p;
        } else { // '&'
            const char *semi = p + 1;
            while (semi < m_end && semi - p <= 10 && *semi != ';')
                ++semi;
            if (semi >= m_end || *semi != ';')
                return bail();
            const char32_t ch = Reference(QByteArrayView(p + 1, semi - p - 1));
            if (ch == 0)
                return bail();
            if (text) {
                text->add(run, p);
                AppendUtf8(text->bytes(), ch);
            }
            p = semi + 1;
            run = p;
        }
    }
    if (text)
        text->add(run, p);
    m_p = p;
    return true;
}

bool FastXmlReader::startTag()
{
    const char *p = m_p + 1;
    const char *n = name(p);
    if (!n)
        return bail();
    m_name = QByteArrayView(p, n - p);
    m_attributes.clear();
    p = n;
    for (;;) {
        const char *q = space(p);
        if (q >= m_end)
            return bail();
        if (*q == '>') {
            p = q + 1;
            break;
        }
        if (*q == '/') {
            if (q + 1 >= m_end || q[1] != '>')
                return bail();
            m_pendingEnd = true;
            p = q + 2;
            break;
        }
        if (q == p)
            return bail();
        const char *an = name(q);
        if (!an)
            return bail();
        const QByteArrayView attribute(q, an - q);
        if (attribute.size() >= 5 && std::memcmp(attribute.data(), "xmlns", 5) == 0)
            return bail();
        for (const Attribute &a : m_attributes)
            if (Same(a.name, attribute))
                return bail();
        q = space(an);
        if (q >= m_end || *q != '=')
            return bail();
        q = space(q + 1);
        if (q >= m_end || (*q != '"' && *q != '\''))
            return bail();
        const char quote = *q;
        const char *v = q + 1;
        const char *e = v;
        for (; e < m_end; ++e) {
            while (e < m_end && !ValueSpecial[uchar(*e)])
                ++e;
            if (e >= m_end || *e == quote)
                break;
            const uchar c = uchar(*e);
            if (c == '<' || c == '&' || (c < 0x20 && c != '\t' && c != '\n' && c != '\r'))
                return bail();
            if (c == '\n' || (c == '\r' && (e + 1 >= m_end || e[1] != '\n')))
                ++m_line;
            if (IsNonCharacterAt(e, m_end))
                return bail();
        }
        if (e >= m_end)
            return bail();
        m_attributes.push_back({attribute, QByteArrayView(v, e - v)});
        p = e + 1;
    }
    m_p = p;
    if (m_open.isEmpty()) {
        if (m_rootSeen)
            return bail();
        m_rootSeen = true;
    }
    m_open.append(m_name);
    m_token = StartElement;
    return true;
}

bool FastXmlReader::endTag()
{
    // The name must be that of the element open: its bytes, then white
    // space or ">" (so no more of a name).
    if (m_open.isEmpty())
        return bail();
    const QByteArrayView open = m_open.last();
    const char *p = m_p + 2;
    if (m_end - p <= open.size() || !Same(QByteArrayView(p, open.size()), open))
        return bail();
    p = space(p + open.size());
    if (p >= m_end || *p != '>')
        return bail();
    m_open.removeLast();
    m_p = p + 1;
    m_name = open;
    m_token = EndElement;
    if (m_open.isEmpty())
        m_stopped = true; // the root element is over: nothing after it is read
    return true;
}

FastXmlReader::Token FastXmlReader::readNext()
{
    if (m_stopped)
        return m_token = NoToken;
    if (m_pendingEnd) {
        m_pendingEnd = false;
        m_name = m_open.last();
        m_open.removeLast();
        if (m_open.isEmpty())
            m_stopped = true;
        return m_token = EndElement;
    }
    for (;;) {
        // Mostly white space and a tag: the rest is checked out of line.
        m_p = space(m_p);
        if ((m_p >= m_end || *m_p != '<') && !characters(nullptr, !m_open.isEmpty()))
            return NoToken;
        if (m_p >= m_end) {
            bail(); // the document ends before its root element does
            return NoToken;
        }
        // Most markup is a tag: the character after "<" tells.
        const char next = m_p + 1 < m_end ? m_p[1] : 0;
        if (IsNameStart(next))
            return startTag() ? m_token : NoToken;
        if (next == '/')
            return endTag() ? m_token : NoToken;
        const QByteArrayView rest(m_p, m_end - m_p);
        if (rest.startsWith("<!--")) {
            if (!comment())
                return NoToken;
            continue;
        }
        if (rest.startsWith("<![CDATA[")) {
            if (m_open.isEmpty() || !cdata(nullptr))
                return bail(), NoToken;
            continue;
        }
        if (rest.startsWith("<!DOCTYPE")) {
            if (!doctype())
                return NoToken;
            continue;
        }
        bail();
        return NoToken;
    }
}

bool FastXmlReader::comment()
{
    const char *q = m_p + 4;
    while (q + 1 < m_end && !(q[0] == '-' && q[1] == '-')) {
        const uchar c = uchar(*q);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return bail();
        if (c == '\n' || (c == '\r' && q[1] != '\n'))
            ++m_line;
        if (IsNonCharacterAt(q, m_end))
            return bail();
        ++q;
    }
    // "--" ends the comment and must be followed by ">".
    if (q + 2 >= m_end || q[2] != '>')
        return bail();
    m_p = q + 3;
    return true;
}

bool FastXmlReader::cdata(TextSink *text)
{
    const char *p = m_p + 9;
    const char *run = p;
    for (;; ++p) {
        if (m_end - p < 3)
            return bail();
        if (IsCdataEndAt(p, m_end))
            break;
        const uchar c = uchar(*p);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return bail();
        if (IsNonCharacterAt(p, m_end))
            return bail();
        if (c == '\n') {
            ++m_line;
        } else if (c == '\r') {
            ++m_line;
            if (text) {
                text->add(run, p);
                text->bytes() += '\n';
            }
            if (p[1] == '\n')
                ++p;
            run = p + 1;
        }
    }
    if (text)
        text->add(run, p);
    m_p = p + 3;
    return true;
}

void FastXmlReader::skipCurrentElement()
{
    int depth = 1;
    while (depth > 0) {
        const Token token = readNext();
        if (token == NoToken)
            return;
        depth += token == StartElement ? 1 : -1;
    }
}

QString FastXmlReader::readElementText()
{
    if (m_token != StartElement)
        return bail(), QString();
    if (m_pendingEnd) {
        readNext();
        return QString();
    }
    TextSink text;
    for (;;) {
        if (!characters(&text, true))
            return QString();
        if (m_p >= m_end)
            return bail(), QString();
        const QByteArrayView rest(m_p, m_end - m_p);
        if (rest.startsWith("<!--")) {
            if (!comment())
                return QString();
        } else if (rest.startsWith("<![CDATA[")) {
            if (!cdata(&text))
                return QString();
        } else if (rest.startsWith("</")) {
            return endTag() ? text.text() : QString();
        } else if (rest.size() > 1 && IsNameStart(rest[1])) {
            // A child element and its text are left out.
            if (!startTag())
                return QString();
            skipCurrentElement();
            if (m_unsupported)
                return QString();
        } else {
            return bail(), QString();
        }
    }
}

// The end of the plain character data from p: the first byte that is not
// one of its characters, or the end of the document.
inline const char *FastXmlReader::plainTextEnd(const char *p) const
{
    for (;;) {
        p = SkipPlain(p, m_end);
        // A bracket that does not end "]]>", and 0xEF that does not begin
        // U+FFFE or U+FFFF, are plain characters like any other.
        if (p < m_end
            && ((*p == ']' && !IsCdataEndAt(p, m_end))
                || (uchar(*p) == 0xEF && !IsNonCharacterAt(p, m_end))))
            ++p;
        else
            return p;
    }
}

bool FastXmlReader::readPlainText(QByteArrayView *text)
{
    if (m_token != StartElement || m_pendingEnd || m_stopped)
        return false;
    const char *const p = plainTextEnd(m_p);
    if (m_end - p < 2 || p[0] != '<' || p[1] != '/')
        return false;
    *text = QByteArrayView(m_p, p - m_p);
    m_p = p;
    return endTag();
}

namespace {

// Whether the bytes at p are the literal s; if so, p moves past them.
template <qsizetype N>
inline bool Take(const char *&p, const char *end, const char (&s)[N])
{
    if (end - p < N - 1 || std::memcmp(p, s, N - 1) != 0)
        return false;
    p += N - 1;
    return true;
}

// One to nine ASCII digits at p, as numberAttribute reads them; p moves
// past them.
inline bool TakeNumber(const char *&p, const char *end, int *value)
{
    const char *q = p;
    int v = 0;
    while (q < end && q - p < 9 && uchar(*q - '0') < 10) {
        v = v * 10 + (*q - '0');
        ++q;
    }
    // A tenth digit is not added up (it could overflow): such a number is
    // left to the general reading.
    if (q == p || (q < end && uchar(*q - '0') < 10))
        return false;
    *value = v;
    p = q;
    return true;
}

} // namespace

// White space between two tags, as space() reads it, with its usual form
// (a line feed and the blanks of the next line's indentation) measured in
// line.
inline const char *FastXmlReader::plainSpace(const char *p)
{
    if (p < m_end && *p == '\n') {
        ++m_line;
        ++p;
    }
#ifdef __SSE2__
    if (m_end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned others =
            ~unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')))) & 0xFFFF;
        if (others)
            p += __builtin_ctz(others);
        else
            p += 16;
    }
#endif
    return space(p);
}

namespace {

// Whether the n bytes at a and b are the same; each may be read only
// within its n bytes.
inline bool SameBytes(const char *a, const char *b, qsizetype n)
{
#ifdef __SSE2__
    if (n >= 16) {
        auto differ = [](const char *x, const char *y) {
            const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i *>(x));
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(y));
            return _mm_movemask_epi8(_mm_cmpeq_epi8(u, v)) != 0xFFFF;
        };
        for (qsizetype i = 0; i + 16 < n; i += 16)
            if (differ(a + i, b + i))
                return false;
        // The last sixteen bytes, overlapping those compared before.
        return !differ(a + n - 16, b + n - 16);
    }
#endif
    // Two words that overlap when n is not twice their size.
    auto same = [a, b, n](auto word) {
        decltype(word) x, y, z, w;
        std::memcpy(&x, a, sizeof x);
        std::memcpy(&y, b, sizeof y);
        std::memcpy(&z, a + n - sizeof z, sizeof z);
        std::memcpy(&w, b + n - sizeof w, sizeof w);
        return ((x ^ y) | (z ^ w)) == 0;
    };
    if (n >= 8)
        return same(quint64());
    if (n >= 4)
        return same(quint32());
    if (n >= 2)
        return same(quint16());
    return n == 0 || *a == *b;
}

} // namespace

// A piece of the document with its line ends counted as space() counts
// them (a piece never ends with a carriage return: it ends with a quote or
// ">").
FastXmlReader::Piece FastXmlReader::piece(const char *begin, const char *end) const
{
    int lines = 0;
    for (const char *c = begin; c < end; ++c)
        if (*c == '\n' || (*c == '\r' && (c + 1 >= end || c[1] != '\n')))
            ++lines;
    return {begin, end - begin, lines};
}

inline bool FastXmlReader::takePiece(const char *&p, const Piece &piece)
{
    if (m_end - p < piece.size || !SameBytes(p, piece.data, piece.size))
        return false;
    p += piece.size;
    m_line += piece.lines;
    return true;
}

bool FastXmlReader::readPlainEntry(PlainEntry *entry)
{
    if (!canReadPlain())
        return false;
    return (m_entryLayout.translations >= 0 && readEntryLike(entry, m_entryLayout))
        || readLooseEntry(entry);
}

// An entry whose bytes are those of the layout's, its id and texts apart.
bool FastXmlReader::readEntryLike(PlainEntry *entry, const Layout &layout)
{
    const qint64 line = m_line;
    const char *p = m_p;
    const Piece *piece = layout.piece;
    if (!takePiece(p, *piece++))
        return false;
    const char *const tag = p - 10; // "entry" in <entry id="
    if (!TakeNumber(p, m_end, &entry->id))
        return m_line = line, false;
    entry->line = m_line;
    for (int t = 0; t < layout.translations; ++t) {
        PlainTranslation &translation = entry->translation[t];
        if (!takePiece(p, *piece++))
            return m_line = line, false;
        translation.id = layout.id[t];
        const char *const text = p;
        p = plainTextEnd(p);
        translation.text = QByteArrayView(text, p - text);
    }
    if (!takePiece(p, *piece))
        return m_line = line, false;
    entry->translations = layout.translations;
    m_p = p;
    m_name = QByteArrayView(tag, 5);
    m_token = EndElement;
    return true;
}

// An entry read tag by tag; its pieces become the layout that the next
// entries are compared with.
bool FastXmlReader::readLooseEntry(PlainEntry *entry)
{
    const qint64 line = m_line;
    Layout layout;
    const char *p = plainSpace(m_p);
    const char *const tag = p + 1;
    int count = 0;
    if (!Take(p, m_end, "<entry id=\""))
        return m_line = line, false;
    layout.piece[0] = piece(m_p, p);
    const char *after = nullptr; // the end of the entry's id or of the last text
    if (!TakeNumber(p, m_end, &entry->id))
        return m_line = line, false;
    after = p;
    if (!Take(p, m_end, "\">"))
        return m_line = line, false;
    entry->line = m_line;
    for (;;) {
        p = plainSpace(p);
        if (Take(p, m_end, "</entry>"))
            break;
        if (count == MaxPlainTranslations)
            return m_line = line, false;
        PlainTranslation &translation = entry->translation[count];
        if (!Take(p, m_end, "<translation id=\"") || !TakeNumber(p, m_end, &translation.id)
            || !Take(p, m_end, "\">"))
            return m_line = line, false;
        p = plainSpace(p);
        if (!Take(p, m_end, "<text>"))
            return m_line = line, false;
        layout.piece[1 + count] = piece(after, p);
        layout.id[count] = translation.id;
        const char *const text = p;
        p = plainTextEnd(p);
        translation.text = QByteArrayView(text, p - text);
        after = p;
        if (!Take(p, m_end, "</text>"))
            return m_line = line, false;
        p = plainSpace(p);
        if (!Take(p, m_end, "</translation>"))
            return m_line = line, false;
        ++count;
    }
    layout.piece[1 + count] = piece(after, p);
    layout.translations = count;
    m_entryLayout = layout;
    entry->translations = count;
    m_p = p;
    m_name = QByteArrayView(tag, 5);
    m_token = EndElement;
    return true;
}

bool FastXmlReader::readPlainEntryRef(int *id)
{
    if (!canReadPlain())
        return false;
    const qint64 line = m_line;
    const char *p = m_p;
    // Mostly written as the one before.
    if (m_refLayout.translations == 0 && takePiece(p, m_refLayout.piece[0])) {
        const char *const tag = p - 10; // "entry" in <entry id="
        if (TakeNumber(p, m_end, id) && takePiece(p, m_refLayout.piece[1])) {
            m_p = p;
            m_name = QByteArrayView(tag, 5);
            m_token = EndElement;
            return true;
        }
        m_line = line;
        p = m_p;
    }
    p = plainSpace(p);
    const char *const tag = p + 1;
    if (!Take(p, m_end, "<entry id=\""))
        return m_line = line, false;
    const char *const number = p;
    if (!TakeNumber(p, m_end, id))
        return m_line = line, false;
    const char *const after = p;
    if (!Take(p, m_end, "\"/>"))
        return m_line = line, false;
    m_refLayout.translations = 0;
    m_refLayout.piece[0] = piece(m_p, number);
    m_refLayout.piece[1] = piece(after, p);
    m_p = p;
    m_name = QByteArrayView(tag, 5);
    m_token = EndElement;
    return true;
}

int FastXmlReader::numberAttribute(QByteArrayView attribute, bool *present)
{
    *present = false;
    for (const Attribute &a : m_attributes) {
        if (!Same(a.name, attribute))
            continue;
        if (a.value.isEmpty() || a.value.size() > 9) {
            bail();
            return 0;
        }
        int value = 0;
        for (char d : a.value) {
            if (d < '0' || d > '9') {
                bail();
                return 0;
            }
            value = value * 10 + (d - '0');
        }
        *present = true;
        return value;
    }
    return 0;
}

QByteArrayView FastXmlReader::attribute(QByteArrayView name) const
{
    for (const Attribute &a : m_attributes)
        if (Same(a.name, name))
            return a.value;
    return {};
}
