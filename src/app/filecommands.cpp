#include "app/filecommands.h"

#include "app/filehost.h"
#include "app/helpcommands.h"
#include "test/appcontext.h"
#include "vocab/imports.h"
#include "vocab/vocabfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

const QString FileCommands::OpenTitle = QStringLiteral("Choose the file to open");
// Qt reads "name(patterns)" as a filter named "eng files" for "*.eng".
const QString FileCommands::OpenFilter = QStringLiteral("eng files(*.eng)");
const QString FileCommands::OpenFilters =
    OpenFilter + QStringLiteral(";;KVTML vocabularies (*.kvtml);;Text tables (*.tsv *.csv *.txt)");
const QString FileCommands::SaveTitle = QStringLiteral("Choose the file for saving");
const QString FileCommands::TableFilter = QStringLiteral("Tab-separated text (*.tsv)");
const QString FileCommands::SaveFilter =
    QStringLiteral("Files English (*.eng);;") + TableFilter + QStringLiteral(";;All files (*.*)");

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
    // The vocabularies that ship with the program are one click away.
    QStringList places;
    if (const QString starter = FindStarterFolder(programFolder()); !starter.isEmpty())
        places << starter;
    const QString path = ctx.desktop.dialogs->openFile(m_host.hostWindow(), OpenTitle, OpenFilters,
                                                       startFolder, places);
    if (path.trimmed().isEmpty())
        return;
    OpenFile(path);
}

bool FileCommands::OpenFile(const QString &path)
{
    if (m_loading || m_opened)
        return false;
    AppContext &ctx = m_ctx;
    bool imported = false;
    if (!load(path, &imported))
        return false;

    const QString folder = QFileInfo(path).absolutePath();
    ctx.store.WorkingFolder = folder;
    QDir::setCurrent(folder);
    // An imported vocabulary is saved as an .eng file beside the one it came
    // from, which is never overwritten in another format; its tests log goes
    // beside it under that name.
    ctx.store.CurrentFileName = imported ? EngNameFor(path) : path;
    ctx.store.SkipNextSave = false;
    ctx.session.Score = 1000;
    ctx.session.SessionStart = ctx.desktop.clock->now().time();
    m_opened = true;
    m_host.showLanguage();
    m_host.makeLessonBoxes(true);
    m_host.enableVocabularyCommands(false);
    return true;
}

QString FileCommands::programFolder() const
{
    return m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
}

bool FileCommands::load(const QString &path, bool *imported)
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
            boxes.show(m_host.hostWindow(), message.title, message.text,
                       message.notice ? platform::Icon::Information : platform::Icon::Critical,
                       platform::Ok);
        };
        VocabFileKind kind = VocabFileKind::Eng;
        read = ReadAnyVocabFileAt(path, contents, &error, options, &kind);
        *imported = kind != VocabFileKind::Eng;
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
    QString filter;
    const QString chosen = ctx.desktop.dialogs->saveFile(
        m_host.hostWindow(), SaveTitle, SaveFilter, startFolder, store.CurrentFileName, &filter);
    if (chosen.trimmed().isEmpty())
        return;

    // A table when its filter or a ".tsv" name says so; otherwise the .eng
    // file as always. The name changes only once the file is written, so
    // that after a failure the next Save proposes the name of the file that
    // holds the vocabulary.
    const bool table = filter == TableFilter || IsTableName(chosen);
    const QString path = !table ? WithEngExtension(chosen)
        : IsTableName(chosen)   ? chosen
                                : chosen + QStringLiteral(".tsv");
    const VocabSaveResult saved = table ? SaveTable(path, store.Items(), store.LanguageCode)
                                        : SaveVocabFile(path, store.Items(), store.LanguageCode);
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
