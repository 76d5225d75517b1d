// The File menu's New, Open and Save, driven through the real main window
// with scripted dialogs and message boxes.
#include "app/filecommands.h"
#include "app/helpcommands.h"
#include "app/mainwindow.h"
#include "edit/editview.h"
#include "platform/scripted.h"
#include "test/optionspanel.h"
#include "viewsupport.h"
#include "vocab/imports.h"
#include "vocab/vocabfile.h"

#include <QTreeWidget>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>
#include <functional>

namespace {

QString itemLine(const QString &lesson, const QString &mark, const QString &english,
                 const QString &mine)
{
    return lesson + ' ' + mark + ' ' + english.leftJustified(50) + mine.leftJustified(50);
}

const QString Ruler = RulerLine();

// Message boxes that run a probe each time one is shown, before answering.
class ProbingBoxes : public platform::ScriptedBoxes {
public:
    std::function<void()> probe;
    platform::Button show(QWidget *parent, const QString &title, const QString &text,
                          platform::Icon icon, platform::Buttons buttons) override
    {
        if (probe)
            probe();
        return ScriptedBoxes::show(parent, title, text, icon, buttons);
    }
};

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openReadsTheFile();
    void openWithoutLanguageLineKeepsTheCode();
    void openCancelledChangesNothing();
    void openOfAVanishedFile();
    void openOfRandomBytesShowsFewBoxes();
    void commandsHeldOffWhileLoading();
    void openDialogOffersTheStarterFolder();
    void importBehavesAsOpen_data();
    void importBehavesAsOpen();
    void importRefusedChangesNothing();
    void saveRoundTrip();
    void saveAsTable_data();
    void saveAsTable();
    void saveNameGetsExtension_data();
    void saveNameGetsExtension();
    void saveCancelledKeepsSaveAvailable();
    void failedSaveChangesNothing();
    void backButtonRequests();
    void newAfterOpenKeepsItems();
    void newFromTheStart();
    void exitWithCancelledDialogAsksTwice();
    void pendingLogRecordsFlushedAtFirstSave();
    void logFailureAfterSaveShowsOneBox();

private:
    // Writes a file of CR LF lines into the temporary folder.
    QString writeEng(const QString &name, const QStringList &lines);
    // Opens a file through the menu entry.
    void open(const QString &path);
    // Saves through the menu entry, choosing path in the dialog.
    void save(const QString &path);
    QString sample();
    // After Open or New: every menu of a vocabulary and buttons 2 to 10 on,
    // Open off.
    void verifyVocabularyCommandsOn();

    ProbingBoxes m_boxes;
    platform::ScriptedDesktop *m_desk = nullptr;
    AppContext *m_ctx = nullptr;
    MainWindow *m_mw = nullptr;
    MainUi *m_ui = nullptr;
    QTemporaryDir *m_dir = nullptr;
    QString m_startDir;
};

void TestFileCommands::verifyVocabularyCommandsOn()
{
    for (QMenu *m : {m_ui->menuView, m_ui->menuEdit, m_ui->menuTest, m_ui->menuOptions})
        QVERIFY2(menuEnabled(m), qPrintable(m->objectName()));
    QVERIFY(m_ui->menuLeggi->isEnabled());
    QVERIFY(m_ui->menuAscolta->isEnabled());
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(m_ui->button(n)->isEnabled(), n != 1);
}

void TestFileCommands::init()
{
    m_startDir = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_desk = new platform::ScriptedDesktop;
    m_ctx = new AppContext(m_desk->desktop());
    m_boxes = ProbingBoxes();
    m_ctx->desktop.boxes = &m_boxes;
    m_mw = new MainWindow(*m_ctx);
    m_ui = new MainUi(m_mw);
    m_mw->show();
}

void TestFileCommands::cleanup()
{
    delete m_ui;
    delete m_mw;
    delete m_ctx;
    delete m_desk;
    QDir::setCurrent(m_startDir);
    delete m_dir;
}

