#include "app/mainwindow.h"

#include "app/countrypanel.h"
#include "app/filecommands.h"
#include "app/helpcommands.h"
#include "edit/editview.h"
#include "edit/itemlists.h"
#include "platform/keyboard.h"
#include "platform/pictures.h"
#include "review/historyview.h"
#include "review/reviewviews.h"
#include "test/optionspanel.h"
#include "test/testcommands.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QToolButton>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>
#include <cmath>
#include <initializer_list>

namespace {

enum class Menu { File, View, Edit, Test, Options };
enum class Entry { Save, Read, Listen, ToEnglish, ToMine };

// What each view locks while it is on: menus, menu entries and toolbar
// buttons. Turning the view off enables the same again.
struct ViewLock {
    View view;
    std::initializer_list<Menu> menus;
    std::initializer_list<Entry> entries;
    std::initializer_list<int> buttons;
};
constexpr ViewLock kViewLocks[] = {
    {View::Edit, {Menu::View, Menu::Test, Menu::Options}, {}, {2, 3, 4, 5, 7, 8, 9}},
    {View::Read, {Menu::Edit, Menu::Options, Menu::Test}, {Entry::Save, Entry::Listen},
     {2, 3, 5, 6, 7, 8, 9}},
    {View::Listen, {Menu::Edit, Menu::Test, Menu::Options}, {Entry::Read}, {2, 3, 4, 6, 7, 8, 9}},
    // The Test menu stays, so that "Hide test history" and "Test reset" do.
    {View::History, {Menu::Edit, Menu::Options, Menu::View},
     {Entry::Save, Entry::Listen, Entry::ToEnglish, Entry::ToMine}, {2, 4, 5, 6, 7, 8, 9}},
    {View::Options, {Menu::File, Menu::View, Menu::Edit, Menu::Test, Menu::Options}, {},
     {2, 3, 4, 5, 6, 7, 8, 9}},
};

// How a view shows that it is on: its menu entry's caption and its pressed
// toolbar button. Each view decides on or off by its entry's caption. The
// "&" marks the letter that chooses the entry from the keyboard; the caption
// shown and read out is the text without it.
struct OnState {
    View view;
    int button;
    const char *offCaption;
    const char *onCaption;
};
constexpr OnState kOnStates[] = {
    {View::Read, 4, "&Read items", "End &reading"},
    {View::Listen, 5, "&Listen items", "End &listening"},
    {View::History, 3, "&Show tests history", "&Hide test history"},
    {View::Edit, 6, "&Edit items", "&End editing"},
};

const OnState *OnStateOf(View view)
{
    for (const OnState &s : kOnStates)
        if (s.view == view)
            return &s;
    return nullptr;
}

void setMenuEnabled(QMenu *menu, bool on)
{
    menu->menuAction()->setEnabled(on);
}

} // namespace

