#include "app/filecommands.h"

#include "app/countrypanel.h"
#include "app/mainwindow.h"
#include "review/historyview.h"
#include "review/reviewviews.h"
#include "edit/editview.h"
#include "test/optionspanel.h"
#include "vocab/vocabfile.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>
#include <vector>

const QString FileCommands::OpenTitle = QStringLiteral("Choose the file to open");
// Qt reads "name(patterns)" as a filter named "eng files" for "*.eng".
const QString FileCommands::OpenFilter = QStringLiteral("eng files(*.eng)");
const QString FileCommands::SaveTitle = QStringLiteral("Choose the file for saving");
const QString FileCommands::SaveFilter =
    QStringLiteral("Files English (*.eng);;All files (*.*)");

namespace {

// Keeps the main window from taking commands while a file loads: its menu
// bar, toolbar and central area are disabled (which also silences the menus'
// shortcuts) and put back as they were afterwards. The window still repaints,
// and message boxes, being windows of their own, still take their answer.
class CommandsHeldOff {
public:
    CommandsHeldOff(MainWindow &mw, bool &loading) : m_loading(loading)
    {
        m_loading = true;
        // A menu follows the enabled state of the menu bar into its entry in
        // the bar, which would lose which menus were off: keep them.
        for (QAction *menu : mw.menuBar()->actions())
            m_menus.push_back({menu, menu->isEnabled()});
        for (QWidget *w : {static_cast<QWidget *>(mw.menuBar()),
                           static_cast<QWidget *>(mw.BottBar), mw.Central}) {
            m_widgets.push_back({w, w->isEnabledTo(w->parentWidget())});
            w->setEnabled(false);
        }
    }
    ~CommandsHeldOff()
    {
        for (const auto &[widget, wasEnabled] : m_widgets)
            if (widget)
                widget->setEnabled(wasEnabled);
        for (const auto &[menu, wasEnabled] : m_menus)
            if (menu)
                menu->setEnabled(wasEnabled);
        m_loading = false;
    }
    CommandsHeldOff(const CommandsHeldOff &) = delete;
    CommandsHeldOff &operator=(const CommandsHeldOff &) = delete;

private:
    bool &m_loading;
    std::vector<std::pair<QPointer<QWidget>, bool>> m_widgets;
    std::vector<std::pair<QPointer<QAction>, bool>> m_menus;
};

} // namespace

QString FileCommands::enterWorkingFolder()
{
    VocabStore &store = m_mw.ctx().store;
    if (store.WorkingFolder.isEmpty())
        store.WorkingFolder = QDir::currentPath();
    // A folder that has gone meanwhile leaves the current directory as it is;
    // the dialog then starts wherever it can.
    QDir::setCurrent(store.WorkingFolder);
    return store.WorkingFolder;
}

void FileCommands::enableVocabularyCommands(bool includingTenth)
{
    m_mw.menuApri->setEnabled(false);
    m_mw.setButtonEnabled(1, false);
    m_mw.ctx().store.SetSaveAvailable(true);
    for (QMenu *menu : {m_mw.menuView, m_mw.menuEdit, m_mw.menuOptions, m_mw.menuTest})
        MainWindow::setMenuEnabled(menu, true);
    m_mw.menuLeggi->setEnabled(true);
    m_mw.menuAscolta->setEnabled(true);
    m_mw.setButtonsEnabled({2, 3, 4, 5, 6, 7, 8, 9}, true);
    if (includingTenth)
        m_mw.setButtonEnabled(10, true);
}

void FileCommands::menuNuovo_Click()
{
    if (m_loading)
        return;
    AppContext &ctx = m_mw.ctx();
    m_mw.hideRulesFrame();
    // New stays in the File menu while the read, listen or history view is
    // on; that view is switched off first, so the edit view that New opens
    // is not left under its list or its pressed listen button.
    if (m_mw.menuLeggi->text() != QLatin1String("Read items"))
        m_mw.review().menuLeggi_Click();
    if (m_mw.menuAscolta->text() != QLatin1String("Listen items"))
        m_mw.review().menuAscolta_Click();
    if (m_mw.menuStoria->text() != QLatin1String("Show tests history"))
        m_mw.history().menuStoria_Click();
    if (ctx.store.WorkingFolder.isEmpty())
        ctx.store.WorkingFolder = QDir::currentPath();
    ctx.store.CurrentFileName.clear();
    ctx.store.SkipNextSave = false;
    ctx.session.Score = 1000;
    ctx.session.SessionStart = m_mw.desktop().clock->now().time();
    m_mw.country().menuCountry_Click();
    m_mw.options().CreateLessonBoxes();
    enableVocabularyCommands(true);
    // The caption tells the edit view to open rather than close.
    m_mw.menuAggiorna->setText(QStringLiteral("Edit items"));
    m_mw.edit().menuAggiorna_Click();
}