QString TestFileCommands::writeEng(const QString &name, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    const QString path = m_dir->filePath(name);
    if (!writeFileBytes(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestFileCommands::open(const QString &path)
{
    m_desk->dialogs.nextPaths << path;
    m_ui->menuApri->trigger();
}

void TestFileCommands::save(const QString &path)
{
    m_desk->dialogs.nextPaths << path;
    m_ui->menuSalva->trigger();
}

QString TestFileCommands::sample()
{
    return writeEng("sample.eng", {LanguageLine(3), Ruler, itemLine("01", " ", "house", "Haus"),
                                   itemLine("03", "c", "door (gate)", "Tür")});
}

void TestFileCommands::openReadsTheFile()
{
    const QString path = writeEng("words.eng", {
        LanguageLine(3),                                       // 1
        Ruler,                                                 // 2
        itemLine("01", " ", "house (home)", "Haus"),          // 3
        "",                                                    // 4
        itemLine("02", " ", "door (gate", "Tür"),             // 5
        itemLine("03", "c", "window", "Fenster"),             // 6
        itemLine("04", " ", "", "Dach"),                      // 7
        itemLine(" 3", " ", "roof", "Dach"),                  // 8
    });
    m_ctx->store.SkipNextSave = true;
    m_ui->FrameRegole->show();
    m_desk->clock.time = QDateTime(QDate(2026, 3, 1), QTime(9, 15, 30));
    open(path);

    const platform::AskedDialog asked = m_desk->dialogs.asked.value(0);
    QCOMPARE(m_desk->dialogs.asked.size(), 1);
    QVERIFY(!asked.save);
    QCOMPARE(asked.title, QString("Choose the file to open"));
    QCOMPARE(asked.filter, QString("eng files(*.eng);;KVTML vocabularies (*.kvtml);;"
                                   "Text tables (*.tsv *.csv *.txt)"));
    QCOMPARE(asked.startFolder, m_startDir);

    const VocabStore &store = m_ctx->store;
    QCOMPARE(store.Items(), (QVector<VocabItem>{{"01", " ", "house (home)", "Haus"},
                                                {"03", "c", "window", "Fenster"},
                                                {"03", " ", "roof", "Dach"}}));
    QCOMPARE(store.LanguageCode, qint16(3));
    QCOMPARE(store.HeaderText(3), QString("GERMAN"));
    QCOMPARE(store.CurrentFileName, path);
    QCOMPARE(QDir(store.WorkingFolder), QDir(m_dir->path()));
    QCOMPARE(QDir::current(), QDir(m_dir->path()));
    QVERIFY(!store.SkipNextSave);
    QCOMPARE(m_ctx->session.Score, qint16(1000));
    QCOMPARE(m_ctx->session.SessionStart, QTime(9, 15, 30));
    QVERIFY(!m_ui->FrameRegole->isVisible());

    // Refused rows, each in its own box, numbered by physical line.
    QCOMPARE(m_boxes.shown.size(), 2);
    for (const platform::ShownBox &box : m_boxes.shown) {
        QCOMPARE(box.title, QString("Row discarded ..."));
        QCOMPARE(box.icon, platform::Icon::Critical);
        QCOMPARE(box.buttons, platform::Ok);
    }
    QVERIFY(m_boxes.shown[0].text.startsWith("The row number 5 badly uses brackets or commas"));
    QVERIFY(m_boxes.shown[1].text.startsWith("The row number 7 has no English text"));

    // Lesson boxes for the lessons in use, and a pool over all items.
    for (int k = 1; k <= 20; ++k) {
        QCheckBox *box = named<QCheckBox>(m_mw, QString("Ckles_%1").arg(k));
        QVERIFY(box);
        QCOMPARE(box->text(), QString("N.%1").arg(k));
        QCOMPARE(box->isEnabled(), k == 1 || k == 3);
    }
    QCOMPARE(m_ctx->pool.Size(), 3);

    // Commands: Open is gone for good, the rest of the vocabulary's are on.
    QVERIFY(!m_ui->menuApri->isEnabled());
    QVERIFY(store.SaveAvailable());
    QVERIFY(m_ui->menuSalva->isEnabled());
    QVERIFY(m_ui->menuNuovo->isEnabled());
    verifyVocabularyCommandsOn();
    if (QTest::currentTestFailed())
        return;
    QVERIFY(m_mw->menuBar()->isEnabled());
    QVERIFY(m_ui->BottBar->isEnabled());
    QVERIFY(m_ui->Central->isEnabled());

    // A click on the disabled Open does nothing.
    m_mw->files().menuApri_Click();
    QCOMPARE(m_desk->dialogs.asked.size(), 1);
}

void TestFileCommands::openWithoutLanguageLineKeepsTheCode()
{
    m_ctx->store.LanguageCode = 4;
    open(writeEng("plain.eng", {Ruler, itemLine("02", " ", "sun", "sol")}));
    QCOMPARE(m_ctx->store.ItemCount(), qint16(1));
    QCOMPARE(m_ctx->store.LanguageCode, qint16(4));
    QCOMPARE(m_ctx->store.HeaderText(3), QString("SPANISH"));
}

void TestFileCommands::openCancelledChangesNothing()
{
    m_ui->menuApri->trigger();
    QCOMPARE(m_desk->dialogs.asked.size(), 1);
    QVERIFY(m_boxes.shown.isEmpty());
    QVERIFY(m_ui->menuApri->isEnabled());
    QVERIFY(m_ui->button(1)->isEnabled());
    QVERIFY(!m_ctx->store.SaveAvailable());
    QVERIFY(m_ctx->store.CurrentFileName.isEmpty());
    QCOMPARE(m_ctx->session.Score, qint16(0));
    QVERIFY(!menuEnabled(m_ui->menuEdit));
    QVERIFY(!m_ui->button(2)->isEnabled());
}

void TestFileCommands::openOfAVanishedFile()
{
    const QString path = sample();
    QVERIFY(QFile::remove(path));
    open(path);
    QCOMPARE(m_boxes.shown.size(), 1);
    QCOMPARE(m_boxes.shown[0].title, QString("Open failed ..."));
    QCOMPARE(m_boxes.shown[0].icon, platform::Icon::Critical);
    QVERIFY(m_boxes.shown[0].text.contains(path));
    QCOMPARE(m_ctx->store.ItemCount(), qint16(0));
    QVERIFY(m_ctx->store.CurrentFileName.isEmpty());
    QCOMPARE(m_ctx->store.WorkingFolder, m_startDir);
    QVERIFY(!m_ctx->store.SaveAvailable());
    QVERIFY(m_ui->menuApri->isEnabled());
    QVERIFY(m_ui->button(1)->isEnabled());
    for (QMenu *m : {m_ui->menuView, m_ui->menuEdit, m_ui->menuTest, m_ui->menuOptions})
        QVERIFY2(!menuEnabled(m), qPrintable(m->objectName()));
    QVERIFY(menuEnabled(m_ui->menuFile));
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(m_ui->button(n)->isEnabled(), n == 1 || n == 10);

    // Open is still there for the file once it is back.
    open(sample());
    QCOMPARE(m_ctx->store.ItemCount(), qint16(2));
}

void TestFileCommands::openOfRandomBytesShowsFewBoxes()
{
    QByteArray bytes(16 * 1024, Qt::Uninitialized);
    QRandomGenerator random(20260310);
    for (char &c : bytes)
        c = char(random.bounded(256));
    const QString path = m_dir->filePath("random.eng");
    QVERIFY(writeFileBytes(path, bytes));
    open(path);
    // Ten rows' own boxes, then one for the rest.
    QCOMPARE(m_boxes.shown.size(), 11);
    QCOMPARE(m_boxes.shown.last().title, QString("Rows discarded ..."));
}

void TestFileCommands::commandsHeldOffWhileLoading()
{
    QStringList lines{LanguageLine(1), Ruler};
    for (int i = 0; i < 50; ++i)
        lines << itemLine("01", " ", QString("word%1").arg(i), "parola");
    lines << itemLine("02", " ", "bad (", "x");
    const QString path = writeEng("slow.eng", lines);

    // Everything the user could do while the refused row's box is up.
    int probes = 0;
    QSignalSpy ended(m_mw, &MainWindow::ended);
    QSignalSpy help(m_ui->menuIstruzioni, &QAction::triggered);
    m_mw->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_mw));
    m_boxes.probe = [&] {
        ++probes;
        QVERIFY(m_mw->files().isLoading());
        QVERIFY(!m_mw->menuBar()->isEnabled());
        QVERIFY(!m_ui->BottBar->isEnabled());
        QVERIFY(!m_ui->Central->isEnabled());
        m_ctx->store.SetSaveAvailable(true); // as if something could be saved
        m_ui->menuApri->trigger();
        m_mw->files().menuSalva_Click();
        m_mw->files().menuNuovo_Click();
        m_mw->menuFine_Click();
        QVERIFY(!m_mw->close());
        QTest::keyClick(m_mw, Qt::Key_F1); // a shortcut of a menu entry
        QCOMPARE(help.count(), 0);
        QCOMPARE(m_desk->dialogs.asked.size(), 1);
        QVERIFY(!m_ui->FrameNazione->isVisible());
        QCOMPARE(ended.count(), 0);
    };
    open(path);
    m_boxes.probe = nullptr;
    QCOMPARE(probes, 1);
    QCOMPARE(m_boxes.shown.size(), 1); // only the refused row: no exit questions
    QVERIFY(!m_mw->files().isLoading());
    QCOMPARE(m_ctx->store.ItemCount(), qint16(50));
    QVERIFY(m_mw->menuBar()->isEnabled());
    QVERIFY(m_ui->Central->isEnabled());
    QVERIFY(m_mw->isVisible());
    QTest::keyClick(m_mw, Qt::Key_F1); // the shortcut works again
    QCOMPARE(help.count(), 1);
}

void TestFileCommands::saveRoundTrip()
{
    const QString opened = sample();
    open(opened);
    m_ctx->store.SetMark(1, "c");
    QDir(m_dir->path()).mkdir("out");
    const QString target = m_dir->filePath("out/saved");
    save(target);

    const platform::AskedDialog asked = m_desk->dialogs.asked.value(1);
    QVERIFY(asked.save);
    QCOMPARE(asked.title, QString("Choose the file for saving"));
    QCOMPARE(asked.filter,
             QString("Files English (*.eng);;Tab-separated text (*.tsv);;All files (*.*)"));
    QCOMPARE(asked.proposedName, opened);
    QCOMPARE(QDir(asked.startFolder), QDir(m_dir->path()));

    QVERIFY(m_boxes.shown.isEmpty());
    QCOMPARE(m_ctx->store.CurrentFileName, target + ".eng");
    QVERIFY(!m_ctx->store.SaveAvailable());
    QVERIFY(!m_ui->menuSalva->isEnabled());
    QVERIFY(m_ui->button(2)->isEnabled()); // only the edit view changes button 2
    QCOMPARE(QDir(m_ctx->store.WorkingFolder), QDir(m_dir->path()));

    const QByteArray bytes = readFileBytes(target + ".eng");
    QVERIFY(bytes.startsWith("@@ 3 1=ita 2=fra 3=ger 4=spa 0=others\r\n" + Ruler.toLatin1()
                             + "\r\n01 c house"));
    VocabFileContents back;
    QString error;
    QVERIFY(ReadVocabFileAt(target + ".eng", back, &error));
    QCOMPARE(back.items, m_ctx->store.Items());
    QCOMPARE(back.languageCode, std::optional<qint16>(3));

    // Save while unavailable asks nothing.
    m_ui->button(2)->trigger();
    QCOMPARE(m_desk->dialogs.asked.size(), 2);
}

void TestFileCommands::openDialogOffersTheStarterFolder()
{
    const QString program = QCoreApplication::applicationDirPath() + "/../src";
    m_mw->files().setProgramFolder(program);
    m_ui->menuApri->trigger();
    const QString starter = FindStarterFolder(program);
    QVERIFY(starter.endsWith("/Starter vocabularies"));
    QCOMPARE(m_desk->dialogs.asked.value(0).places, QStringList{starter});
    QCOMPARE(m_desk->dialogs.asked.value(0).startFolder, m_startDir); // it starts where it did
}

void TestFileCommands::importBehavesAsOpen_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("language");
    QTest::addColumn<QList<int>>("lessons");
    QTest::newRow("KVTML") << "kde-english-german.kvtml" << 9 << 3 << QList<int>{1, 2, 3, 4};
    QTest::newRow("CSV") << "libreoffice-words.csv" << 5 << 2 << QList<int>{1, 2, 3, 4, 20};
    QTest::newRow("Anki") << "anki-notes.txt" << 4 << 0 << QList<int>{1};
}