MainWindow::MainWindow(AppContext &context, QWidget *parent)
    : QMainWindow(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("    Vocanto"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/vocanto.svg")));

    buildMenus();
    buildToolbar();
    buildCentral();

    // Each controller sees the window through its own host interface.
    ViewHost &views = *this;
    TestHost &testHost = *this;
    FileHost &fileHost = *this;
    m_files = std::make_unique<FileCommands>(m_ctx, fileHost);
    m_country = std::make_unique<CountryPanel>(m_ctx.store, m_lists->criticals(), Central);
    m_options = std::make_unique<OptionsPanel>(m_ctx, views, Central);
    m_tests = std::make_unique<TestCommands>(m_ctx, testHost);
    m_edit = std::make_unique<EditView>(m_ctx, views, *m_lists, Central);
    m_review = std::make_unique<ReviewViews>(m_ctx, views, *m_lists);
    m_history = std::make_unique<HistoryView>(m_ctx, views, *m_lists);
    m_help = std::make_unique<HelpCommands>(m_ctx, views, Central);
    connectCommands();

    m_country->ApplyLanguage();
    resize(780, 560);
    // At start the focus is on the first thing to do: Open.
    buttonWidget(1)->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus()
{
    auto menu = [this](const char *name, const char *caption) {
        QMenu *m = menuBar()->addMenu(QString::fromLatin1(caption));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto entry = [this](QMenu *m, const char *name, const char *caption) {
        QAction *a = m->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setParent(this);
        return a;
    };

    menuFile = menu("menuFile", "&File");
    menuNuovo = entry(menuFile, "menuNuovo", "&New");
    menuApri = entry(menuFile, "menuApri", "&Open");
    menuSalva = entry(menuFile, "menuSalva", "&Save");
    menuFine = entry(menuFile, "menuFine", "E&xit");
    // The shortcuts users expect of a desktop program.
    menuNuovo->setShortcut(QKeySequence::New);
    menuApri->setShortcut(QKeySequence::Open);
    menuSalva->setShortcut(QKeySequence::Save);
    menuFine->setShortcut(QKeySequence::Quit);

    menuView = menu("menuView", "&View");
    menuLeggi = entry(menuView, "menuLeggi", "&Read items");
    menuAscolta = entry(menuView, "menuAscolta", "&Listen items");

    menuEdit = menu("menuEdit", "&Edit");
    menuAggiorna = entry(menuEdit, "menuAggiorna", "&Edit items");

    menuTest = menu("menuTest", "&Test");
    menuToEng = entry(menuTest, "menuToEng", "&My language -> English");
    menuToMine = entry(menuTest, "menuToMine", "&English -> My language ");
    menuScore = entry(menuTest, "menuScore", "Test &reset");
    menuTest->addSeparator()->setObjectName(QStringLiteral("spTest1"));
    menuStoria = entry(menuTest, "menuStoria", "&Show tests history");

    menuOptions = menu("menuOptions", "&Options");
    menuLezioni = entry(menuOptions, "menuLezioni", "&Lessons selection");
    menuLezioni->setShortcut(QKeySequence(Qt::Key_F2));
    menuCountry = entry(menuOptions, "menuCountry", "&Country selection");
    menuSuoni = entry(menuOptions, "menuSuoni", "Yes/No &sounds");
    menuSuoni->setCheckable(true);

    menuHelp = menu("menuHelp", "&Help");
    menuIstruzioni = entry(menuHelp, "menuIstruzioni", "&General instruction");
    menuIstruzioni->setShortcut(QKeySequence(Qt::Key_F1));
    menuRegole = entry(menuHelp, "menuRegole", "&Test rules");
    menuHelp->addSeparator()->setObjectName(QStringLiteral("m10"));
    menuInfo = entry(menuHelp, "menuInfo", "&About");

    // F10 opens the menus, as on most desktops.
    auto *menus = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menus, &QShortcut::activated, this, [this] {
        menuBar()->setActiveAction(menuFile->menuAction());
    });

    // Until New or Open only File and Help are usable, and Save is off.
    menuSalva->setEnabled(false);
    for (QMenu *m : {menuView, menuEdit, menuTest, menuOptions})
        setMenuEnabled(m, false);
}

void MainWindow::buildToolbar()
{
    BottBar = addToolBar(QStringLiteral("Buttons"));
    BottBar->setObjectName(QStringLiteral("BottBar"));
    BottBar->setMovable(false);
    BottBar->setFloatable(false);
    BottBar->setIconSize(QSize(28, 28));
    BottBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    BottBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    struct Def {
        const char *text;
        const char *icon;
        bool pressable;
    };
    const Def defs[10] = {
        {"Open", "tb_open", false},          {"Save", "tb_save", false},
        {"History", "tb_history", true},     {"View items", "tb_view", true},
        {"Listen items", "tb_listen", true}, {"Edit items", "tb_edit", true},
        {"Lessons selection", "tb_lessons", false}, {"to English", "tb_toenglish", false},
        {"to Mine", "flag_none", false},     {"Help", "tb_help", false},
    };
    for (int i = 0; i < 10; ++i) {
        QAction *a = BottBar->addAction(
            SquareIcon(QStringLiteral(":/pictures/%1.svg").arg(QString::fromLatin1(defs[i].icon)),
                       BottBar->iconSize().width()),
            QString::fromLatin1(defs[i].text));
        a->setObjectName(QStringLiteral("BottBar_%1").arg(i + 1));
        a->setToolTip(QString::fromLatin1(defs[i].text));
        a->setCheckable(defs[i].pressable);
        m_buttons[std::size_t(i)] = a;
    }
    // The buttons are in the keyboard's Tab order (a click leaves the focus
    // where it is).
    for (int n = 1; n <= 10; ++n)
        buttonWidget(n)->setFocusPolicy(Qt::TabFocus);
    // The button with the keyboard focus shows it with a frame.
    BottBar->setStyleSheet(QStringLiteral(
        "QToolButton:focus { border: 2px solid palette(highlight); border-radius: 4px; }"));
    // Before a vocabulary exists only Open and Help do anything.
    for (int n = 2; n <= 9; ++n)
        button(n)->setEnabled(false);
}

QWidget *MainWindow::buttonWidget(int n) const
{
    return BottBar->widgetForAction(button(n));
}

void MainWindow::settleFocus()
{
    // While a test window runs the main window takes no input.
    if (!isEnabled() || m_ended)
        return;
    const QWidget *now = focusWidget();
    if (now && now->isVisible() && now->isEnabled())
        return;
    QWidget *target = nullptr;
    if (m_lastButton > 0 && button(m_lastButton)->isEnabled())
        target = buttonWidget(m_lastButton);
    for (int n = 1; !target && n <= 10; ++n)
        if (button(n)->isEnabled())
            target = buttonWidget(n);
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

void MainWindow::buildCentral()
{
    Central = new QWidget(this);
    Central->setObjectName(QStringLiteral("Central"));
    setCentralWidget(Central);

    Sfondo = new QLabel(Central);
    Sfondo->setObjectName(QStringLiteral("Sfondo"));
    Sfondo->setPixmap(RenderPicture(QStringLiteral(":/pictures/background.svg"), QSize(480, 320)));
    Sfondo->resize(480, 320);
    platform::MarkDecorative(Sfondo);

    // The list page lies over the background, which shows through it where
    // no list is shown; the frames of the panels open over both.
    m_lists = new ItemLists(m_ctx.store, Central);
}

void MainWindow::connectCommand(QAction *action, int buttonNumber, std::function<void()> command)
{
    connect(action, &QAction::triggered, this, [this, action, buttonNumber, command] {
        // A checkable action toggles itself before "triggered" arrives; the
        // toggle is undone, so that only the command decides the check mark
        // or pressed state.
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        m_lastButton = buttonNumber;
        command();
        settleFocus();
    });
}

void MainWindow::connectCommands()
{
    connectCommand(menuNuovo, 0, [this] { m_files->menuNuovo_Click(); });
    connectCommand(menuApri, 1, [this] { m_files->menuApri_Click(); });
    connectCommand(menuSalva, 2, [this] { m_files->menuSalva_Click(); });
    connectCommand(menuFine, 0, [this] { menuFine_Click(); });
    connectCommand(menuLeggi, 4, [this] { m_review->menuLeggi_Click(); });
    connectCommand(menuAscolta, 5, [this] { m_review->menuAscolta_Click(); });
    connectCommand(menuAggiorna, 6, [this] { m_edit->menuAggiorna_Click(); });
    connectCommand(menuToEng, 8, [this] { m_tests->menuToEng_Click(); });
    connectCommand(menuToMine, 9, [this] { m_tests->menuToMine_Click(); });
    connectCommand(menuScore, 0, [this] { m_options->menuScore_Click(); });
    connectCommand(menuStoria, 3, [this] { m_history->menuStoria_Click(); });
    connectCommand(menuLezioni, 7, [this] { m_options->menuLezioni_Click(); });
    connectCommand(menuCountry, 0, [this] { m_country->menuCountry_Click(); });
    connectCommand(menuSuoni, 0, [this] { menuSuoni_Click(); });
    connectCommand(menuIstruzioni, 10, [this] { m_help->menuIstruzioni_Click(); });
    connectCommand(menuRegole, 0, [this] { menuRegole_Click(); });
    connectCommand(menuInfo, 0, [this] { m_help->menuInfo_Click(); });

    connectCommand(button(1), 1, [this] { m_files->menuApri_Click(); });
    connectCommand(button(2), 2, [this] { m_files->menuSalva_Click(); });
    connectCommand(button(3), 3, [this] { m_history->menuStoria_Click(); });
    connectCommand(button(4), 4, [this] { m_review->menuLeggi_Click(); });
    connectCommand(button(5), 5, [this] { m_review->menuAscolta_Click(); });
    connectCommand(button(6), 6, [this] { m_edit->menuAggiorna_Click(); });
    connectCommand(button(7), 7, [this] { m_options->menuLezioni_Click(); });
    connectCommand(button(8), 8, [this] { m_tests->menuToEng_Click(); });
    connectCommand(button(9), 9, [this] { m_tests->menuToMine_Click(); });
    connectCommand(button(10), 10, [this] { m_help->menuIstruzioni_Click(); });

    // Whatever leaves the focus on nothing (a message box closed over a
    // control that has gone, say), the window finds it a place again.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!now && isActiveWindow())
            QTimer::singleShot(0, this, [this] { settleFocus(); });
    });

    // The Save menu entry mirrors whether there is something to save.
    connect(&m_ctx.store, &VocabStore::saveAvailableChanged, menuSalva, &QAction::setEnabled);
    menuSalva->setEnabled(m_ctx.store.SaveAvailable());
    // The language's flag on the button of the test towards my language.
    connect(m_country.get(), &CountryPanel::flagChanged, this,
            [this](const QString &picture) {
                button(9)->setIcon(SquareIcon(picture, BottBar->iconSize().width()));
            });
    // Lessons added or emptied by editing reach the lesson boxes and the pool.
    connect(m_edit.get(), &EditView::closed, this, [this] { m_options->RebuildLessonTable(); });
}

void MainWindow::menuRegole_Click()
{
    if (m_options->isOpen())
        m_options->Command5_Click();
    m_help->menuRegole_Click();
}

// --- The lock table and the on states ---------------------------------------

void MainWindow::lockFor(View view, bool on)
{
    QMenu *const menus[] = {menuFile, menuView, menuEdit, menuTest, menuOptions};
    QAction *const entries[] = {menuSalva, menuLeggi, menuAscolta, menuToEng, menuToMine};
    for (const ViewLock &lock : kViewLocks) {
        if (lock.view != view)
            continue;
        for (Menu m : lock.menus)
            setMenuEnabled(menus[int(m)], !on);
        for (Entry e : lock.entries)
            entries[int(e)]->setEnabled(!on);
        for (int n : lock.buttons)
            button(n)->setEnabled(!on);
    }
}

QAction *MainWindow::onStateEntry(View view) const
{
    switch (view) {
    case View::Read: return menuLeggi;
    case View::Listen: return menuAscolta;
    case View::History: return menuStoria;
    case View::Edit: return menuAggiorna;
    case View::Options: break;
    }
    return nullptr;
}

void MainWindow::showOnState(View view, bool on)
{
    const OnState *state = OnStateOf(view);
    if (!state)
        return;
    onStateEntry(view)->setText(QString::fromLatin1(on ? state->onCaption : state->offCaption));
    button(state->button)->setChecked(on);
    // A view going off takes its list away: the focus goes back to the
    // view's own button.
    QWidget *focus = focusWidget();
    if (!on && (!focus || m_lists->isAncestorOf(focus)))
        buttonWidget(state->button)->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::isOn(View view) const
{
    const OnState *state = OnStateOf(view);
    if (!state)
        return view == View::Options && m_options->isOpen();
    return onStateEntry(view)->text() != QLatin1String(state->offCaption);
}

void MainWindow::hideRulesFrame()
{
    m_help->Command6_Click();
}

void MainWindow::showBackground(bool on)
{
    Sfondo->setVisible(on);
}

void MainWindow::growToFit(const QWidget *frame, Growth order)
{
    // A minimised, maximised or full-screen window keeps its size.
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (layout())
        layout()->activate();
    // Steps of 100 twips; the first direction keeps 30 twips to spare.
    constexpr double Step = 100.0 / 15.0;
    constexpr double Spare = 30.0 / 15.0;
    auto growth = [](double missing) {
        if (missing <= 0)
            return 0;
        return int(std::ceil(std::ceil(missing / Step) * Step));
    };
    const QRect need = frame->geometry();
    const bool widthFirst = order == Growth::WidthFirst;
    const int wider = growth(need.right() + 1 + (widthFirst ? Spare : 0) - Central->width());
    const int taller = growth(need.bottom() + 1 + (widthFirst ? 0 : Spare) - Central->height());
    if (wider > 0 || taller > 0)
        resize(width() + wider, height() + taller);
}

// --- What a test window asks ------------------------------------------------

void MainWindow::requestSave()
{
    m_files->menuSalva_Click();
}

void MainWindow::testClosed()
{
    m_edit->ClearFields();
    // The window comes forward again, the focus on the button that started
    // the test.
    raise();
    activateWindow();
    settleFocus();
}

// --- What the File commands ask ---------------------------------------------

void MainWindow::endReviewViews()
{
    if (isOn(View::Read))
        m_review->menuLeggi_Click();
    if (isOn(View::Listen))
        m_review->menuAscolta_Click();
    if (isOn(View::History))
        m_history->menuStoria_Click();
}

void MainWindow::chooseLanguage()
{
    m_country->menuCountry_Click();
}

void MainWindow::showLanguage()
{
    m_country->ApplyLanguage();
}

void MainWindow::makeLessonBoxes(bool rebuildTable)
{
    m_options->CreateLessonBoxes();
    if (rebuildTable)
        m_options->RebuildLessonTable();
}

void MainWindow::enableVocabularyCommands(bool byNew)
{
    menuApri->setEnabled(false);
    button(1)->setEnabled(false);
    m_ctx.store.SetSaveAvailable(true);
    for (QMenu *menu : {menuView, menuEdit, menuOptions, menuTest})
        setMenuEnabled(menu, true);
    menuLeggi->setEnabled(true);
    menuAscolta->setEnabled(true);
    for (int n = 2; n <= 9; ++n)
        button(n)->setEnabled(true);
    if (byNew)
        button(10)->setEnabled(true);
}

void MainWindow::openEditView()
{
    // The caption tells the edit view to open rather than close.
    showOnState(View::Edit, false);
    m_edit->menuAggiorna_Click();
    // The language is chosen first: the country panel keeps the focus, and
    // gives it to the edit view when it closes.
    m_country->takeFocus();
}

void MainWindow::holdCommands(bool held)
{
    if (held) {
        // The menu bar, the toolbar and the area below are disabled, which
        // also silences the menus' shortcuts; the window still repaints, and
        // message boxes, being windows of their own, still take answers. A
        // menu follows the enabled state of the bar into its entry, which
        // would lose which menus were off: they are kept.
        m_heldMenus.clear();
        m_heldWidgets.clear();
        for (QAction *menu : menuBar()->actions())
            m_heldMenus.push_back({menu, menu->isEnabled()});
        for (QWidget *w : {static_cast<QWidget *>(menuBar()), static_cast<QWidget *>(BottBar),
                           Central}) {
            m_heldWidgets.push_back({w, w->isEnabledTo(this)});
            w->setEnabled(false);
        }
        return;
    }
    for (const auto &[widget, wasEnabled] : m_heldWidgets)
        widget->setEnabled(wasEnabled);
    for (const auto &[menu, wasEnabled] : m_heldMenus)
        menu->setEnabled(wasEnabled);
    m_heldMenus.clear();
    m_heldWidgets.clear();
}

// --- Sounds, exit and layout --------------------------------------------------

void MainWindow::menuSuoni_Click()
{
    const bool on = !menuSuoni->isChecked();
    menuSuoni->setChecked(on);
    m_ctx.soundsOn = on;
}

void MainWindow::menuFine_Click()
{
    // While a file loads, the store is half filled: nothing may save or end.
    if (m_ended || m_inExit || m_files->isLoading())
        return;
    m_inExit = true;
    if (m_ctx.store.SaveAvailable()) {
        const auto answer = m_ctx.desktop.boxes->show(
            this, QStringLiteral("Attention !"), QStringLiteral("Save file and test results ?"),
            platform::Icon::None, platform::Yes | platform::No);
        if (answer == platform::Yes) {
            m_files->menuSalva_Click();
        } else if (answer == platform::No) {
            m_ctx.store.SetSaveAvailable(false);
        } else {
            // Escape or the box's close button: Exit is called off, with
            // nothing saved and nothing thrown away.
            m_inExit = false;
            return;
        }
    }
    if (m_ctx.soundsOn)
        m_ctx.desktop.sound->playWav(QStringLiteral("clap.wav"));
    Form_Unload();
    m_inExit = false;
}

void MainWindow::Form_Unload()
{
    // A Save dialog cancelled during the question leaves Save available: it
    // is offered once more, without a question. Cancelled again (or failed),
    // the program stays open rather than end with the vocabulary unsaved.
    if (m_ctx.store.SaveAvailable()) {
        m_files->menuSalva_Click();
        if (m_ctx.store.SaveAvailable())
            return;
    }
    m_ended = true;
    if (QWidget *test = m_tests->openWindow())
        test->close();
    close();
    emit ended();
}

void MainWindow::Form_QueryUnload(QCloseEvent *event)
{
    if (m_ended) {
        event->accept();
        return;
    }
    event->ignore();
    if (m_files->isLoading())
        return;
    const auto answer = m_ctx.desktop.boxes->show(this, windowTitle(),
                                                  QStringLiteral("Ending really ?"),
                                                  platform::Icon::Question,
                                                  platform::Yes | platform::No);
    if (answer != platform::Yes)
        return;
    menuFine_Click();
    if (m_ended)
        event->accept();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload(event);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void MainWindow::Form_Resize()
{
    // Nothing is placed while the window is minimised.
    if (isMinimized() || !Central)
        return;
    const int W = Central->width();
    const int H = Central->height();
    // The background picture, centred in the area below the toolbar; the
    // list page over all of that area. The frames open at its top left.
    Sfondo->move((W - Sfondo->width()) / 2, (H - Sfondo->height()) / 2);
    m_lists->setGeometry(0, 0, W, H);
}
