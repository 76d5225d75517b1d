// Feeds arbitrary bytes to the .eng reader, the importers (KVTML and text
// tables) and the entry functions, and checks what must hold for any input:
// whatever a reader accepts can be written again, and items already in
// normal form go through Save and Open (a real file) unchanged, language
// included, as an .eng file and as a table; KVTML's own scanner and
// QXmlStreamReader give the same result.
//
// An input that begins with "!R", two bytes n (little-endian) and a check
// byte stands for the rest of it repeated n times (at most 40,000 times and
// 4 MB): so short inputs reach long files, the 32,767-item limit and the
// shared text blocks of the reader. The check byte is the sum of n's bytes
// and the rest's, modulo 256: most mutations of such an input break it and
// are read as they are, so that the slow big files stay a small part of the
// run.
#include "vocab/entry.h"
#include "vocab/imports.h"
#include "vocab/vocabfile.h"

#include <QDir>
#include <QTemporaryDir>
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

// A folder in memory when the system has one: every input is saved.
const QString &SaveFolder()
{
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/fuzz-XXXXXX")
                                                       : QDir::tempPath() + "/fuzz-XXXXXX");
    static const QString path = dir.path();
    return path;
}

// What the reader makes of the bytes, the plain way: the whole text decoded
// as the reader decodes it, cut into lines, each line's fields taken with
// QString's own functions and brought into normal form without any
// shortcut. The reader's scans, masks and settled texts must give the same.
VocabFileContents PlainRead(const QByteArray &bytes)
{
    VocabFileContents plain;
    const QString text = DecodeVocabText(bytes);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype stop = start;
        while (stop < text.size() && text[stop] != u'\r' && text[stop] != u'\n')
            ++stop;
        const QString line = text.mid(start, stop - start).left(105);
        start = stop + 1;
        if (stop + 1 < text.size() && text[stop] == u'\r' && text[stop + 1] == u'\n')
            ++start;
        if (line.size() <= 2 || line.startsWith(QStringLiteral("##")))
            continue;
        if (line.startsWith(QStringLiteral("@@"))) {
            const QChar digit = line.size() >= 4 ? line[3] : QChar(u' ');
            plain.languageCode = qint16(digit >= u'0' && digit <= u'9' ? digit.unicode() - u'0' : 0);
            continue;
        }
        if (plain.items.size() >= ItemTable::MaxItems)
            continue;
        const QString lessonText = line.left(2).trimmed();
        bool number = !lessonText.isEmpty();
        for (QChar c : lessonText)
            number = number && c >= u'0' && c <= u'9';
        const int lesson = number ? lessonText.toInt() : 0;
        QString english = line.mid(5, 50).trimmed();
        QString mine = line.mid(55, 50).trimmed();
        if (lesson < 1 || lesson > 20 || SettleRow(english, mine) != RowFault::None)
            continue;
        plain.items.append({LessonText(lesson), MarkText(line.size() < 4 ? u' ' : line[3].unicode()),
                            english, mine});
    }
    return plain;
}

void FuzzReader(const QByteArray &bytes)
{
    const VocabFileContents read = ReadVocabFile(bytes);
    const VocabFileContents plain = PlainRead(bytes);
    Require(read.items == plain.items, "the reader and the plain reading give different items");
    Require(read.languageCode == plain.languageCode,
            "the reader and the plain reading give different languages");
    Require(read.items.size() <= ItemTable::MaxItems, "too many items");
    Require(read.messages.size() <= 12, "more messages than ten rows and two counts");
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
    // Save, then Open: the same items and the same language.
    const QString path = SaveFolder() + QStringLiteral("/words.eng");
    const VocabSaveResult saved = SaveVocabFile(path, stable, code);
    Require(saved.ok, "stable items cannot be saved");
    VocabFileContents back;
    QString error;
    Require(ReadVocabFileAt(path, back, &error), "a saved file cannot be read");
    Require(back.messages.isEmpty(), "a saved file gives messages");
    Require(back.items == stable, "a saved file reads back differently");
    Require(back.languageCode == code, "the language code does not read back");
}

// What every reader's accepted items must satisfy.
void RequireAccepted(const VocabFileContents &read, qsizetype maxMessages)
{
    Require(read.items.size() <= ItemTable::MaxItems, "too many items");
    Require(read.messages.size() <= maxMessages, "more messages than a reader gives");
    for (const VocabItem &item : read.items) {
        Require(UnwritableReason(item).isEmpty(), "an accepted item cannot be written");
        Require(CheckBrackets(item.English, item.MyLanguage) == 0, "an accepted item fails the check");
    }
}

