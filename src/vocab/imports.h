#pragma once
// Vocabularies from other programs: KVTML files (KDE's vocabulary format,
// version 2) and text tables (tab-, semicolon- or comma-separated, as
// spreadsheets and Anki write them), and the tab-separated table that Save
// writes for them. Every row goes through the same checks as a row of an
// .eng file (SettleRow); the rows that cannot be taken are counted in one
// message at the end, which names the first few.
//
// KVTML: the identifier whose locale is English ("en", "en_GB", ...) gives
// the English texts, the first other one my language, and its locale the
// language code (it 1, fr 2, de 3, es 4, any other 0). Every lesson
// container that holds entries, nested ones included, is a lesson, numbered
// in the order in which the containers begin; lessons beyond the 20th join
// lesson 20, and a notice says so. Entries in no lesson make one lesson
// more, after the others (lesson 1 when the file has no lessons). Items come
// lesson by lesson, each lesson's in the order of the file.
//
// Tables: columns English, my language, then optionally the lesson (1 to 20,
// lesson 1 when empty) and the critical mark (one character). A third column
// that holds anything but whole numbers is not a lesson column, and a fourth
// that holds more than one character is not a mark column: both are then
// left alone. Fields in double quotes may hold separators, line breaks and
// doubled quotes (RFC 4180); a line break inside a text becomes a blank.
// Lines that begin with "#" are comments; those at the top of the file may
// be Anki's headers ("#separator:", "#html:", "#columns:", "#guid column:"
// and the other "column" headers, whose columns are left out).
// A first row whose cells name the columns ("English", "Italian", "Lesson"),
// with or without "#" before it, is a header: it gives the language.

#include "vocab/vocabfile.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <optional>

// How a file is read.
enum class VocabFileKind { Eng, Kvtml, Table };

// The kind of the file at path with these bytes: by its extension (".eng",
// ".kvtml", ".tsv", ".csv", ".txt"); a file with another extension or none
// by its first bytes (XML is KVTML, a line that looks like a table row is a
// table, anything else an .eng file). A ".kvtml" file that is not XML is
// still KVTML, and gets KVTML's message.
VocabFileKind KindOfVocabFile(const QString &path, const QByteArray &bytes);

// Reads a KVTML file. False, with the reason in *error and contents left as
// they were, when the file is not XML, not KVTML of version 2, or has no
// English identifier or no second language.
bool ReadKvtml(const QByteArray &bytes, VocabFileContents &contents, QString *error,
               const VocabFileReadOptions &options = {});

// The same read with QXmlStreamReader alone. ReadKvtml reads the plain XML
// that vocabulary programs write with a scanner of its own, many times
// faster, and leaves any other file to QXmlStreamReader; both give the same
// result for every file that the scanner reads (the fuzzer checks it).
bool ReadKvtmlWithQt(const QByteArray &bytes, VocabFileContents &contents, QString *error,
                     const VocabFileReadOptions &options = {});

// Reads a text table. Any bytes give a result.
VocabFileContents ReadTable(const QByteArray &bytes, const VocabFileReadOptions &options = {});

// Reads the file at path as its kind says, and tells the kind. False, with
// the reason in *error, when it cannot be read or is refused as a whole.
bool ReadAnyVocabFileAt(const QString &path, VocabFileContents &contents, QString *error,
                        const VocabFileReadOptions &options = {},
                        VocabFileKind *kind = nullptr);

// The name of the language of a code as the table's header gives it
// ("Italian", "French", "German", "Spanish", "My language").
QString LanguageHeaderName(qint16 languageCode);
// The code of a language named in English, in the language itself, or by
// its ISO code ("German", "Deutsch", "de", "de_AT"); none when unknown.
std::optional<qint16> LanguageCodeOfName(QStringView name);

// The bytes of the tab-separated table of these items: a header line
// "#English", the language's name, "Lesson", "Critical" (a comment to Anki,
// the column titles to a spreadsheet), then English, my language, lesson
// (1 to 20) and mark ("c", or empty for a blank) of each item, one item a
// line, UTF-8 without a byte order mark, lines ended by CR LF. Refuses
// what the .eng writer refuses.
VocabFileBytes EncodeTable(const QVector<VocabItem> &items, qint16 languageCode);
// Creates or replaces the table file as safely as SaveVocabFile.
VocabSaveResult SaveTable(const QString &path, const QVector<VocabItem> &items,
                          qint16 languageCode);

// Whether Save writes a table to this name (it ends in ".tsv", in any case).
bool IsTableName(const QString &path);
// The name under which an imported file is saved by default: its extension
// replaced by ".eng" (or ".eng" added), so that the file it came from is
// never overwritten in another format.
QString EngNameFor(const QString &path);

// Plain text of an HTML field (Anki's "#html:true"): tags left out (a line
// break or block between texts becomes a blank), character references and
// the common named ones decoded, media references "[sound:...]" dropped.
QString PlainTextOfHtml(QStringView html);
