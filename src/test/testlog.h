#pragma once
// The tests log: one record per finished test, appended to a text file beside
// the vocabulary file (its name with the last four characters replaced by
// ".log"). Records are only ever appended; a record that cannot be written yet
// (no file name, or a write failure) is kept and written with the next one.

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QtGlobal>
#include <array>

class ItemPool;
class VocabStore;
struct RunOptions;
struct TestSession;

struct TestLogRecord {
    QDate Date;             // the day the test ended
    QTime Start;            // SessionStart: the last New or Open
    QTime End;              // when the test ended
    int Items = 0;          // items in the store
    int Criticals = 0;      // critical items in the store
    QString Lessons;        // " 3 12", or " ALL"
    qint16 Done = 0;        // exact answers since the last reset
    qint16 Result = 0;      // the score
    int TestCriticals = 0;  // critical items of the current run

    // The nine fields joined by ";", without a line end.
    QString Line(const QLocale &locale) const;
};

// The lessons field: a blank and the number of each selected lesson (state 2)
// in ascending order, or " ALL" when none is selected.
QString LessonsField(const std::array<qint16, 21> &lessonState);

// The locale's short date format with a four-digit year.
QString LogDateFormat(const QLocale &locale);
// The locale's short time format with seconds.
QString LogTimeFormat(const QLocale &locale);

// The log beside a vocabulary file: the name without its last four
// characters, then ".log"; "" when nothing would be left of the name.
QString LogFileName(const QString &vocabularyFileName);

// The record for the current values, ended at now.
TestLogRecord MakeTestLogRecord(const VocabStore &store, const ItemPool &pool,
                                const RunOptions &options, const TestSession &session,
                                const QDateTime &now);

// The result of writing to the log.
struct LogWriteResult {
    bool Ok = true;        // false: the log could not be written
    QString FileName;      // the log file concerned ("" when there is no name yet)
    QString Reason;        // why writing failed
    int Written = 0;       // records appended by this call
    int Pending = 0;       // records still kept in memory afterwards
};

// The message for a log that could not be written, naming the file and why,
// and its title; every command that finds the failure shows the same box,
// with a warning icon (the records are kept, nothing is lost yet).
QString LogFailureText(const LogWriteResult &result);
QString LogFailureTitle();

class TestLog {
public:
    // Called when a test window closes: when DoneCount is not 0, appends the
    // record of the current values to the log of the vocabulary file, after
    // any records kept from before. With no file name yet, or when the log
    // cannot be written, the record is kept in memory instead.
    LogWriteResult AppendTestLogRecord(const VocabStore &store, const ItemPool &pool,
                                       const RunOptions &options, const TestSession &session,
                                       const QDateTime &now, const QLocale &locale);

    // Appends an already built record line (for callers that build their own).
    LogWriteResult AppendLine(const QString &vocabularyFileName, const QString &line);

    // Called after each successful Save with the vocabulary's file name:
    // writes the records kept while the vocabulary had no name (or while its
    // log could not be written).
    LogWriteResult FlushPendingLogRecords(const QString &vocabularyFileName);

    const QStringList &PendingRecords() const { return m_pending; }

private:
    LogWriteResult WritePending(const QString &vocabularyFileName);

    QStringList m_pending;
};

// The bytes of a log line: Windows-1252 when every character fits, as the
// vocabulary files are written; UTF-8 otherwise, so nothing is lost.
QByteArray EncodeLogText(const QString &text);