void TestFileCommands::importBehavesAsOpen()
{
    QFETCH(QString, file);
    QFETCH(int, items);
    QFETCH(int, language);
    QFETCH(QList<int>, lessons);
    const QString path = m_dir->filePath(file);
    QVERIFY(QFile::copy(QStringLiteral(IMPORT_DATA_DIR "/") + file, path));
    const QByteArray original = readFileBytes(path);
    open(path);

    const VocabStore &store = m_ctx->store;
    QCOMPARE(store.ItemCount(), qint16(items));
    QCOMPARE(store.LanguageCode, qint16(language));
    QCOMPARE(store.CurrentFileName, EngNameFor(path));
    QCOMPARE(QDir(store.WorkingFolder), QDir(m_dir->path()));
    // The refused rows in one box.
    QCOMPARE(m_boxes.shown.size(), 1);
    QCOMPARE(m_boxes.shown[0].title, QString("Rows discarded ..."));
    QCOMPARE(m_boxes.shown[0].icon, platform::Icon::Critical);
    for (int k = 1; k <= 20; ++k)
        QCOMPARE(named<QCheckBox>(m_mw, QString("Ckles_%1").arg(k))->isEnabled(), lessons.contains(k));
    QCOMPARE(m_ctx->pool.Size(), items);
    QVERIFY(!m_ui->menuApri->isEnabled());
    verifyVocabularyCommandsOn();
    if (QTest::currentTestFailed())
        return;

    // The tests log goes beside the file; the first Save proposes the .eng
    // name and leaves the imported file as it was.
    m_ctx->session.DoneCount = 2;
    QVERIFY(m_ctx->testLog.AppendTestLogRecord(store, m_ctx->pool, m_ctx->options, m_ctx->session,
                                               m_desk->clock.now(), QLocale::c())
                .Ok);
    QVERIFY(QFile::exists(EngNameFor(path).chopped(4) + ".log"));
    save(store.CurrentFileName);
    QCOMPARE(m_desk->dialogs.asked.last().proposedName, EngNameFor(path));
    QCOMPARE(readFileBytes(path), original);
    VocabFileContents back;
    QString error;
    QVERIFY(ReadVocabFileAt(EngNameFor(path), back, &error));
    QCOMPARE(back.items, store.Items());
    QCOMPARE(back.languageCode, std::optional<qint16>(qint16(language)));
}

