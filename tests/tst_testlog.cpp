// The tests log: record format, appending, and records kept when they cannot
// be written yet.
#include "platform/scripted.h"
#include "test/itempool.h"
#include "test/testlog.h"
#include "test/testsession.h"
#include "testsupport.h"
#include "vocab/vocabstore.h"

#include <QDir>
#include <QtTest>

namespace {

const QLocale kUk(QLocale::English, QLocale::UnitedKingdom);

// 350 items, 41 of them critical; lessons 3 and 12 hold 20 items of which 6
// are critical and are the selected ones.
struct Run {
    VocabStore store;
    RunOptions options;
    ItemPool pool;
    TestSession session;
    platform::FixedClock clock;
    TestLog log;

    explicit Run(const QString &fileName)
    {
        for (int n = 1; n <= 350; ++n) {
            const bool selected = n <= 20;
            const QString lesson = selected ? (n <= 10 ? "03" : "12") : "01";
            const bool critical = selected ? n <= 6 : n <= 55;
            store.Append({lesson, critical ? "c" : " ", QString("w%1").arg(n), "x"});
        }
        store.CurrentFileName = fileName;
        options.LessonChecked.fill(false);
        options.LessonChecked[3] = options.LessonChecked[12] = true;
        options.LessonState.fill(0);
        options.LessonState[1] = 1;
        options.LessonState[3] = options.LessonState[12] = 2;
        pool.BuildItemPool(store, options);
        session.SessionStart = QTime(20, 1, 5);
        session.DoneCount = 7;
        session.Score = 1043;
        clock.time = QDateTime(QDate(2026, 12, 7), QTime(20, 15, 30));
    }
    LogWriteResult close() { return log.AppendTestLogRecord(store, pool, options, session, clock.now(), kUk); }
};

const QByteArray kExampleLine = "07/12/2026;20:01:05;20:15:30;350;41; 3 12;7;1043;6\r\n";

} // namespace

class TestTestLog : public QObject {
    Q_OBJECT
private slots:
    void exampleRecordAppended();
    void allLessonsAndNegativeScore();
    void nothingWrittenWithoutExactAnswers();
    void keptUntilTheFirstSave();
    void unwritableLogReportedAndKept();
    void logFileName();
    void localeFormats();
    void encoding();
};

void TestTestLog::exampleRecordAppended()
{
    QTemporaryDir dir;
    const QString logPath = dir.filePath("words.log");
    QVERIFY(writeFileBytes(logPath, "earlier record\r\n"));
    Run run(dir.filePath("words.eng"));
    QCOMPARE(run.pool.CurrentCriticals(), 6);
    LogWriteResult r = run.close();
    QVERIFY(r.Ok);
    QCOMPARE(r.FileName, logPath);
    QCOMPARE(r.Written, 1);
    QCOMPARE(readFileBytes(logPath), "earlier record\r\n" + kExampleLine);

    // A second window closed without a reset: a second record with the totals.
    run.session.DoneCount = 9;
    r = run.close();
    QVERIFY(r.Ok);
    const QList<QByteArray> lines = readFileBytes(logPath).split('\n');
    QCOMPARE(lines.size(), 4); // three records and the empty rest after the last line end
    QVERIFY(lines[2].contains(";9;1043;"));
}

void TestTestLog::allLessonsAndNegativeScore()
{
    TestLogRecord record;
    record.Date = QDate(2026, 1, 2);
    record.Start = QTime(9, 0, 0);
    record.End = QTime(9, 30, 0);
    record.Items = 250;
    record.Criticals = 12;
    std::array<qint16, 21> states{};
    states.fill(1);
    record.Lessons = LessonsField(states);
    record.Done = 40;
    record.Result = -12;
    record.TestCriticals = 3;
    const QString line = record.Line(kUk);
    QCOMPARE(line, QString("02/01/2026;09:00:00;09:30:00;250;12; ALL;40;-12;3"));
    QCOMPARE(line.count(';'), 8);

    states[20] = 2;
    states[5] = 2;
    QCOMPARE(LessonsField(states), QString(" 5 20"));
}

void TestTestLog::nothingWrittenWithoutExactAnswers()
{
    QTemporaryDir dir;
    Run run(dir.filePath("words.eng"));
    run.session.DoneCount = 0;
    const LogWriteResult r = run.close();
    QVERIFY(r.Ok);
    QCOMPARE(r.Written, 0);
    QVERIFY(!QFile::exists(dir.filePath("words.log")));
    QVERIFY(run.log.PendingRecords().isEmpty());
}

