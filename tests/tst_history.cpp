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

class TestHistory : public WindowTest {
    Q_OBJECT
    QTemporaryDir m_dir;

    // A window with five items open from <name>.eng (never saved when the name
    // is empty), and the log given written beside it.
    void open(const QString &name, const QByteArray &log = {}, QSize size = QSize(800, 600))
    {
        startWindow(size);
        f->open(MakeItems(5, {}), name.isEmpty() ? QString() : m_dir.filePath(name + ".eng"));
        if (!log.isEmpty())
            QVERIFY(writeFileBytes(m_dir.filePath(name + ".log"), log));
    }
    void toggle() { mw->history().menuStoria_Click(); }

private slots:
    void cleanup() { f.reset(); }

    void splitLogLine_data()
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

    void splitLogLine()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(SplitLogLine(line), fields);
    }

    void decodeLogLines_data()
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

    void decodeLogLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(DecodeLogLines(bytes), lines);
    }

    void testResultValue()
    {
        QCOMPARE(TestResultValue("1104"), std::optional<int>(1104));
        QCOMPARE(TestResultValue("-12"), std::optional<int>(-12));
        QCOMPARE(TestResultValue(" 5"), std::optional<int>(5));
        QVERIFY(!TestResultValue("").has_value());
        QVERIFY(!TestResultValue("abc").has_value());
        QVERIFY(!TestResultValue("12a").has_value());
    }

    void showsTheLogBesideTheFileAgainAtEveryShowing()
    {
        open("words", ExampleLine + "\r\n");
        toggle();
        QCOMPARE(ui->laStoria->topLevelItemCount(), 1);
        QCOMPARE(RowTexts(ui->laStoria, 0), (QStringList{"07/12/2026", "20:01:05", "20:15:30", "250",
                                                          "12", " ALL", "40", "1104", "3"}));
        QCOMPARE(ui->laStoria->headerItem()->text(5), QString("Test lessons"));
        QCOMPARE(ui->Label0->text(), QString("Tests History"));
        QCOMPARE(hiddenOf({ui->laStoria, ui->Label0}), QStringList());
        QVERIFY(!ui->Sfondo->isVisible());
        QVERIFY(desk->boxes.shown.isEmpty());

        toggle();
        QCOMPARE(visibleOf({ui->laStoria, ui->Label0}), QStringList());
        QVERIFY(ui->Sfondo->isVisible());
        QCOMPARE(ui->laStoria->topLevelItemCount(), 1); // the rows stay while hidden

        // A test ends meanwhile; the next showing reads the log again.
        QFile file(m_dir.filePath("words.log"));
        QVERIFY(file.open(QIODevice::Append));
        file.write("08/12/2026;09:00:00;09:10:00;251;11; 3 12;9;1200;2\r\n");
        file.close();
        toggle();
        QCOMPARE(ui->laStoria->topLevelItemCount(), 2);
        QCOMPARE(ui->laStoria->topLevelItem(0)->text(0), QString("07/12/2026"));
        QCOMPARE(ui->laStoria->topLevelItem(1)->text(5), QString(" 3 12"));
        QCOMPARE(ui->laStoria->topLevelItem(1)->text(7), QString("1200"));
    }

    void menusAndButtonsWhileShown()
    {
        open("menus");
        const auto entries = {ui->menuSalva, ui->menuAscolta, ui->menuToEng, ui->menuToMine,
                              ui->menuScore, ui->menuStoria};
        ui->FrameRegole->show();
        ui->button(3)->trigger();
        QVERIFY(!ui->FrameRegole->isVisible());
        QVERIFY(ui->pressed(3));
        QCOMPARE(caption(ui->menuStoria), QString("Hide test history"));
        QCOMPARE(disabledOf(entries), (QStringList{"menuSalva", "menuAscolta", "menuToEng", "menuToMine"}));
        QCOMPARE(disabledMenus(*ui), (QStringList{"menuView", "menuEdit", "menuOptions"}));
        QCOMPARE(enabledButtons(*ui), (QList<int>{3, 10}));

        ui->menuStoria->trigger();
        QVERIFY(!ui->pressed(3));
        QCOMPARE(caption(ui->menuStoria), QString("Show tests history"));
        QCOMPARE(disabledOf(entries), QStringList());
        QCOMPARE(disabledMenus(*ui), QStringList());
        QCOMPARE(enabledButtons(*ui), AllButtons.mid(1));
    }

    void missingLogIsCreatedEmpty()
    {
        const QString log = m_dir.filePath("fresh.log");
        open("fresh");
        toggle();
        QVERIFY(QFile::exists(log));
        QCOMPARE(QFileInfo(log).size(), 0);
        QCOMPARE(ui->laStoria->topLevelItemCount(), 0);
        QVERIFY(desk->boxes.shown.isEmpty());
    }

    void shortLinesKeepTheirFields()
    {
        open("short", "07/12/2026;20:01:05;20:15:30\r\n" + ExampleLine + "\n");
        toggle();
        QCOMPARE(ui->laStoria->topLevelItemCount(), 2);
        QCOMPARE(RowTexts(ui->laStoria, 0),
                 (QStringList{"07/12/2026", "20:01:05", "20:15:30", "", "", "", "", "", ""}));
        QCOMPARE(ui->laStoria->topLevelItem(1)->text(8), QString("3"));
        QVERIFY(desk->boxes.shown.isEmpty());
    }

    void noFileNameGivesEmptyTable()
    {
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        open(QString()); // New, not saved yet
        ui->laStoria->addTopLevelItem(new QTreeWidgetItem(QStringList{"old"}));
        toggle();
        QVERIFY(ui->laStoria->isVisible());
        QCOMPARE(ui->laStoria->topLevelItemCount(), 0);
        QVERIFY(desk->boxes.shown.isEmpty());
        // Nothing to name a log after: no file is created anywhere.
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
        QVERIFY(!QFile::exists(".log"));
    }

    void unreadableLogGivesOneMessage()
    {
        // A folder where the log should be: it can be neither created nor read.
        const QString log = m_dir.filePath("blocked.log");
        QVERIFY(QDir().mkpath(log));
        open("blocked");
        toggle();
        QVERIFY(ui->laStoria->isVisible());
        QCOMPARE(ui->laStoria->topLevelItemCount(), 0);
        QCOMPARE(desk->boxes.shown.size(), 1);
        QVERIFY(desk->boxes.shown[0].text.contains(QDir::toNativeSeparators(log)));
        QCOMPARE(desk->boxes.shown[0].buttons, platform::Buttons(platform::Ok));
        QVERIFY(ui->pressed(3)); // the view is on, with its empty table
    }

    void chartFollowsTheResults()
    {
        open("chart", "a;b;c;1;1; ALL;1;1043;0\r\n"
                      "a;b;c;1;1; ALL;1;abc;0\r\n"
                      "a;b;c;1;1; ALL;1;-12;0\r\n");
        HistoryChart *chart = mw->findChild<HistoryChart *>("HistoryChart");
        QVERIFY(chart);
        QCOMPARE(chart->accessibleName(), QString("Test results chart"));
        QVERIFY(!chart->isVisible());

        toggle();
        QVERIFY(chart->isVisible());
        QCOMPARE(chart->results(), (QList<QPoint>{{1, 1043}, {3, -12}}));
        QCOMPARE(chart->testCount(), 3);
        QVERIFY(!chart->grab().isNull());

        toggle();
        QVERIFY(!chart->isVisible());
    }

    void chartLeavesEveryColumnVisible()
    {
        open("cols", ExampleLine + "\r\n", QSize(640, 480));
        toggle();
        QWidget *chart = named<HistoryChart>(mw, "HistoryChart");
        const QRect table = ui->laStoria->geometry();
        QVERIFY(!table.intersects(chart->geometry()));
        QVERIFY(chart->y() > table.bottom());
        QVERIFY(chart->geometry().bottom() < ui->Central->height());
        QVERIFY(chart->height() >= 60);
        QVERIFY(table.height() > chart->height());

        const int width = ui->laStoria->width();
        const int parts[9] = {9, 10, 10, 16, 21, 7, 9, 9, 9};
        int total = 0;
        for (int i = 0; i < 9; ++i) {
            QVERIFY(!ui->laStoria->isColumnHidden(i));
            QCOMPARE(ui->laStoria->header()->sectionSize(i), width / parts[i]);
            total += width / parts[i];
        }
        QVERIFY(total <= ui->laStoria->viewport()->width());
    }

    void exitFromHistoryStillOffersToSave()
    {
        open("exit");
        toggle();
        desk->boxes.answers << platform::No;
        mw->menuFine_Click();
        QCOMPARE(boxTexts(desk->boxes), QStringList{"Save file and test results ?"});
    }

    void longLogReadsQuickly()
    {
        QByteArray bytes;
        for (int i = 0; i < 30000; ++i)
            bytes += "07/12/2026;20:01:05;20:15:30;350;41; 3 12;7;" + QByteArray::number(i % 2000 - 500)
                     + ";6\r\n";
        open("long", bytes);
        QElapsedTimer timer;
        timer.start();
        toggle();
        QCOMPARE(ui->laStoria->topLevelItemCount(), 30000);
        QCOMPARE(named<HistoryChart>(mw, "HistoryChart")->results().size(), 30000);
        qInfo() << "30000 records shown in" << timer.elapsed() << "ms";
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
