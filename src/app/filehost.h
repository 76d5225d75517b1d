#pragma once
// What the File menu's commands may ask of the main window: the steps of New
// and Open that belong to other parts of the window, named for what they do.

class QWidget;

class FileHost {
public:
    virtual ~FileHost() = default;
    // The window over which the dialogs and messages open.
    virtual QWidget *hostWindow() = 0;
    virtual void hideRulesFrame() = 0;
    // New switches the read, listen and history views off first, so that the
    // edit view it opens is not left under them.
    virtual void endReviewViews() = 0;
    // New: the country panel, where the new vocabulary's language is chosen.
    virtual void chooseLanguage() = 0;
    // Open: the language of the file shown everywhere.
    virtual void showLanguage() = 0;
    // The lesson boxes made anew; Open also rebuilds the lesson table (and
    // with it the first item pool).
    virtual void makeLessonBoxes(bool rebuildTable) = 0;
    // The commands a vocabulary makes usable; Open disabled for good.
    virtual void enableVocabularyCommands(bool byNew) = 0;
    // New: the edit view, where the first items are typed.
    virtual void openEditView() = 0;
    // While a file loads, the window takes no commands.
    virtual void holdCommands(bool held) = 0;
};