void FileCommands::menuApri_Click()
{
    // Open reads into the store once per run; a request that arrives after
    // New or Open (from a queued click) is ignored.
    if (m_loading || !m_mw.menuApri->isEnabled())
        return;
    AppContext &ctx = m_mw.ctx();
    m_mw.hideRulesFrame();
    const QString startFolder = enterWorkingFolder();
    const QString path =
        m_mw.desktop().dialogs->openFile(&m_mw, OpenTitle, OpenFilter, startFolder);
    if (path.trimmed().isEmpty())
        return;
    if (!load(path))
        return;

    const QString folder = QFileInfo(path).absolutePath();
    ctx.store.WorkingFolder = folder;
    QDir::setCurrent(folder);
    ctx.store.CurrentFileName = path;
    ctx.store.SkipNextSave = false;
    ctx.session.Score = 1000;
    ctx.session.SessionStart = m_mw.desktop().clock->now().time();
    m_mw.country().ApplyLanguage();
    m_mw.options().CreateLessonBoxes();
    m_mw.options().RebuildLessonTable();
    enableVocabularyCommands(false);
}

bool FileCommands::load(const QString &path)
{
    VocabStore &store = m_mw.ctx().store;
    platform::MessageBoxes &boxes = *m_mw.desktop().boxes;
    VocabFileContents contents;
    QString error;
    bool read;
    {
        CommandsHeldOff held(m_mw, m_loading);
        VocabFileReadOptions options;
        options.room = ItemTable::MaxItems - store.ItemCount();
        options.letEventsRun = [] { QCoreApplication::processEvents(); };
        options.onRefusedRow = [&](const VocabFileMessage &message) {
            boxes.show(&m_mw, message.title, message.text, platform::Icon::Critical,
                       platform::Ok);
        };
        read = ReadVocabFileAt(path, contents, &error, options);
        if (read)
            AddToStore(contents, store);
    }
    if (!read) {
        const VocabFileMessage message = OpenFailedMessage(path, error);
        boxes.show(&m_mw, message.title, message.text, platform::Icon::Critical, platform::Ok);
    }
    return read;
}

void FileCommands::menuSalva_Click()
{
    if (m_loading)
        return;
    AppContext &ctx = m_mw.ctx();
    VocabStore &store = ctx.store;
    if (!store.SaveAvailable()) {
        store.SkipNextSave = false;
        return;
    }
    m_mw.hideRulesFrame();
    // A test window's Back button asks for one Save that writes nothing.
    if (store.SkipNextSave) {
        store.SkipNextSave = false;
        return;
    }
    const QString startFolder = enterWorkingFolder();
    const QString chosen = m_mw.desktop().dialogs->saveFile(&m_mw, SaveTitle, SaveFilter,
                                                            startFolder, store.CurrentFileName);
    if (chosen.trimmed().isEmpty())
        return;

    // The name changes only once the file is written, so that after a failure
    // the next Save proposes the name of the file that holds the vocabulary.
    const QString path = WithEngExtension(chosen);
    const VocabSaveResult saved = SaveVocabFile(path, store.Items(), store.LanguageCode);
    if (!saved.ok) {
        const VocabFileMessage message = SaveFailedMessage(path, saved.error);
        m_mw.desktop().boxes->show(&m_mw, message.title, message.text, platform::Icon::Critical,
                                   platform::Ok);
        return;
    }
    store.CurrentFileName = path;
    store.SetSaveAvailable(false);

    // Test records kept while the vocabulary had no name go to its log now.
    const LogWriteResult logged = ctx.testLog.FlushPendingLogRecords(path);
    if (!logged.Ok)
        m_mw.desktop().boxes->show(&m_mw, LogFailureTitle(), LogFailureText(logged),
                                   platform::Icon::Warning, platform::Ok);
}
