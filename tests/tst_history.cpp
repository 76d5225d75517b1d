// The tests history: splitting and decoding the log, and the view with its
// chart driven through the real main window.
#include "review/historychart.h"
#include "review/historylog.h"
#include "review/historyview.h"
#include "testsupport.h"
#include "viewsupport.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTreeWidget>
#include <QtTest>

namespace {
const QByteArray ExampleLine = "07/12/2026;20:01:05;20:15:30;250;12; ALL;40;1104;3";

QStringList RowTexts(const QTreeWidget *table, int row)
{
    QStringList texts;
    const QTreeWidgetItem *item = table->topLevelItem(row);
    for (int c = 0; c < table->columnCount(); ++c)
        texts << item->text(c);
    return texts;
}
} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void splitLogLine_data();
    void splitLogLine();
    void decodeLogLines_data();
    void decodeLogLines();
    void testResultValue();

    void showsTheLogBesideTheFile();
    void menusAndButtonsWhileShown();
    void missingLogIsCreatedEmpty();
    void rereadsAtEveryShowing();
    void shortLinesKeepTheirFields();
    void noFileNameGivesEmptyTable();
    void unreadableLogGivesOneMessage();
    void chartFollowsTheResults();
    void chartLeavesEveryColumnVisible();
    void exitFromHistoryStillOffersToSave();
    void longLogReadsQuickly();

private:
    QTemporaryDir m_dir;
    QString vocabPath(const QString &name = "words.eng") const { return m_dir.filePath(name); }
};

void TestHistory::splitLogLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("example") << QString(ExampleLine)
                             << QStringList{"07/12/2026", "20:01:05", "20:15:30", "250", "12",
                                            " ALL", "40", "1104", "3"};
    QTest::newRow("lessons with blanks")
        << "07/12/2026;20:01:05;20:15:30;350;41; 3 12;7;-12;6"
        << QStringList{"07/12/2026", "20:01:05", "20:15:30", "350", "41", " 3 12", "7", "-12", "6"};
    QTest::newRow("ninth keeps further separators")
        << "a;b;c;d;e;f;g;h;i;j;k" << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i;j;k"};
    QTest::newRow("empty fields") << ";;;;;;;;" << QStringList(9, QString());
    QTest::newRow("short line") << "a;b;c" << QStringList{"a", "b", "c", "", "", "", "", "", ""};
    QTest::newRow("short line ending in separator")
        << "a;b;" << QStringList{"a", "b", "", "", "", "", "", "", ""};
    QTest::newRow("no separator") << " text " << QStringList{" text ", "", "", "", "", "", "", "", ""};
    QTest::newRow("blanks kept") << " a ; b ;c;d;e;f;g;h; i "
                                 << QStringList{" a ", " b ", "c", "d", "e", "f", "g", "h", " i "};
}

void TestHistory::splitLogLine()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(SplitLogLine(line), fields);
}

void TestHistory::decodeLogLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf and cr") << QByteArray("a\nb\rc") << QStringList{"a", "b", "c"};
    QTest::newRow("empty lines carry nothing")
        << QByteArray("\r\na\r\n\r\n\nb\r\r\n") << QStringList{"a", "b"};
    QTest::newRow("windows-1252") << QByteArray("caf\xE9;\x80") << QStringList{u"café;€"_qs};
    QTest::newRow("utf-8") << QByteArray("caf\xC3\xA9") << QStringList{u"café"_qs};
    QTest::newRow("both kinds in one log")
        << QByteArray("caf\xE9\r\ncaf\xC3\xA9\r\n") << QStringList{u"café"_qs, u"café"_qs};
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFx;y\r\n") << QStringList{"x;y"};
}

void TestHistory::decodeLogLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(DecodeLogLines(bytes), lines);
}

void TestHistory::testResultValue()
{
    QCOMPARE(TestResultValue("1104"), std::optional<int>(1104));
    QCOMPARE(TestResultValue("-12"), std::optional<int>(-12));
    QCOMPARE(TestResultValue(" 5"), std::optional<int>(5));
    QVERIFY(!TestResultValue("").has_value());
    QVERIFY(!TestResultValue("abc").has_value());
    QVERIFY(!TestResultValue("12a").has_value());
}

void TestHistory::showsTheLogBesideTheFile()
{
    QVERIFY(writeFileBytes(m_dir.filePath("words.log"), ExampleLine + "\r\n"));
    WindowFixture f;
    f.open(MakeItems(5, {}), vocabPath());
    MainWindow &mw = *f.mw;
    mw.history().menuStoria_Click();
    QCOMPARE(mw.laStoria->topLevelItemCount(), 1);
    QCOMPARE(RowTexts(mw.laStoria, 0), (QStringList{"07/12/2026", "20:01:05", "20:15:30", "250",
                                                     "12", " ALL", "40", "1104", "3"}));
    QCOMPARE(mw.laStoria->headerItem()->text(5), QString("Test lessons"));
    QVERIFY(mw.laStoria->isVisible());
    QCOMPARE(mw.Label0->text(), QString("Tests History"));
    QVERIFY(mw.Label0->isVisible());
    QVERIFY(!mw.Sfondo->isVisible());
    QVERIFY(f.desk.boxes.shown.isEmpty());

    mw.history().menuStoria_Click();
    QVERIFY(!mw.laStoria->isVisible());
    QVERIFY(!mw.Label0->isVisible());
    QVERIFY(mw.Sfondo->isVisible());
    QCOMPARE(mw.laStoria->topLevelItemCount(), 1); // the rows stay while hidden
}

