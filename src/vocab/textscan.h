#pragma once
// What the readers (.eng files, KVTML, tables) share when they decode a text
// and look for what its normal form and its check depend on: white space,
// brackets and commas. The scans take sixteen bytes at a time where the
// processor offers it (SSE2, which every x86-64 processor has).

#include <QChar>
#include <QtGlobal>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace textscan {

// White space as QString::trimmed() takes it away (QChar::isSpace), with the
// common answers given without a call: no character below U+1680 is white
// space but these.
Q_ALWAYS_INLINE bool IsSpace(char16_t c)
{
    if (c < 0x80)
        return c == u' ' || (c >= 0x09 && c <= 0x0D);
    if (c < 0x1680)
        return c == 0x85 || c == 0xA0;
    return QChar::isSpace(c);
}

inline bool IsBracket(char16_t c)
{
    return c == u'(' || c == u')' || c == u'[' || c == u']';
}

// A bracket or a comma: the marks of an entry.
inline bool IsMark(char16_t c)
{
    return IsBracket(c) || c == u',';
}

// Writes the UTF-16 of the well-formed UTF-8 sequence of `length` bytes (2 to
// 4) at in to out; returns the characters written (two for a surrogate pair).
inline int DecodeUtf8Sequence(const unsigned char *in, int length, char16_t *out)
{
    const unsigned char b = in[0];
    if (length == 2) {
        out[0] = char16_t(((b & 0x1F) << 6) | (in[1] & 0x3F));
        return 1;
    }
    if (length == 3) {
        out[0] = char16_t(((b & 0x0F) << 12) | ((in[1] & 0x3F) << 6) | (in[2] & 0x3F));
        return 1;
    }
    const char32_t c = (char32_t(b & 0x07) << 18) | (char32_t(in[1] & 0x3F) << 12)
        | (char32_t(in[2] & 0x3F) << 6) | char32_t(in[3] & 0x3F);
    out[0] = QChar::highSurrogate(c);
    out[1] = QChar::lowSurrogate(c);
    return 2;
}

#ifdef __SSE2__
// Bit i is set when byte i of v is a bracket or a comma.
inline unsigned MarkBits(__m128i v)
{
    const __m128i found = _mm_or_si128(
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('(')),
                                  _mm_cmpeq_epi8(v, _mm_set1_epi8(')'))),
                     _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('[')),
                                  _mm_cmpeq_epi8(v, _mm_set1_epi8(']')))),
        _mm_cmpeq_epi8(v, _mm_set1_epi8(',')));
    return unsigned(_mm_movemask_epi8(found));
}

// Bit i is set when byte i of v is an ASCII white-space character: a blank,
// or a control character from 0x09 to 0x0D.
inline unsigned AsciiSpaceBits(__m128i v)
{
    const __m128i controls = _mm_sub_epi8(v, _mm_set1_epi8(0x09));
    const __m128i spaces = _mm_or_si128(
        _mm_cmpeq_epi8(v, _mm_set1_epi8(' ')),
        _mm_cmpeq_epi8(_mm_min_epu8(controls, _mm_set1_epi8(0x0D - 0x09)), controls));
    return unsigned(_mm_movemask_epi8(spaces));
}

// The sixteen characters at p as sixteen bytes: an ASCII character stays as
// it is, any other one becomes 0x7F or 0x80, which none of the scans here
// looks for.
inline __m128i NarrowedUtf16(const char16_t *p)
{
    return _mm_packs_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)),
                           _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 8)));
}

// Writes the sixteen bytes of v (each below 0x80, or taken as Latin-1) as
// sixteen characters to out.
inline void StoreWidened(__m128i v, char16_t *out)
{
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out), _mm_unpacklo_epi8(v, _mm_setzero_si128()));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out + 8),
                     _mm_unpackhi_epi8(v, _mm_setzero_si128()));
}

// The run of ASCII that the sixteen bytes at in begin with, no longer than
// `limit`: widened to out, and its length returned (0 when the first byte is
// beyond ASCII). v keeps the sixteen bytes for the caller's own look at them.
inline int WidenAsciiRun(const unsigned char *in, qsizetype limit, char16_t *out, __m128i &v)
{
    v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
    const unsigned high = unsigned(_mm_movemask_epi8(v));
    const int ascii = int(qMin<qsizetype>(high ? __builtin_ctz(high) : 16, limit));
    if (ascii > 0)
        StoreWidened(v, out);
    return ascii;
}
#endif

// Decodes the UTF-8 bytes [in, end) into out, which has room for their
// number + 16 characters, and sets marks: bit i is set when character i is
// a bracket or a comma (the first 64 characters only). sequence(p) gives
// the length of the sequence that starts with the byte at p, beyond ASCII,
// or 0 when it is not well-formed: the decoding then stops and returns -1.
// Otherwise it returns the number of characters written. Runs of ASCII go
// sixteen bytes at a time while the bytes may be read on up to `readable`.
template <typename SequenceLength>
qsizetype DecodeUtf8Marked(const unsigned char *in, const unsigned char *end,
                           const unsigned char *readable, char16_t *out, quint64 *marks,
                           SequenceLength sequence)
{
    qsizetype n = 0;
    quint64 found = 0;
    while (in < end) {
#ifdef __SSE2__
        if (readable - in >= 16) {
            __m128i v;
            const int ascii = WidenAsciiRun(in, end - in, out + n, v);
            if (ascii > 0) {
                if (n < 64)
                    found |= quint64(MarkBits(v) & ((1u << ascii) - 1)) << n;
                in += ascii;
                n += ascii;
                continue;
            }
        }
#else
        Q_UNUSED(readable);
#endif
        const unsigned char b = *in;
        if (b < 0x80) {
            if (IsMark(b) && n < 64)
                found |= quint64(1) << n;
            out[n++] = b;
            ++in;
            continue;
        }
        const int length = sequence(in);
        if (length == 0)
            return -1;
        n += DecodeUtf8Sequence(in, length, out + n);
        in += length;
    }
    *marks = found;
    return n;
}

} // namespace textscan
