#pragma once
// The .eng vocabulary file: a language line, a ruler line and one fixed-width
// line per item. Reading checks every item line with the entry syntax and
// collects the rows it refuses as ready-made messages; writing produces the
// exact layout and replaces a file only once the new one is complete.
//
// Item line, columns counted from 1:
//   1-2 lesson, 3 blank, 4 critical mark, 5 blank,
//   6-55 English padded with blanks, 56-105 my language padded with blanks.
//
// Encoding: a file is written in Windows-1252 when every character fits and
// those bytes read back the same, otherwise in UTF-8 with a byte order mark.
// A file is read as UTF-8 when it is valid UTF-8 and holds anything beyond
// ASCII (with or without a byte order mark, which is never part of the text).
// A file with a byte order mark, or one where most of the lines beyond ASCII
// are valid UTF-8, is read line by line: each valid UTF-8 line as UTF-8,
// each other line as Windows-1252. Any other file is read as Windows-1252.
// Columns count UTF-16 characters after decoding, as QString does.

#include "vocab/vocabstore.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

class QIODevice;
class QSaveFile;

// Text of a message box that the caller shows: critical icon, OK button;
// an information icon for a notice (something the reader did, not refused).
struct VocabFileMessage {
    QString title;
    QString text;
    bool notice = false;
    bool operator==(const VocabFileMessage &) const = default;
};

struct VocabFileReadOptions {
    // How many more items the store can take; item rows beyond it are refused
    // with one message for all of them.
    int room = ItemTable::MaxItems;
    // Called now and then (at most about every 16 ms of reading) so that the
    // caller can let pending window events run.
    std::function<void()> letEventsRun;
    // Called with each message as soon as it is known (a refused row's as
    // the row is found, those that count rows at the end of the read); the
    // same messages go into the result.
    std::function<void(const VocabFileMessage &)> onRefusedRow;
};

// How the reader decoded a file.
enum class VocabFileEncoding {
    Windows1252,    // every line as Windows-1252
    Utf8,           // every line as UTF-8
    Utf8LineByLine, // valid UTF-8 lines as UTF-8, the others as Windows-1252
};

struct VocabFileContents {
    QVector<VocabItem> items;              // accepted items, in file order
    std::optional<qint16> languageCode;    // from the last language line, if any
    QList<VocabFileMessage> messages;      // refused rows, in file order, then the counts
    qsizetype lineCount = 0;               // physical lines read
    VocabFileEncoding encoding = VocabFileEncoding::Windows1252;
};

// Reads the bytes of a whole .eng file. Never fails: every input gives a
// result, and rows that cannot be used are refused with a message: one each
// for the first ten refused rows of a file, then one for all the others.
// The items' texts share a few blocks of memory, which saves an allocation
// per text; each still behaves as a string of its own.
VocabFileContents ReadVocabFile(const QByteArray &bytes, const VocabFileReadOptions &options = {});

// The largest file that ReadVocabFileAt reads. A full vocabulary takes
// less than 14 MB even in UTF-8 with every character four bytes long.
constexpr qint64 MaxVocabFileBytes = 64 * 1024 * 1024;

// Reads the file at path. Returns false, with the reason in *error, when the
// file cannot be read at all or is larger than MaxVocabFileBytes.
bool ReadVocabFileAt(const QString &path, VocabFileContents &contents, QString *error,
                     const VocabFileReadOptions &options = {});

// Reads the whole file at path, refusing (false, the reason in *error) a
// file that cannot be read or is larger than MaxVocabFileBytes.
bool ReadFileBytes(const QString &path, QByteArray &bytes, QString *error);

// The text of a file's bytes decoded by the rule of .eng files (see the top
// of this file): the byte order mark taken off, then UTF-8, Windows-1252,
// or each line in the one it is valid in. Line ends are kept.
QString DecodeVocabText(const QByteArray &bytes, VocabFileEncoding *encoding = nullptr);

// The checks every row of a vocabulary passes on its way into the store,
// whatever file it comes from, in this order.
enum class RowFault { None, NoTexts, NoEnglish, NoMyLanguage, Brackets, TooLong };
// Brings both texts (trimmed) into normal form, unless `settled` says that
// both already are and pass the bracket check (see IsSettledEntry), and
// checks them: not empty, brackets used rightly, at most 50 characters.
RowFault SettleRow(QString &english, QString &myLanguage, bool settled = false);
// What a row with this fault does, as the messages say it ("badly uses
// brackets or commas").
QString RowFaultText(RowFault fault);

// The lesson field of lesson 1 to 20 ("01".."20"), or an empty text; items
// share these texts.
const QString &LessonText(int lesson);
// The critical mark field of one character (" " and "c" shared).
QString MarkText(char16_t mark);

// Appends what was read to the store and takes over the language code when
// the file had a language line.
void AddToStore(const VocabFileContents &contents, VocabStore &store);

// The first two lines of a written file.
QString LanguageLine(qint16 languageCode);
QString RulerLine();

// Why an item cannot be written in the fixed-width layout (a lesson that is
// not two characters, a mark that is not one, a text longer than 50
// characters, a line break in a field); empty when it can.
QString UnwritableReason(const VocabItem &item);

struct VocabFileBytes {
    QByteArray bytes;  // the whole file, empty when error is set
    QString error;     // why the items cannot be written
    bool utf8 = false; // written as UTF-8 (with its byte order mark)
    bool ok() const { return error.isEmpty(); }
};

// The bytes of a file holding these items and this language code. Refuses
// (error set, no bytes) when an item cannot be written in the layout, rather
// than cutting or shifting any field.
VocabFileBytes EncodeVocabFile(const QVector<VocabItem> &items, qint16 languageCode);

struct VocabSaveResult {
    bool ok = false;
    QString error; // the reason, for the message naming the file
};

// Writes the encoded file to an open device and flushes it.
VocabSaveResult WriteVocabFile(QIODevice &device, const QVector<VocabItem> &items,
                               qint16 languageCode);
// Creates or replaces the file through the given save file (its name set, not
// yet open): the previous file stays untouched until the new one is complete,
// and stays untouched when anything fails.
VocabSaveResult SaveVocabFile(QSaveFile &file, const QVector<VocabItem> &items,
                              qint16 languageCode);
VocabSaveResult SaveVocabFile(const QString &path, const QVector<VocabItem> &items,
                              qint16 languageCode);
// Writes finished bytes through the save file in the same safe way.
VocabSaveResult SaveFileBytes(QSaveFile &file, const QByteArray &bytes);

// The name under which Save writes: the chosen name with ".eng" appended
// unless its last four characters, in lower case, already are ".eng".
QString WithEngExtension(const QString &path);

// Messages for the commands: a file that cannot be read, or written.
VocabFileMessage OpenFailedMessage(const QString &path, const QString &reason);
VocabFileMessage SaveFailedMessage(const QString &path, const QString &reason);

// Character conversions used by the reader and the writer. Windows-1252 maps
// each byte to one character; its five unassigned bytes map to the control
// characters of the same value, so every byte sequence decodes and encodes
// back unchanged.
namespace vocabcodec {
bool IsValidUtf8(const char *data, qsizetype size);
QString DecodeWindows1252(const char *data, qsizetype size);
// The Windows-1252 byte for a character, or -1 when it has none.
int Windows1252Byte(char16_t ch);
// Appends the Windows-1252 bytes of text; false (output unspecified) when a
// character does not fit.
bool AppendWindows1252(QByteArray &out, QStringView text);
} // namespace vocabcodec