void TestHistory::menusAndButtonsWhileShown()
{
    WindowFixture f;
    f.open(MakeItems(5, {}), vocabPath("menus.eng"));
    MainWindow &mw = *f.mw;
    mw.FrameRegole->show();
    mw.button(3)->trigger();
    QVERIFY(!mw.FrameRegole->isVisible());
    QVERIFY(mw.isButtonPressed(3));
    QCOMPARE(mw.menuStoria->text(), QString("Hide test history"));
    for (QAction *a : {mw.menuSalva, mw.menuAscolta, mw.menuToEng, mw.menuToMine})
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    for (QMenu *m : {mw.menuEdit, mw.menuOptions, mw.menuView})
        QVERIFY(!MainWindow::isMenuEnabled(m));
    QVERIFY(MainWindow::isMenuEnabled(mw.menuTest));
    QVERIFY(mw.menuScore->isEnabled());
    QVERIFY(mw.menuStoria->isEnabled());
    for (int n = 2; n <= 10; ++n)
        QCOMPARE(mw.button(n)->isEnabled(), n == 3 || n == 10);

    mw.menuStoria->trigger();
    QVERIFY(!mw.isButtonPressed(3));
    QCOMPARE(mw.menuStoria->text(), QString("Show tests history"));
    for (QAction *a : {mw.menuSalva, mw.menuAscolta, mw.menuToEng, mw.menuToMine})
        QVERIFY(a->isEnabled());
    for (QMenu *m : {mw.menuEdit, mw.menuOptions, mw.menuView})
        QVERIFY(MainWindow::isMenuEnabled(m));
    for (int n = 2; n <= 10; ++n)
        QVERIFY(mw.button(n)->isEnabled());
}

void TestHistory::missingLogIsCreatedEmpty()
{
    const QString log = m_dir.filePath("fresh.log");
    QVERIFY(!QFile::exists(log));
    WindowFixture f;
    f.open(MakeItems(5, {}), vocabPath("fresh.eng"));
    f.mw->history().menuStoria_Click();
    QVERIFY(QFile::exists(log));
    QCOMPARE(QFileInfo(log).size(), 0);
    QCOMPARE(f.mw->laStoria->topLevelItemCount(), 0);
    QVERIFY(f.desk.boxes.shown.isEmpty());
}

void TestHistory::rereadsAtEveryShowing()
{
    const QString log = m_dir.filePath("again.log");
    QVERIFY(writeFileBytes(log, ExampleLine + "\r\n"));
    WindowFixture f;
    f.open(MakeItems(5, {}), vocabPath("again.eng"));
    MainWindow &mw = *f.mw;
    mw.history().menuStoria_Click();
    QCOMPARE(mw.laStoria->topLevelItemCount(), 1);
    mw.history().menuStoria_Click();

    // A test ends meanwhile.
    QFile file(log);
    QVERIFY(file.open(QIODevice::Append));
    file.write("08/12/2026;09:00:00;09:10:00;251;11; 3 12;9;1200;2\r\n");
    file.close();

    mw.history().menuStoria_Click();
    QCOMPARE(mw.laStoria->topLevelItemCount(), 2);
    QCOMPARE(mw.laStoria->topLevelItem(0)->text(0), QString("07/12/2026"));
    QCOMPARE(mw.laStoria->topLevelItem(1)->text(5), QString(" 3 12"));
    QCOMPARE(mw.laStoria->topLevelItem(1)->text(7), QString("1200"));
}

void TestHistory::shortLinesKeepTheirFields()
{
    QVERIFY(writeFileBytes(m_dir.filePath("short.log"),
                           "07/12/2026;20:01:05;20:15:30\r\n" + ExampleLine + "\n"));
    WindowFixture f;
    f.open(MakeItems(5, {}), vocabPath("short.eng"));
    f.mw->history().menuStoria_Click();
    QCOMPARE(f.mw->laStoria->topLevelItemCount(), 2);
    QCOMPARE(RowTexts(f.mw->laStoria, 0),
             (QStringList{"07/12/2026", "20:01:05", "20:15:30", "", "", "", "", "", ""}));
    QCOMPARE(f.mw->laStoria->topLevelItem(1)->text(8), QString("3"));
    QVERIFY(f.desk.boxes.shown.isEmpty());
}