void TestTestLog::keptUntilTheFirstSave()
{
    QTemporaryDir dir;
    Run run{QString()}; // a new vocabulary, not saved yet
    LogWriteResult r = run.close();
    QVERIFY(r.Ok);
    QCOMPARE(r.Written, 0);
    QCOMPARE(r.Pending, 1);
    run.session.Score = 1050;
    run.store.CurrentFileName = "abc"; // too short to give a log name
    QCOMPARE(run.close().Pending, 2);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    r = run.log.FlushPendingLogRecords(dir.filePath("words.eng"));
    QVERIFY(r.Ok);
    QCOMPARE(r.Written, 2);
    QCOMPARE(r.Pending, 0);
    const QByteArray content = readFileBytes(dir.filePath("words.log"));
    QVERIFY(content.startsWith(kExampleLine));
    QVERIFY(content.endsWith(";1050;6\r\n"));
    // A later save writes nothing more.
    QCOMPARE(run.log.FlushPendingLogRecords(dir.filePath("words.eng")).Written, 0);
    QCOMPARE(readFileBytes(dir.filePath("words.log")), content);
}

void TestTestLog::unwritableLogReportedAndKept()
{
    QTemporaryDir dir;
    const QString logPath = dir.filePath("words.log");
    QVERIFY(QDir(dir.path()).mkdir("words.log")); // a folder where the log should be
    Run run(dir.filePath("words.eng"));
    LogWriteResult r = run.close();
    QVERIFY(!r.Ok);
    QCOMPARE(r.FileName, logPath);
    QVERIFY(!r.Reason.isEmpty());
    QCOMPARE(r.Pending, 1);
    QVERIFY(LogFailureText(r).contains(logPath));
    QVERIFY(LogFailureText(r).contains(r.Reason));

    // Once the log can be written, the kept record goes first.
    QVERIFY(QDir(dir.path()).rmdir("words.log"));
    run.session.Score = 999;
    r = run.close();
    QVERIFY(r.Ok);
    QCOMPARE(r.Written, 2);
    const QByteArray content = readFileBytes(logPath);
    QVERIFY(content.startsWith(kExampleLine));
    QVERIFY(content.endsWith(";999;6\r\n"));
    QCOMPARE(content.count('\n'), 2);
}

void TestTestLog::logFileName()
{
    QCOMPARE(LogFileName("C:\\English\\words.eng"), QString("C:\\English\\words.log"));
    QCOMPARE(LogFileName("/home/u/list.txt"), QString("/home/u/list.log"));
    QCOMPARE(LogFileName("/home/u/wordsXeng"), QString("/home/u/words.log")); // four characters, whatever they are
    QCOMPARE(LogFileName(""), QString());
    QCOMPARE(LogFileName("abc"), QString());
}

void TestTestLog::localeFormats()
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QVERIFY(LogDateFormat(us).contains("yyyy"));
    QCOMPARE(us.toString(QDate(2026, 12, 7), LogDateFormat(us)), QString("12/7/2026"));
    QCOMPARE(us.toString(QTime(20, 15, 30), LogTimeFormat(us)).left(8), QString("8:15:30 "));
    const QLocale fi(QLocale::Finnish, QLocale::Finland);
    QCOMPARE(fi.toString(QTime(20, 15, 30), LogTimeFormat(fi)), QString("20.15.30"));
    const QLocale de(QLocale::German, QLocale::Germany);
    QCOMPARE(de.toString(QDate(2026, 12, 7), LogDateFormat(de)), QString("07.12.2026"));
    QCOMPARE(LogDateFormat(kUk), QString("dd/MM/yyyy"));
    QCOMPARE(LogTimeFormat(kUk), QString("HH:mm:ss"));
}

void TestTestLog::encoding()
{
    QCOMPARE(EncodeLogText("a;\u00e9\u20ac"), QByteArray("a;\xe9\x80"));
    QCOMPARE(EncodeLogText("\u0416"), QByteArray("\xd0\x96")); // does not fit: UTF-8
}

QTEST_GUILESS_MAIN(TestTestLog)
#include "tst_testlog.moc"