void TestFileCommands::importRefusedChangesNothing()
{
    const QString path = m_dir->filePath("animals.kvtml");
    QVERIFY(QFile::copy(IMPORT_DATA_DIR "/kde-english-only.kvtml", path));
    open(path);
    QCOMPARE(m_boxes.shown.size(), 1);
    QCOMPARE(m_boxes.shown[0].title, QString("Open failed ..."));
    QCOMPARE(m_boxes.shown[0].icon, platform::Icon::Critical);
    QVERIFY2(m_boxes.shown[0].text.contains("only one language (en)"), qPrintable(m_boxes.shown[0].text));
    QCOMPARE(m_ctx->store.ItemCount(), qint16(0));
    QVERIFY(m_ctx->store.CurrentFileName.isEmpty());
    QVERIFY(m_ui->menuApri->isEnabled());
    QVERIFY(!m_ctx->store.SaveAvailable());
}

void TestFileCommands::saveAsTable_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("table");
    const QString eng = "Files English (*.eng)";
    const QString tsv = "Tab-separated text (*.tsv)";
    QTest::newRow("table filter") << "words" << tsv << "words.tsv" << true;
    QTest::newRow("table name") << "words.tsv" << eng << "words.tsv" << true;
    QTest::newRow("table name in capitals") << "words.TSV" << "All files (*.*)" << "words.TSV" << true;
    QTest::newRow(".eng as always") << "words.csv" << eng << "words.csv.eng" << false;
}

