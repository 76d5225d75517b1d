#pragma once
// The main window: menus, the toolbar and the area below it, where the views
// take turns over the background picture. The commands live in one
// controller per area (files, country, options, tests, editing, review,
// history, help); each asks the window only what its host interface offers,
// and places its own controls in the area it is given.

#include "app/filehost.h"
#include "platform/views.h"
#include "test/appcontext.h"
#include "test/testhost.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

class CountryPanel;
class EditView;
class FileCommands;
class HelpCommands;
class HistoryView;
class ItemLists;
class OptionsPanel;
class ReviewViews;
class TestCommands;

class MainWindow : public QMainWindow,
                   private ViewHost,
                   private TestHost,
                   private FileHost {
    Q_OBJECT
public:
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);
    ~MainWindow() override;

    AppContext &ctx() { return m_ctx; }

    // The controllers, for the program's start and for tests that call a
    // command's steps directly.
    FileCommands &files() { return *m_files; }
    CountryPanel &country() { return *m_country; }
    OptionsPanel &options() { return *m_options; }
    TestCommands &tests() { return *m_tests; }
    EditView &edit() { return *m_edit; }
    ReviewViews &review() { return *m_review; }
    HistoryView &history() { return *m_history; }
    HelpCommands &help() { return *m_help; }

    // Menu "Yes/No sounds".
    void menuSuoni_Click();
    // Menu "Exit": the save question, the closing sound, the unload step.
    void menuFine_Click();
    // The close box.
    void Form_QueryUnload(QCloseEvent *event);
    // Places the background picture, the list page and the frames' area
    // after a change of size.
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
    // What the views may ask (ViewHost).
    void lockFor(View view, bool on) override;
    void showOnState(View view, bool on) override;
    bool isOn(View view) const override;
    void hideRulesFrame() override;
    void showBackground(bool on) override;
    void growToFit(const QWidget *frame, Growth order) override;
    // What a test window may ask (TestHost).
    QWidget *hostWindow() override { return this; }
    void takeInput(bool on) override { setEnabled(on); }
    void requestSave() override;
    void testClosed() override;
    // What the File commands may ask (FileHost).
    void endReviewViews() override;
    void chooseLanguage() override;
    void showLanguage() override;
    void makeLessonBoxes(bool rebuildTable) override;
    void enableVocabularyCommands(bool byNew) override;
    void openEditView() override;
    void holdCommands(bool held) override;

    void buildMenus();
    void buildToolbar();
    void buildCentral();
    void connectCommands();
    // Connects a menu entry or toolbar button to its command; `button` is
    // the command's toolbar button (0: none), where the focus goes back to
    // when the command leaves it on nothing.
    void connectCommand(QAction *action, int button, std::function<void()> command);
    // Puts the keyboard focus on a control that can take it when it is on
    // nothing (or on a control that has gone): the toolbar button of the
    // last command, else the first enabled toolbar button.
    void settleFocus();
    QWidget *buttonWidget(int n) const;
    void Form_Unload();
    // The toolbar's buttons, 1-based.
    QAction *button(int n) const { return m_buttons.at(std::size_t(n - 1)); }
    QAction *onStateEntry(View view) const;
    // Help's "Test rules": an open options panel is confirmed first.
    void menuRegole_Click();

    AppContext &m_ctx;
    int m_lastButton = 0;
    bool m_ended = false;
    bool m_inExit = false;

    // Menus and their entries.
    QMenu *menuFile = nullptr, *menuView = nullptr, *menuEdit = nullptr, *menuTest = nullptr,
          *menuOptions = nullptr, *menuHelp = nullptr;
    QAction *menuNuovo = nullptr, *menuApri = nullptr, *menuSalva = nullptr, *menuFine = nullptr;
    QAction *menuLeggi = nullptr, *menuAscolta = nullptr;
    QAction *menuAggiorna = nullptr;
    QAction *menuToEng = nullptr, *menuToMine = nullptr, *menuScore = nullptr,
            *menuStoria = nullptr;
    QAction *menuLezioni = nullptr, *menuCountry = nullptr, *menuSuoni = nullptr;
    QAction *menuIstruzioni = nullptr, *menuRegole = nullptr, *menuInfo = nullptr;
    // The toolbar and its ten buttons.
    QToolBar *BottBar = nullptr;
    std::array<QAction *, 10> m_buttons{};
    // The area below the toolbar: the background picture, the list page and
    // the frames that open over them.
    QWidget *Central = nullptr;
    QLabel *Sfondo = nullptr;
    ItemLists *m_lists = nullptr;
    // Enabled states kept while a file loads.
    std::vector<std::pair<QAction *, bool>> m_heldMenus;
    std::vector<std::pair<QWidget *, bool>> m_heldWidgets;

    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<CountryPanel> m_country;
    std::unique_ptr<OptionsPanel> m_options;
    std::unique_ptr<TestCommands> m_tests;
    std::unique_ptr<EditView> m_edit;
    std::unique_ptr<ReviewViews> m_review;
    std::unique_ptr<HistoryView> m_history;
    std::unique_ptr<HelpCommands> m_help;
};
