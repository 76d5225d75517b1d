#include "app/filecommands.h"

#include "app/filehost.h"
#include "test/appcontext.h"
#include "vocab/vocabfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

const QString FileCommands::OpenTitle = QStringLiteral("Choose the file to open");
// Qt reads "name(patterns)" as a filter named "eng files" for "*.eng".
const QString FileCommands::OpenFilter = QStringLiteral("eng files(*.eng)");
const QString FileCommands::SaveTitle = QStringLiteral("Choose the file for saving");
const QString FileCommands::SaveFilter =
    QStringLiteral("Files English (*.eng);;All files (*.*)");

namespace {

// Keeps the main window from taking commands while a file loads, and gives
// them back however the load ends.
class CommandsHeldOff {
public:
    CommandsHeldOff(FileHost &host, bool &loading) : m_host(host), m_loading(loading)
    {
        m_loading = true;
        m_host.holdCommands(true);
    }
    ~CommandsHeldOff()
    {
        m_host.holdCommands(false);
        m_loading = false;
    }
    CommandsHeldOff(const CommandsHeldOff &) = delete;
    CommandsHeldOff &operator=(const CommandsHeldOff &) = delete;

private:
    FileHost &m_host;
    bool &m_loading;
};

} // namespace

QString FileCommands::enterWorkingFolder()
{
    VocabStore &store = m_ctx.store;
    if (store.WorkingFolder.isEmpty())
        store.WorkingFolder = QDir::currentPath();
    // A folder that has gone meanwhile leaves the current directory as it is;
    // the dialog then starts wherever it can.
    QDir::setCurrent(store.WorkingFolder);
    return store.WorkingFolder;
}

void FileCommands::menuNuovo_Click()
{
    if (m_loading)
        return;
    AppContext &ctx = m_ctx;
    m_host.hideRulesFrame();
    // New stays in the File menu while the read, listen or history view is
    // on; that view is switched off first, so the edit view that New opens
    // is not left under its list or its pressed listen button.
    m_host.endReviewViews();
    if (ctx.store.WorkingFolder.isEmpty())
        ctx.store.WorkingFolder = QDir::currentPath();
    ctx.store.CurrentFileName.clear();
    ctx.store.SkipNextSave = false;
    ctx.session.Score = 1000;
    ctx.session.SessionStart = ctx.desktop.clock->now().time();
    m_opened = true;
    m_host.chooseLanguage();
    m_host.makeLessonBoxes(false);
    m_host.enableVocabularyCommands(true);
    m_host.openEditView();
}

void FileCommands::menuApri_Click()
{
    // Open reads into the store once per run; a request that arrives after
    // New or Open (from a queued click) is ignored.
    if (m_loading || m_opened)
        return;
    AppContext &ctx = m_ctx;
    m_host.hideRulesFrame();
    const QString startFolder = enterWorkingFolder();
    const QString path =
        ctx.desktop.dialogs->openFile(m_host.hostWindow(), OpenTitle, OpenFilter, startFolder);
    if (path.trimmed().isEmpty())
        return;
    OpenFile(path);
}

bool FileCommands::OpenFile(const QString &path)
{
    if (m_loading || m_opened)
        return false;
    AppContext &ctx = m_ctx;
    if (!load(path))
        return false;

    const QString folder = QFileInfo(path).absolutePath();
    ctx.store.WorkingFolder = folder;
    QDir::setCurrent(folder);
    ctx.store.CurrentFileName = path;
    ctx.store.SkipNextSave = false;
    ctx.session.Score = 1000;
    ctx.session.SessionStart = ctx.desktop.clock->now().time();
    m_opened = true;
    m_host.showLanguage();
    m_host.makeLessonBoxes(true);
    m_host.enableVocabularyCommands(false);
    return true;
}

bool FileCommands::load(const QString &path)
{
    VocabStore &store = m_ctx.store;
    platform::MessageBoxes &boxes = *m_ctx.desktop.boxes;
    VocabFileContents contents;
    QString error;
    bool read;
    {
        CommandsHeldOff held(m_host, m_loading);
        VocabFileReadOptions options;
        options.room = ItemTable::MaxItems - store.ItemCount();
        options.letEventsRun = [] { QCoreApplication::processEvents(); };
        options.onRefusedRow = [&](const VocabFileMessage &message) {
            boxes.show(m_host.hostWindow(), message.title, message.text, platform::Icon::Critical,
                       platform::Ok);
        };
        read = ReadVocabFileAt(path, contents, &error, options);
        if (read)
            AddToStore(contents, store);
    }
    if (!read) {
        const VocabFileMessage message = OpenFailedMessage(path, error);
        boxes.show(m_host.hostWindow(), message.title, message.text, platform::Icon::Critical,
                   platform::Ok);
    }
    return read;
}

void FileCommands::menuSalva_Click()
{
    if (m_loading)
        return;
    AppContext &ctx = m_ctx;
    VocabStore &store = ctx.store;
    if (!store.SaveAvailable()) {
        store.SkipNextSave = false;
        return;
    }
    m_host.hideRulesFrame();
    // A test window's Back button asks for one Save that writes nothing.
    if (store.SkipNextSave) {
        store.SkipNextSave = false;
        return;
    }
    const QString startFolder = enterWorkingFolder();
    const QString chosen = ctx.desktop.dialogs->saveFile(m_host.hostWindow(), SaveTitle, SaveFilter,
                                                         startFolder, store.CurrentFileName);
    if (chosen.trimmed().isEmpty())
        return;

    // The name changes only once the file is written, so that after a failure
    // the next Save proposes the name of the file that holds the vocabulary.
    const QString path = WithEngExtension(chosen);
    const VocabSaveResult saved = SaveVocabFile(path, store.Items(), store.LanguageCode);
    if (!saved.ok) {
        const VocabFileMessage message = SaveFailedMessage(path, saved.error);
        ctx.desktop.boxes->show(m_host.hostWindow(), message.title, message.text,
                                platform::Icon::Critical, platform::Ok);
        return;
    }
    store.CurrentFileName = path;
    store.SetSaveAvailable(false);

    // Test records kept while the vocabulary had no name go to its log now.
    const LogWriteResult logged = ctx.testLog.FlushPendingLogRecords(path);
    if (!logged.Ok)
        ctx.desktop.boxes->show(m_host.hostWindow(), LogFailureTitle(), LogFailureText(logged),
                                platform::Icon::Warning, platform::Ok);
}