void TestFileCommands::saveAsTable()
{
    QFETCH(QString, chosen);
    QFETCH(QString, filter);
    QFETCH(QString, written);
    QFETCH(bool, table);
    open(sample());
    m_desk->dialogs.nextFilters << filter;
    save(m_dir->filePath(chosen));
    const QString path = m_dir->filePath(written);
    QCOMPARE(m_ctx->store.CurrentFileName, path);
    QVERIFY(!m_ctx->store.SaveAvailable());
    QCOMPARE(readFileBytes(path).startsWith("#English\tGerman\t"), table);
    VocabFileContents back;
    QString error;
    QVERIFY(ReadAnyVocabFileAt(path, back, &error));
    QCOMPARE(back.items, m_ctx->store.Items());
    QCOMPARE(back.languageCode, std::optional<qint16>(3));
}

void TestFileCommands::saveNameGetsExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("none") << "words" << "words.eng";
    QTest::newRow("lower case") << "words.eng" << "words.eng";
    QTest::newRow("capitals") << "words.ENG" << "words.ENG";
    QTest::newRow("other") << "words.txt" << "words.txt.eng";
}

void TestFileCommands::saveNameGetsExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    m_ui->menuNuovo->trigger();
    save(m_dir->filePath(chosen));
    QCOMPARE(m_ctx->store.CurrentFileName, m_dir->filePath(written));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{written});
}

