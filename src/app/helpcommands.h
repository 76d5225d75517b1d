#pragma once
// The Help menu: the instructions page, the test rules and the about window.

#include "platform/keyboard.h"

#include <QString>
#include <QStringList>

struct AppContext;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;
class ViewHost;

// The test rules, line by line, and joined by CR LF as one text.
QStringList TestRulesLines();
QString TestRulesText();

// The instructions page relative to the help folder.
inline constexpr const char *HelpPageRelativePath = "contiene/VOCA8ENH.HTM";

// Where the instructions page may be, given the program's folder, in the
// order they are tried: beside the program (the build tree), then in the
// installed data folder.
QStringList HelpPageCandidates(const QString &programFolder);
// The first candidate that exists, or "" when none does.
QString FindHelpPage(const QString &programFolder);

// The folder of the vocabularies that ship with the program, by the name that
// the Open dialog shows for it.
inline constexpr const char *StarterFolderName = "Starter vocabularies";

// Where that folder may be, given the program's folder, in the order they are
// tried: beside the program (the build tree), then in the installed data
// folder.
QStringList StarterFolderCandidates(const QString &programFolder);
// The first candidate that exists as a folder, or "" when none does.
QString FindStarterFolder(const QString &programFolder);

class HelpCommands {
public:
    // The rules frame opens in the overlay area given, at its top left.
    HelpCommands(AppContext &ctx, ViewHost &host, QWidget *overlayParent);
    // General instruction (F1, toolbar button 10): the page in the browser.
    void menuIstruzioni_Click();
    // Test rules: the rules frame (an open options panel is confirmed
    // first, by the caller).
    void menuRegole_Click();
    // The OK button of the rules frame.
    void Command6_Click();
    // About: the modal about window.
    void menuInfo_Click();

    // The folder where the page is looked for (the program's own by default).
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    QString programFolder() const;

private:
    AppContext &m_ctx;
    ViewHost &m_host;
    platform::FocusReturn m_focus;
    QFrame *m_frame = nullptr;
    QLabel *m_rules = nullptr;
    QString m_programFolder;
};
