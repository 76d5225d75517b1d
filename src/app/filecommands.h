#pragma once
// The File menu's New, Open and Save commands.

#include <QString>

struct AppContext;
class FileHost;

class FileCommands {
public:
    FileCommands(AppContext &ctx, FileHost &host) : m_ctx(ctx), m_host(host) {}
    // New: a vocabulary without a file name yet; opens the country panel and
    // the edit view. Items already in the store stay.
    void menuNuovo_Click();
    // Open: reads a .eng file into the store, or imports a KVTML file or a
    // text table (see vocab/imports.h). Works once per run: a
    // successful Open disables itself, and so does New.
    void menuApri_Click();
    // Open's steps after its dialog chose `path` (also the file named on the
    // command line): reads it, or reports why it cannot, and on success
    // shows its language, makes the lesson boxes and disables Open. False,
    // with nothing changed, when the file was not read or Open is over.
    bool OpenFile(const QString &path);
    // Save; also the request a test window's Back button makes, and the
    // exit sequence's save.
    void menuSalva_Click();
    // Whether a file is being read (commands are held off meanwhile).
    bool isLoading() const { return m_loading; }

    // The folder where the starter vocabularies are looked for (the
    // program's own by default).
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    QString programFolder() const;

    static const QString OpenTitle;
    static const QString OpenFilter;  // the .eng files' filter, offered first
    static const QString OpenFilters; // every filter of the Open dialog
    static const QString SaveTitle;
    static const QString SaveFilter;
    static const QString TableFilter; // the Save dialog's filter of tables

private:
    // The folder the dialogs start in: WorkingFolder, taken from the current
    // directory when it is still empty, made the current directory.
    QString enterWorkingFolder();
    // Reads the file into the store with the window's commands held off;
    // false (and nothing changed) when it cannot be read. *imported tells
    // whether it was a file of another program.
    bool load(const QString &path, bool *imported);
    AppContext &m_ctx;
    FileHost &m_host;
    // New or Open has run: Open is over for this run.
    bool m_opened = false;
    bool m_loading = false;
    QString m_programFolder;
};