void TestHistory::noFileNameGivesEmptyTable()
{
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    WindowFixture f;
    f.open(MakeItems(5, {}), QString()); // New, not saved yet
    f.mw->laStoria->addTopLevelItem(new QTreeWidgetItem(QStringList{"old"}));
    f.mw->history().menuStoria_Click();
    QVERIFY(f.mw->laStoria->isVisible());
    QCOMPARE(f.mw->laStoria->topLevelItemCount(), 0);
    QVERIFY(f.desk.boxes.shown.isEmpty());
    // Nothing to name a log after: no file is created anywhere.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
    QVERIFY(!QFile::exists(".log"));
}

void TestHistory::unreadableLogGivesOneMessage()
{
    // A folder where the log should be: it can be neither created nor read.
    const QString log = m_dir.filePath("blocked.log");
    QVERIFY(QDir().mkpath(log));
    WindowFixture f;
    f.open(MakeItems(5, {}), vocabPath("blocked.eng"));
    f.mw->history().menuStoria_Click();
    QVERIFY(f.mw->laStoria->isVisible());
    QCOMPARE(f.mw->laStoria->topLevelItemCount(), 0);
    QCOMPARE(f.desk.boxes.shown.size(), 1);
    QVERIFY(f.desk.boxes.shown[0].text.contains(QDir::toNativeSeparators(log)));
    QCOMPARE(f.desk.boxes.shown[0].buttons, platform::Buttons(platform::Ok));
    QVERIFY(f.mw->isButtonPressed(3)); // the view is on, with its empty table
}

void TestHistory::chartFollowsTheResults()
{
    QVERIFY(writeFileBytes(m_dir.filePath("chart.log"),
                           "a;b;c;1;1; ALL;1;1043;0\r\n"
                           "a;b;c;1;1; ALL;1;abc;0\r\n"
                           "a;b;c;1;1; ALL;1;-12;0\r\n"));
    WindowFixture f;
    f.open(MakeItems(5, {}), vocabPath("chart.eng"));
    MainWindow &mw = *f.mw;
    HistoryChart *chart = mw.findChild<HistoryChart *>("HistoryChart");
    QVERIFY(chart);
    QCOMPARE(chart->accessibleName(), QString("Test results chart"));
    QVERIFY(!chart->isVisible());

    mw.history().menuStoria_Click();
    QVERIFY(chart->isVisible());
    QCOMPARE(chart->results(), (QList<QPoint>{{1, 1043}, {3, -12}}));
    QCOMPARE(chart->testCount(), 3);
    QVERIFY(!chart->grab().isNull());

    mw.history().menuStoria_Click();
    QVERIFY(!chart->isVisible());
}

void TestHistory::chartLeavesEveryColumnVisible()
{
    QVERIFY(writeFileBytes(m_dir.filePath("cols.log"), ExampleLine + "\r\n"));
    WindowFixture f(QSize(640, 480));
    f.open(MakeItems(5, {}), vocabPath("cols.eng"));
    MainWindow &mw = *f.mw;
    mw.history().menuStoria_Click();
    QWidget *chart = mw.history().chart();
    const QRect table = mw.laStoria->geometry();
    QVERIFY(!table.intersects(chart->geometry()));
    QVERIFY(chart->y() > table.bottom());
    QVERIFY(chart->geometry().bottom() < mw.Central->height());
    QVERIFY(chart->height() >= 60);
    QVERIFY(table.height() > chart->height());

    const int width = mw.laStoria->width();
    const int parts[9] = {9, 10, 10, 16, 21, 7, 9, 9, 9};
    int total = 0;
    for (int i = 0; i < 9; ++i) {
        QVERIFY(!mw.laStoria->isColumnHidden(i));
        QCOMPARE(mw.laStoria->header()->sectionSize(i), width / parts[i]);
        total += width / parts[i];
    }
    QVERIFY(total <= mw.laStoria->viewport()->width());
}

void TestHistory::exitFromHistoryStillOffersToSave()
{
    WindowFixture f;
    f.open(MakeItems(5, {}), vocabPath("exit.eng"));
    f.mw->history().menuStoria_Click();
    f.desk.boxes.answers << platform::No;
    f.mw->menuFine_Click();
    QCOMPARE(f.desk.boxes.shown.size(), 1);
    QCOMPARE(f.desk.boxes.shown[0].text, QString("Save file and test results ?"));
}

void TestHistory::longLogReadsQuickly()
{
    QByteArray bytes;
    for (int i = 0; i < 30000; ++i)
        bytes += "07/12/2026;20:01:05;20:15:30;350;41; 3 12;7;" + QByteArray::number(i % 2000 - 500)
                 + ";6\r\n";
    QVERIFY(writeFileBytes(m_dir.filePath("long.log"), bytes));
    WindowFixture f;
    f.open(MakeItems(5, {}), vocabPath("long.eng"));
    QElapsedTimer timer;
    timer.start();
    f.mw->history().menuStoria_Click();
    QCOMPARE(f.mw->laStoria->topLevelItemCount(), 30000);
    QCOMPARE(f.mw->history().chart()->results().size(), 30000);
    qInfo() << "30000 records shown in" << timer.elapsed() << "ms";
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
