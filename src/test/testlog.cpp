#include "test/testlog.h"

#include "test/itempool.h"
#include "test/testsession.h"
#include "vocab/vocabstore.h"

#include <QFile>
#include <QRegularExpression>

namespace {

const QString kFieldSeparator = QStringLiteral(";");

// A date or time text as a field: the separator cannot appear in it.
QString AsField(QString text)
{
    text.replace(QLatin1Char(';'), QLatin1Char('.'));
    return text;
}

// Windows-1252 bytes 0x80..0x9F and the characters they stand for (0 where
// the code page leaves the byte undefined).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

bool ToCp1252(QChar c, char &byte)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        byte = char(u);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] != 0 && kCp1252High[i] == u) {
            byte = char(0x80 + i);
            return true;
        }
    }
    return false;
}

} // namespace

QByteArray EncodeLogText(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        char byte;
        if (!ToCp1252(c, byte))
            return text.toUtf8();
        bytes.append(byte);
    }
    return bytes;
}

QString LessonsField(const std::array<qint16, 21> &lessonState)
{
    QString field;
    for (int lesson = 1; lesson <= 20; ++lesson) {
        if (lessonState[lesson] == 2)
            field += QLatin1Char(' ') + QString::number(lesson);
    }
    return field.isEmpty() ? QStringLiteral(" ALL") : field;
}

QString LogDateFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return format;
}

QString LogTimeFormat(const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (format.contains(QLatin1Char('s')))
        return format;
    const qsizetype minutes = format.indexOf(QLatin1Char('m'));
    if (minutes < 0)
        return QStringLiteral("HH:mm:ss");
    qsizetype end = minutes;
    while (end < format.size() && format.at(end) == QLatin1Char('m'))
        ++end;
    // Seconds follow the minutes with the separator that precedes the minutes.
    QString separator = QStringLiteral(":");
    if (minutes > 0 && !format.at(minutes - 1).isLetter() && format.at(minutes - 1) != QLatin1Char('\''))
        separator = format.at(minutes - 1);
    format.insert(end, separator + QStringLiteral("ss"));
    return format;
}

QString TestLogRecord::Line(const QLocale &locale) const
{
    const QString timeFormat = LogTimeFormat(locale);
    const QStringList fields{
        AsField(locale.toString(Date, LogDateFormat(locale))),
        AsField(locale.toString(Start, timeFormat)),
        AsField(locale.toString(End, timeFormat)),
        QString::number(Items),
        QString::number(Criticals),
        Lessons,
        QString::number(Done),
        QString::number(Result),
        QString::number(TestCriticals),
    };
    return fields.join(kFieldSeparator);
}

QString LogFileName(const QString &vocabularyFileName)
{
    if (vocabularyFileName.size() <= 4)
        return QString();
    return vocabularyFileName.left(vocabularyFileName.size() - 4) + QStringLiteral(".log");
}

TestLogRecord MakeTestLogRecord(const VocabStore &store, const ItemPool &pool,
                                const RunOptions &options, const TestSession &session,
                                const QDateTime &now)
{
    TestLogRecord record;
    record.Date = now.date();
    record.Start = session.SessionStart;
    record.End = now.time();
    record.Items = store.ItemCount();
    record.Criticals = pool.CriticalCount();
    record.Lessons = LessonsField(options.LessonState);
    record.Done = session.DoneCount;
    record.Result = session.Score;
    record.TestCriticals = pool.CurrentCriticals();
    return record;
}

QString LogFailureTitle()
{
    return QStringLiteral("Tests log ...");
}

QString LogFailureText(const LogWriteResult &result)
{
    return QStringLiteral("The tests log could not be written:\n") + result.FileName
        + QStringLiteral("\n") + result.Reason
        + QStringLiteral("\nThe record is kept and will be added when the log can be written again.");
}

LogWriteResult TestLog::AppendTestLogRecord(const VocabStore &store, const ItemPool &pool,
                                            const RunOptions &options,
                                            const TestSession &session, const QDateTime &now,
                                            const QLocale &locale)
{
    if (session.DoneCount == 0) {
        LogWriteResult result;
        result.FileName = LogFileName(store.CurrentFileName);
        result.Pending = int(m_pending.size());
        return result;
    }
    const QString line = MakeTestLogRecord(store, pool, options, session, now).Line(locale);
    return AppendLine(store.CurrentFileName, line);
}

LogWriteResult TestLog::AppendLine(const QString &vocabularyFileName, const QString &line)
{
    m_pending.append(line);
    return WritePending(vocabularyFileName);
}

LogWriteResult TestLog::FlushPendingLogRecords(const QString &vocabularyFileName)
{
    return WritePending(vocabularyFileName);
}

LogWriteResult TestLog::WritePending(const QString &vocabularyFileName)
{
    LogWriteResult result;
    result.FileName = LogFileName(vocabularyFileName);
    result.Pending = int(m_pending.size());
    if (m_pending.isEmpty() || result.FileName.isEmpty())
        return result; // nothing to write, or no name yet: the records wait

    QByteArray bytes;
    for (const QString &line : std::as_const(m_pending))
        bytes += EncodeLogText(line) + QByteArrayLiteral("\r\n");

    QFile file(result.FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        result.Ok = false;
        result.Reason = file.errorString();
        return result;
    }
    const qint64 sizeBefore = file.size();
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written) {
        result.Ok = false;
        result.Reason = file.errorString();
        // Take back a partly written line so the next attempt does not leave
        // a broken record in front of the full one.
        file.resize(sizeBefore);
        file.close();
        return result;
    }
    file.close();
    result.Written = int(m_pending.size());
    result.Pending = 0;
    m_pending.clear();
    return result;
}