void TestFileCommands::saveCancelledKeepsSaveAvailable()
{
    open(sample());
    m_ui->menuSalva->trigger();
    QCOMPARE(m_desk->dialogs.asked.size(), 2);
    QVERIFY(m_ctx->store.SaveAvailable());
    QVERIFY(m_ui->menuSalva->isEnabled());
    QCOMPARE(m_ctx->store.CurrentFileName, m_dir->filePath("sample.eng"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"sample.eng"});
}

void TestFileCommands::failedSaveChangesNothing()
{
    const QString opened = sample();
    const QByteArray old = readFileBytes(opened);
    open(opened);
    m_ctx->store.SetMark(2, " ");
    const QVector<VocabItem> items = m_ctx->store.Items();
    const QString target = opened + "/inside.eng"; // a folder that is a plain file
    save(target);

    QCOMPARE(m_boxes.shown.size(), 1);
    QCOMPARE(m_boxes.shown[0].title, QString("Save failed ..."));
    QCOMPARE(m_boxes.shown[0].icon, platform::Icon::Critical);
    QCOMPARE(m_boxes.shown[0].buttons, platform::Ok);
    QVERIFY(m_boxes.shown[0].text.contains(target));
    QCOMPARE(m_ctx->store.Items(), items);
    QVERIFY(m_ctx->store.SaveAvailable());
    QCOMPARE(m_ctx->store.CurrentFileName, opened);
    QCOMPARE(readFileBytes(opened), old);

    // The next Save proposes the file that still holds the vocabulary.
    save(opened);
    QCOMPARE(m_desk->dialogs.asked.last().proposedName, opened);
    QVERIFY(!m_ctx->store.SaveAvailable());
    QVERIFY(readFileBytes(opened) != old);
}

