// The program's start as main() runs it: the command line, the splash window,
// and a file named on the command line, which is opened exactly as the Open
// command opens it.
#include "app/commandline.h"
#include "app/startup.h"
#include "app/splash.h"
#include "test/appcontext.h"
#include "viewsupport.h"
#include "vocab/vocabfile.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

namespace {

QString itemLine(const QString &lesson, const QString &english, const QString &mine)
{
    return lesson + "   " + english.leftJustified(50) + mine.leftJustified(50);
}

// One start of the program on a scripted desktop, with the splash's three
// seconds cut short.
struct Run {
    platform::ScriptedDesktop desk;
    AppContext ctx{desk.desktop()};
    Startup startup;
    std::unique_ptr<MainUi> ui;

    explicit Run(const QString &file) : startup(ctx, file)
    {
        QSignalSpy started(&startup, &Startup::started);
        startup.start();
        if (!startup.splash()->isVisible() || startup.window())
            qFatal("the splash window is not the first window");
        startup.splash()->timer()->start(0);
        if (!started.wait(5000))
            qFatal("the main window did not start");
        ui = std::make_unique<MainUi>(startup.window());
    }

    // What a user can tell about the window and what it holds.
    QStringList state() const
    {
        const VocabStore &store = ctx.store;
        QStringList s;
        for (const VocabItem &item : store.Items())
            s << "item " + item.Lesson + '|' + item.CriticalMark + '|' + item.English + '|'
                    + item.MyLanguage;
        s << QString("language %1 %2").arg(store.LanguageCode).arg(store.HeaderText(3));
        s << "file " + store.CurrentFileName << "current " + QDir::currentPath();
        s << QString("score %1 start %2")
                 .arg(ctx.session.Score)
                 .arg(ctx.session.SessionStart.toString());
        s << "disabled menus " + disabledMenus(*ui).join(',');
        s << "disabled entries "
                + disabledOf({ui->menuNuovo, ui->menuApri, ui->menuSalva, ui->menuLeggi,
                              ui->menuAscolta})
                      .join(',');
        QStringList buttons;
        for (int n : enabledButtons(*ui))
            buttons << QString::number(n);
        s << "buttons " + buttons.join(',');
        QStringList lessons;
        for (int k = 1; k <= 20; ++k)
            if (auto *box = startup.window()->findChild<QCheckBox *>(QString("Ckles_%1").arg(k)))
                lessons << QString("%1%2").arg(k).arg(box->isEnabled() ? "+" : "-");
        s << "lessons " + lessons.join(',') << QString("pool %1").arg(ctx.pool.Size());
        for (const platform::ShownBox &box : desk.boxes.shown)
            s << QString("box %1|%2|%3").arg(box.title, box.text).arg(int(box.icon));
        return s;
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // As main() names the program.
        QCoreApplication::setApplicationName("Vocanto");
        QCoreApplication::setApplicationVersion("8.0");
    }
    void init()
    {
        m_startDir = QDir::currentPath();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup()
    {
        QDir::setCurrent(m_startDir);
        m_dir.reset();
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("request");
        QTest::addColumn<QString>("file"); // relative to the current directory
        QTest::addColumn<QString>("text");
        using R = CommandLine::Request;
        QTest::newRow("nothing") << QStringList{} << int(R::Run) << "" << "";
        QTest::newRow("a file") << QStringList{"words.eng"} << int(R::Run) << "words.eng" << "";
        QTest::newRow("a file in a folder")
            << QStringList{"../lists/words.eng"} << int(R::Run) << "../lists/words.eng" << "";
        QTest::newRow("a name like an option after --")
            << QStringList{"--", "-v.eng"} << int(R::Run) << "-v.eng" << "";
        QTest::newRow("--help") << QStringList{"--help"} << int(R::Help) << "" << "[file]";
        QTest::newRow("-h with a file") << QStringList{"-h", "words.eng"} << int(R::Help) << ""
                                        << "Usage:";
        QTest::newRow("--version") << QStringList{"--version"} << int(R::Version) << ""
                                   << "Vocanto 8.0\n";
        QTest::newRow("-v") << QStringList{"-v"} << int(R::Version) << "" << "Vocanto 8.0\n";
        QTest::newRow("two files") << QStringList{"a.eng", "b.eng"} << int(R::Error) << ""
                                   << "Only one file can be opened; 2 were named.";
        QTest::newRow("unknown option") << QStringList{"--open", "a.eng"} << int(R::Error) << ""
                                        << "Unknown option 'open'.";
        QTest::newRow("empty name") << QStringList{""} << int(R::Error) << ""
                                    << "The file name is empty.";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, request);
        QFETCH(QString, file);
        QFETCH(QString, text);
        QVERIFY(QDir::setCurrent(m_dir->path()));
        const CommandLine line(QStringList{"vocanto"} + arguments);
        QCOMPARE(int(line.request()), request);
        QCOMPARE(line.file(), file.isEmpty() ? QString() : QDir::cleanPath(m_dir->filePath(file)));
        QVERIFY2(line.text().contains(text), qPrintable(line.text()));
        QCOMPARE(line.exitCode(), request == int(CommandLine::Request::Error) ? 1 : 0);
    }