void FuzzImports(const QByteArray &bytes)
{
    // Tables: one summary of refused rows at most; the stable items go
    // through the table that Save writes and back unchanged.
    const VocabFileContents table = ReadTable(bytes);
    RequireAccepted(table, 1);
    QVector<VocabItem> stable;
    for (const VocabItem &item : table.items)
        if (IsStable(item))
            stable.append(item);
    const qint16 code = table.languageCode.value_or(0);
    Require(code >= 0 && code <= 4, "a table's language code out of range");
    const VocabFileBytes written = EncodeTable(stable, code);
    Require(written.ok(), "accepted items cannot be written as a table");
    const VocabFileContents back = ReadTable(written.bytes);
    Require(back.messages.isEmpty(), "a written table gives messages");
    Require(back.items == stable, "a written table reads back differently");
    Require(back.languageCode == code, "a table's language does not read back");
    // Plain records read the quick way give what the general reading gives.
    // A column named as one that holds no text of an item turns the quick
    // reading off; the ninth is never one of an item's texts.
    const VocabFileContents quick = ReadTable("#deck column:0\n" + bytes);
    const VocabFileContents general = ReadTable("#deck column:9\n" + bytes);
    Require(quick.items == general.items && quick.messages == general.messages
                && quick.languageCode == general.languageCode
                && quick.lineCount == general.lineCount && quick.encoding == general.encoding,
            "the quick reading of a table differs from the general one");

    // KVTML: the fast scanner, with QXmlStreamReader behind it, answers as
    // QXmlStreamReader alone does.
    VocabFileContents mixed;
    VocabFileContents qt;
    QString mixedError;
    QString qtError;
    const bool mixedRead = ReadKvtml(bytes, mixed, &mixedError);
    const bool qtRead = ReadKvtmlWithQt(bytes, qt, &qtError);
    Require(mixedRead == qtRead || (bytes.trimmed().isEmpty() && !mixedRead),
            "the KVTML readers disagree on the file");
    if (!bytes.trimmed().isEmpty()) {
        Require(mixedError == qtError, "the KVTML readers give different reasons");
        Require(mixed.items == qt.items, "the KVTML readers give different items");
        Require(mixed.messages == qt.messages, "the KVTML readers give different messages");
        Require(mixed.languageCode == qt.languageCode, "the KVTML readers give different languages");
    }
    if (mixedRead)
        RequireAccepted(mixed, 2);
}

// The bytes an input stands for (see the top of this file).
QByteArray Expanded(const uint8_t *data, size_t size)
{
    const QByteArray asItIs =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    if (size < 6 || data[0] != '!' || data[1] != 'R')
        return asItIs;
    unsigned sum = data[2] + data[3];
    for (size_t i = 5; i < size; ++i)
        sum += data[i];
    if ((sum & 0xFF) != data[4])
        return asItIs;
    const QByteArray body(reinterpret_cast<const char *>(data) + 5, qsizetype(size) - 5);
    const qsizetype times = qMin<qsizetype>(qMin<qsizetype>(data[2] | (data[3] << 8), 40000),
                                            4 * 1024 * 1024 / body.size());
    return body.repeated(qMax<qsizetype>(times, 1));
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
        if (IsSettledEntry(*text))
            Require(NormaliseEntry(*text) == *text && CheckBrackets(*text, QStringLiteral("x")) == 0
                        && CheckBrackets(QStringLiteral("x"), *text) == 0,
                    "a settled entry needs the rewrite or fails the check");
    }
}

// Every byte decodes to a character that encodes back to that byte.
void FuzzCodePage(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(64);
    const QString text = vocabcodec::DecodeWindows1252(head.constData(), head.size());
    Require(text.size() == head.size(), "a byte is not one character");
    for (qsizetype i = 0; i < head.size(); ++i)
        Require(vocabcodec::Windows1252Byte(text.at(i).unicode()) == uchar(head.at(i)),
                "a character does not encode back to its byte");
    QByteArray encoded;
    Require(vocabcodec::AppendWindows1252(encoded, text) && encoded == head,
            "the bytes do not encode back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray expanded = Expanded(data, size);
    FuzzReader(expanded);
    FuzzImports(expanded);
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    FuzzCodePage(bytes);

    // The same bytes as two entries, split at the first line end.
    const qsizetype split = bytes.indexOf('\n');
    const QByteArray first = split < 0 ? bytes : bytes.left(split);
    const QByteArray second = split < 0 ? QByteArray() : bytes.mid(split + 1);
    FuzzEntries(QString::fromUtf8(first), QString::fromUtf8(second));
    FuzzEntries(QString::fromLatin1(first), QString::fromLatin1(second));
    return 0;
}