void TestFileCommands::backButtonRequests()
{
    open(sample());
    const int asked = m_desk->dialogs.asked.size();

    // Save available: the request only clears the flag and hides the rules.
    m_ctx->store.SkipNextSave = true;
    m_ui->FrameRegole->show();
    m_mw->files().menuSalva_Click();
    QVERIFY(!m_ctx->store.SkipNextSave);
    QVERIFY(!m_ui->FrameRegole->isVisible());
    QVERIFY(m_ctx->store.SaveAvailable());
    QCOMPARE(m_desk->dialogs.asked.size(), asked);

    // Just saved: the request only clears the flag.
    save(m_dir->filePath("kept.eng"));
    const QByteArray saved = readFileBytes(m_dir->filePath("kept.eng"));
    m_ctx->store.SkipNextSave = true;
    m_ui->FrameRegole->show();
    m_mw->files().menuSalva_Click();
    QVERIFY(!m_ctx->store.SkipNextSave);
    QVERIFY(m_ui->FrameRegole->isVisible());
    QCOMPARE(m_desk->dialogs.asked.size(), asked + 1);

    // A later edit makes the next Save write again.
    m_ctx->store.SetMark(1, "c");
    m_ctx->store.SetSaveAvailable(true);
    save(m_dir->filePath("kept.eng"));
    QCOMPARE(m_desk->dialogs.asked.size(), asked + 2);
    QVERIFY(readFileBytes(m_dir->filePath("kept.eng")) != saved);
    QVERIFY(!m_ctx->store.SaveAvailable());
}

void TestFileCommands::newAfterOpenKeepsItems()
{
    open(sample());
    const QVector<VocabItem> items = m_ctx->store.Items();
    m_ctx->store.SkipNextSave = true;
    m_ctx->session.Score = 12;
    m_desk->clock.time = QDateTime(QDate(2026, 3, 1), QTime(11, 0, 2));
    m_ui->FrameRegole->show();
    m_ui->menuNuovo->trigger();

    QCOMPARE(m_ctx->store.Items(), items);
    QCOMPARE(m_ctx->store.LanguageCode, qint16(3));
    QVERIFY(m_ctx->store.CurrentFileName.isEmpty());
    QVERIFY(!m_ctx->store.SkipNextSave);
    QCOMPARE(m_ctx->session.Score, qint16(1000));
    QCOMPARE(m_ctx->session.SessionStart, QTime(11, 0, 2));
    QVERIFY(!m_ui->FrameRegole->isVisible());
    QVERIFY(m_ui->FrameNazione->isVisible());
    for (int k = 1; k <= 20; ++k) {
        QVERIFY(!named<QCheckBox>(m_mw, QString("Ckles_%1").arg(k))->isEnabled());
        QVERIFY(!named<QCheckBox>(m_mw, QString("Ckles_%1").arg(k))->isChecked());
    }
    QVERIFY(m_ctx->store.SaveAvailable());

    save(m_dir->filePath("copy"));
    QCOMPARE(m_desk->dialogs.asked.last().proposedName, QString());
    VocabFileContents back;
    QString error;
    QVERIFY(ReadVocabFileAt(m_dir->filePath("copy.eng"), back, &error));
    QCOMPARE(back.items, items);
}

void TestFileCommands::newFromTheStart()
{
    m_ui->menuNuovo->trigger();
    QCOMPARE(m_ctx->store.WorkingFolder, m_startDir);
    QVERIFY(m_desk->dialogs.asked.isEmpty());
    QVERIFY(m_ui->FrameNazione->isVisible());
    QVERIFY(!m_ui->menuApri->isEnabled());
    QVERIFY(!m_ui->button(1)->isEnabled());
    QVERIFY(m_ui->menuSalva->isEnabled());

    // The edit view is open, for the first items to be typed; it holds off
    // the other views until it closes.
    QVERIFY(m_mw->edit().isOpen());
    QVERIFY(menuEnabled(m_ui->menuEdit));
    QVERIFY(m_ui->button(6)->isEnabled());
    QVERIFY(m_ui->button(10)->isEnabled());
    m_ui->menuAggiorna->trigger();
    QVERIFY(!m_mw->edit().isOpen());
    verifyVocabularyCommandsOn();
    if (QTest::currentTestFailed())
        return;

    // New again, with the edit view closed or open, opens it again.
    m_ui->menuNuovo->trigger();
    QVERIFY(m_mw->edit().isOpen());
    m_ui->menuNuovo->trigger();
    QVERIFY(m_mw->edit().isOpen());

    // New from the listen or history view switches that view off first, so
    // that a click in the edit view loads the item instead of speaking it.
    m_ui->menuAggiorna->trigger();
    m_ui->menuAscolta->trigger();
    m_ui->menuNuovo->trigger();
    QVERIFY(!m_ui->pressed(5));
    QCOMPARE(caption(m_ui->menuAscolta), QString("Listen items"));
    QVERIFY(m_mw->edit().isOpen());
    m_ui->menuAggiorna->trigger();
    m_ui->menuStoria->trigger();
    m_ui->menuNuovo->trigger();
    QVERIFY(!m_ui->pressed(3));
    QVERIFY(!m_ui->laStoria->isVisible());
    QVERIFY(m_mw->edit().isOpen());
}