    // Whatever the file, the start with it ends as the Open command ends
    // with it; and a file that cannot be read leaves the program as a start
    // without a file does, apart from Open's message.
    void fileOpensAsOpenDoes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readable");
        QTest::newRow("a file with a refused row") << "words.eng" << true;
        QTest::newRow("a missing file") << "missing.eng" << false;
        QTest::newRow("a folder") << "folder.eng" << false;
    }

    void fileOpensAsOpenDoes()
    {
        QFETCH(QString, name);
        QFETCH(bool, readable);
        const QString folder = m_dir->filePath("lists");
        QVERIFY(QDir().mkpath(folder + "/folder.eng"));
        QByteArray bytes;
        for (const QString &line : {LanguageLine(2), RulerLine(), itemLine("01", "house", "maison"),
                                    itemLine("02", "door (gate", "porte"),
                                    itemLine("04", "roof", "toit")})
            bytes += line.toLatin1() + "\r\n";
        QVERIFY(writeFileBytes(folder + "/words.eng", bytes));
        const QString path = folder + '/' + name;

        QStringList byOpen;
        {
            Run run{QString()};
            const QStringList afterStart = run.state();
            run.desk.dialogs.nextPaths << path;
            run.ui->menuApri->trigger();
            byOpen = run.state();
            QVERIFY(byOpen != afterStart);
        }
        QDir::setCurrent(m_startDir);
        QStringList withoutFile;
        {
            Run run{QString()};
            withoutFile = run.state();
            QVERIFY(run.desk.boxes.shown.isEmpty());
            QVERIFY(run.desk.dialogs.asked.isEmpty());
        }
        QDir::setCurrent(m_startDir);

        Run run(path);
        const QStringList byCommandLine = run.state();
        QCOMPARE(byCommandLine, byOpen);
        QVERIFY(run.desk.dialogs.asked.isEmpty());
        const QStringList boxes = byCommandLine.filter(QRegularExpression("^box "));
        QCOMPARE(boxes.size(), 1);
        if (readable) {
            QVERIFY(boxes.first().startsWith("box Row discarded ...|The row number 4 "));
            QCOMPARE(run.ctx.store.WorkingFolder, folder);
        } else {
            QVERIFY(boxes.first().startsWith("box Open failed ...|The file " + path));
            QStringList rest = byCommandLine;
            rest.removeAll(boxes.first());
            QCOMPARE(rest, withoutFile);
            QVERIFY(run.ctx.store.WorkingFolder.isEmpty());
            // Open is still there, with its dialog.
            run.desk.dialogs.nextPaths << folder + "/words.eng";
            run.ui->menuApri->trigger();
            QCOMPARE(run.ctx.store.ItemCount(), qint16(2));
        }
    }

    // Started with a file, the window shows its items in the read view.
    void startedWithAFileShowsItsItems()
    {
        QByteArray bytes;
        for (const QString &line : {LanguageLine(3), RulerLine(), itemLine("01", "house", "Haus"),
                                    itemLine("03", "window", "Fenster")})
            bytes += line.toLatin1() + "\r\n";
        const QString path = m_dir->filePath("words.eng");
        QVERIFY(writeFileBytes(path, bytes));

        Run run(path);
        QVERIFY(run.startup.window()->isVisible());
        QVERIFY(!run.startup.splash()->isVisible());
        QVERIFY(run.desk.boxes.shown.isEmpty());
        QCOMPARE(run.ctx.store.CurrentFileName, path);
        QVERIFY(!run.ui->menuApri->isEnabled());
        QVERIFY(!run.ui->button(1)->isEnabled());

        run.ui->menuLeggi->trigger();
        QVERIFY(run.ui->ListaVoci->isVisible());
        QAbstractItemModel *model = run.ui->ListaVoci->model();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(1, 2).data().toString(), QString("window"));
        QCOMPARE(model->index(1, 3).data().toString(), QString("Fenster"));
        QCOMPARE(run.ui->Label1->text(), QString("Total items = 2"));
    }

private:
    QString m_startDir;
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
