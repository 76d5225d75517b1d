#pragma once
// The main window: menus, the toolbar, the item lists and the frames that
// take turns over the background picture. The commands themselves live in
// one controller per area (files, country, options, tests, editing, review,
// history, help); the window creates them and connects its menus to them.

#include "app/appcontext.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QToolBar;
class QTreeView;
class QTreeWidget;
class ItemTable;

class FileCommands;
class CountryPanel;
class OptionsPanel;
class TestCommands;
class EditView;
class ReviewViews;
class HistoryView;
class HelpCommands;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);
    ~MainWindow() override;

    AppContext &ctx() { return m_ctx; }
    platform::Desktop &desktop() { return m_ctx.desktop; }

    // Controllers
    FileCommands &files() { return *m_files; }
    CountryPanel &country() { return *m_country; }
    OptionsPanel &options() { return *m_options; }
    TestCommands &tests() { return *m_tests; }
    EditView &edit() { return *m_edit; }
    ReviewViews &review() { return *m_review; }
    HistoryView &history() { return *m_history; }
    HelpCommands &help() { return *m_help; }

    // Menus and their entries
    QMenu *menuFile, *menuView, *menuEdit, *menuTest, *menuOptions, *menuHelp;
    QAction *menuNuovo, *menuApri, *menuSalva, *menuFine;
    QAction *menuLeggi, *menuAscolta;
    QAction *menuAggiorna;
    QAction *menuToEng, *menuToMine, *menuScore, *menuStoria;
    QAction *menuLezioni, *menuCountry, *menuSuoni;
    QAction *menuIstruzioni, *menuRegole, *menuInfo;

    // The toolbar and its ten buttons (1-based).
    QToolBar *BottBar;
    QAction *button(int n) const { return m_buttons.at(n - 1); }
    void setButtonEnabled(int n, bool on);
    void setButtonsEnabled(std::initializer_list<int> ns, bool on);
    void setButtonPressed(int n, bool pressed);
    bool isButtonPressed(int n) const;
    static void setMenuEnabled(QMenu *menu, bool on);
    static bool isMenuEnabled(const QMenu *menu);

    // The area below the toolbar and its shared controls.
    QWidget *Central;
    QLabel *Sfondo;
    QLabel *Label0;
    QLabel *Label1;
    QLabel *Label8;
    QCheckBox *ChkCri;
    QTreeView *ListaVoci;
    QTreeView *ListaCri;
    QTreeWidget *laStoria;
    ItemTable *criticalsTable() { return m_criticals; }

    // The overlay frames; each area fills its own.
    QFrame *FrameNazione;
    QFrame *FrameOpzioni;
    QFrame *FrameRegole;
    QFrame *FrameAggiorna;

    // Hides the test-rules frame, as every command that changes the view does.
    void hideRulesFrame();
    // Speaks an English text; a failure shows "Any error ..." over the given
    // window (this one when none is given) and returns false.
    bool speakEnglish(const QString &text, QWidget *parent = nullptr);

    // Menu "Yes/No sounds".
    void menuSuoni_Click();
    // Menu "Exit": the save question, the closing sound, the unload step.
    void menuFine_Click();
    // The close box.
    void Form_QueryUnload(QCloseEvent *event);
    // Places every control after a change of size.
    void Form_Resize();

    // Whether Exit has run; the program then quits.
    bool hasEnded() const { return m_ended; }

signals:
    void ended();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildCentral();
    void Form_Unload();

    AppContext &m_ctx;
    std::array<QAction *, 10> m_buttons{};
    ItemTable *m_criticals = nullptr;
    bool m_ended = false;
    bool m_inExit = false;

    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<CountryPanel> m_country;
    std::unique_ptr<OptionsPanel> m_options;
    std::unique_ptr<TestCommands> m_tests;
    std::unique_ptr<EditView> m_edit;
    std::unique_ptr<ReviewViews> m_review;
    std::unique_ptr<HistoryView> m_history;
    std::unique_ptr<HelpCommands> m_help;
};