void TestFileCommands::exitWithCancelledDialogAsksTwice()
{
    const QString opened = sample();
    const QByteArray old = readFileBytes(opened);
    open(opened);
    QSignalSpy ended(m_mw, &MainWindow::ended);
    m_ui->menuFine->trigger(); // Yes to the question, then Cancel in both dialogs
    QCOMPARE(m_boxes.shown.size(), 1);
    QCOMPARE(m_boxes.shown[0].text, QString("Save file and test results ?"));
    QCOMPARE(m_desk->dialogs.asked.size(), 3);
    QVERIFY(m_desk->dialogs.asked[1].save);
    QVERIFY(m_desk->dialogs.asked[2].save);
    // Cancelled twice: the program stays open with its work, still to save.
    QCOMPARE(ended.count(), 0);
    QVERIFY(m_mw->isVisible());
    QVERIFY(m_ctx->store.SaveAvailable());
    QCOMPARE(readFileBytes(opened), old);

    // Escape at the question calls Exit off too, before any dialog.
    m_boxes.answers << platform::Cancel;
    m_ui->menuFine->trigger();
    QCOMPARE(m_desk->dialogs.asked.size(), 3);
    QCOMPARE(ended.count(), 0);
    QVERIFY(m_ctx->store.SaveAvailable());
}

void TestFileCommands::pendingLogRecordsFlushedAtFirstSave()
{
    m_ui->menuNuovo->trigger();
    m_ctx->session.DoneCount = 4;
    const LogWriteResult kept = m_ctx->testLog.AppendTestLogRecord(
        m_ctx->store, m_ctx->pool, m_ctx->options, m_ctx->session, m_desk->clock.now(),
        QLocale::c());
    QCOMPARE(kept.Pending, 1);

    save(m_dir->filePath("fresh"));
    QVERIFY(m_boxes.shown.isEmpty());
    const QList<QByteArray> lines = readFileBytes(m_dir->filePath("fresh.log")).split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].endsWith(";0;0; ALL;4;1000;0\r"));
    QVERIFY(m_ctx->testLog.PendingRecords().isEmpty());
}

void TestFileCommands::logFailureAfterSaveShowsOneBox()
{
    m_ui->menuNuovo->trigger();
    m_ctx->session.DoneCount = 1;
    m_ctx->testLog.AppendTestLogRecord(m_ctx->store, m_ctx->pool, m_ctx->options,
                                       m_ctx->session, m_desk->clock.now(), QLocale::c());
    QVERIFY(QDir(m_dir->path()).mkdir("blocked.log")); // the log's name is taken by a folder
    save(m_dir->filePath("blocked.eng"));

    QVERIFY(!m_ctx->store.SaveAvailable()); // the vocabulary itself is saved
    QVERIFY(QFile::exists(m_dir->filePath("blocked.eng")));
    QCOMPARE(m_boxes.shown.size(), 1);
    QCOMPARE(m_boxes.shown[0].title, QString("Tests log ..."));
    QCOMPARE(m_boxes.shown[0].icon, platform::Icon::Warning);
    QVERIFY(m_boxes.shown[0].text.contains(m_dir->filePath("blocked.log")));
    QCOMPARE(m_ctx->testLog.PendingRecords().size(), 1);
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
