// Feeds arbitrary bytes to the .eng reader and to the entry functions, and
// checks what must hold for any input: whatever the reader accepts can be
// written again, and items already in normal form read back unchanged.
#include "vocab/entry.h"
#include "vocab/vocabfile.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_vocabfile: %s\n", what);
        std::abort();
    }
}

bool HasLoneSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (ch.isSurrogate())
            return true;
    }
    return false;
}

bool IsStable(const VocabItem &item)
{
    for (const QString *field : {&item.CriticalMark, &item.English, &item.MyLanguage})
        if (HasLoneSurrogate(*field))
            return false;
    return NormaliseEntry(item.English) == item.English
        && NormaliseEntry(item.MyLanguage) == item.MyLanguage;
}

void FuzzReader(const QByteArray &bytes)
{
    const VocabFileContents read = ReadVocabFile(bytes);
    Require(read.items.size() <= ItemTable::MaxItems, "too many items");
    for (const VocabItem &item : read.items) {
        Require(UnwritableReason(item).isEmpty(), "an accepted item cannot be written");
        Require(CheckBrackets(item.English, item.MyLanguage) == 0, "an accepted item fails the check");
    }
    const qint16 code = read.languageCode.value_or(0);
    Require(code >= 0 && code <= 9, "language code out of range");
    Require(EncodeVocabFile(read.items, code).ok(), "accepted items cannot be encoded");

    QVector<VocabItem> stable;
    for (const VocabItem &item : read.items)
        if (IsStable(item))
            stable.append(item);
    const VocabFileBytes written = EncodeVocabFile(stable, code);
    Require(written.ok(), "stable items cannot be encoded");
    const VocabFileContents back = ReadVocabFile(written.bytes);
    Require(back.messages.isEmpty(), "a written file gives messages");
    Require(back.items == stable, "a written file reads back differently");
    Require(back.languageCode == code, "the language code does not read back");
}

void FuzzEntries(const QString &english, const QString &mine)
{
    const QString e = NormaliseEntry(english);
    const QString m = NormaliseEntry(mine);
    const qint16 result = CheckBrackets(e, m);
    Require(result >= 0, "negative check result");
    for (const QString *text : {&english, &mine, &e, &m}) {
        const QStringList parts = ParseEntry(*text);
        Require(!parts.isEmpty(), "no parts");
        if (!text->contains(u'('))
            Require(parts.size() == 1 && parts.first() == text->trimmed(), "parts without bracket");
        const QString main = MainText(*text);
        Require(main.size() <= text->size(), "main text longer than the entry");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    FuzzReader(bytes);

    // The same bytes as two entries, split at the first line end.
    const qsizetype split = bytes.indexOf('\n');
    const QByteArray first = split < 0 ? bytes : bytes.left(split);
    const QByteArray second = split < 0 ? QByteArray() : bytes.mid(split + 1);
    FuzzEntries(QString::fromUtf8(first), QString::fromUtf8(second));
    FuzzEntries(QString::fromLatin1(first), QString::fromLatin1(second));
    return 0;
}
