#pragma once
// Reading the tests log back for the history view: the file's bytes become
// lines, and each line becomes the nine columns of the history table. The
// fields are kept exactly as they stand in the file (no trimming).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

constexpr int HistoryColumnCount = 9;
// The column of the test result ("Test result"), 0-based.
constexpr int HistoryResultColumn = 7;

// Splits one log line into its nine fields: each of the first eight ends at
// the next ";", the ninth is the rest of the line (further ";" included).
// A line with fewer separators keeps the fields it has; the missing ones are
// empty texts. Always returns nine fields.
QStringList SplitLogLine(const QString &line);

// Decodes the log's bytes into lines. Lines end with CR LF, LF or CR; the
// line breaks are not part of the lines, and empty lines (which carry no
// record) are left out. Each line is read as UTF-8 when it is valid UTF-8 and
// holds anything beyond ASCII, otherwise as Windows-1252: records are
// appended one at a time, so one log can hold lines of both kinds.
// letEventsRun, when given, is called now and then during long reads.
QStringList DecodeLogLines(const QByteArray &bytes,
                           const std::function<void()> &letEventsRun = {});

struct HistoryReadResult {
    bool ok = true;
    QString fileName;           // the log that was read ("" when there is no name)
    QString reason;             // why it could not be read
    QList<QStringList> rows;    // nine fields per record, in file order
};

// Reads the log beside a vocabulary file. With no file name there is no log
// and the result is an empty, successful read. A log that does not exist yet
// is created empty. A log that cannot be created or read gives ok = false
// with the reason.
HistoryReadResult ReadHistoryLog(const QString &vocabularyFileName,
                                 const std::function<void()> &letEventsRun = {});

// The test result of a history row as a number, or nothing when the field is
// not a whole number.
std::optional<int> TestResultValue(const QString &field);
