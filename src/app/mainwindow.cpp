#include "app/mainwindow.h"

#include "app/countrypanel.h"
#include "app/filecommands.h"
#include "app/helpcommands.h"
#include "app/pictures.h"
#include "edit/editview.h"
#include "review/historyview.h"
#include "review/reviewviews.h"
#include "test/optionspanel.h"
#include "test/testcommands.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>

namespace {

// Connects a menu entry or toolbar button to its command. A checkable action
// toggles itself before "triggered" arrives; the toggle is undone here, so that
// only the command decides the check mark or pressed state.
template <typename F>
void connectCommand(QAction *action, QObject *context, F command)
{
    QObject::connect(action, &QAction::triggered, context, [action, command] {
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        command();
    });
}

} // namespace

MainWindow::MainWindow(AppContext &context, QWidget *parent)
    : QMainWindow(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("    Vocanto"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/vocanto.svg")));
    m_criticals = new ItemTable(this);

    buildMenus();
    buildToolbar();
    buildCentral();

    m_files = std::make_unique<FileCommands>(*this);
    m_country = std::make_unique<CountryPanel>(*this);
    m_options = std::make_unique<OptionsPanel>(*this);
    m_tests = std::make_unique<TestCommands>(*this);
    m_edit = std::make_unique<EditView>(*this);
    m_review = std::make_unique<ReviewViews>(*this);
    m_history = std::make_unique<HistoryView>(*this);
    m_help = std::make_unique<HelpCommands>(*this);

    // Menu entries and toolbar buttons run their commands.
    connectCommand(menuNuovo, this, [this] { m_files->menuNuovo_Click(); });
    connectCommand(menuApri, this, [this] { m_files->menuApri_Click(); });
    connectCommand(menuSalva, this, [this] { m_files->menuSalva_Click(); });
    connectCommand(menuFine, this, [this] { menuFine_Click(); });
    connectCommand(menuLeggi, this, [this] { m_review->menuLeggi_Click(); });
    connectCommand(menuAscolta, this, [this] { m_review->menuAscolta_Click(); });
    connectCommand(menuAggiorna, this, [this] { m_edit->menuAggiorna_Click(); });
    connectCommand(menuToEng, this, [this] { m_tests->menuToEng_Click(); });
    connectCommand(menuToMine, this, [this] { m_tests->menuToMine_Click(); });
    connectCommand(menuScore, this, [this] { m_options->menuScore_Click(); });
    connectCommand(menuStoria, this, [this] { m_history->menuStoria_Click(); });
    connectCommand(menuLezioni, this, [this] { m_options->menuLezioni_Click(); });
    connectCommand(menuCountry, this, [this] { m_country->menuCountry_Click(); });
    connectCommand(menuSuoni, this, [this] { menuSuoni_Click(); });
    connectCommand(menuIstruzioni, this, [this] { m_help->menuIstruzioni_Click(); });
    connectCommand(menuRegole, this, [this] { m_help->menuRegole_Click(); });
    connectCommand(menuInfo, this, [this] { m_help->menuInfo_Click(); });

    connectCommand(button(1), this, [this] { m_files->menuApri_Click(); });
    connectCommand(button(2), this, [this] { m_files->menuSalva_Click(); });
    connectCommand(button(3), this, [this] { m_history->menuStoria_Click(); });
    connectCommand(button(4), this, [this] { m_review->menuLeggi_Click(); });
    connectCommand(button(5), this, [this] { m_review->menuAscolta_Click(); });
    connectCommand(button(6), this, [this] { m_edit->menuAggiorna_Click(); });
    connectCommand(button(7), this, [this] { m_options->menuLezioni_Click(); });
    connectCommand(button(8), this, [this] { m_tests->menuToEng_Click(); });
    connectCommand(button(9), this, [this] { m_tests->menuToMine_Click(); });
    connectCommand(button(10), this, [this] { m_help->menuIstruzioni_Click(); });

    // The Save menu entry mirrors whether there is something to save.
    connect(&m_ctx.store, &VocabStore::saveAvailableChanged, menuSalva, &QAction::setEnabled);
    menuSalva->setEnabled(m_ctx.store.SaveAvailable());

    // Clicks in the item lists.
    connect(ListaVoci, &QTreeView::clicked, this,
            [this](const QModelIndex &index) { m_edit->ListaVoci_ItemClick(index.row() + 1); });
    connect(ListaCri, &QTreeView::clicked, this,
            [this](const QModelIndex &index) { m_edit->ListaCri_ItemClick(index.row() + 1); });
    // A quick second click on a header arrives as a double click; it sorts
    // again, as a slow one does.
    for (auto signal : {&QHeaderView::sectionClicked, &QHeaderView::sectionDoubleClicked}) {
        connect(ListaVoci->header(), signal, this,
                [this](int section) { m_edit->ListaVoci_ColumnClick(section); });
        connect(ListaCri->header(), signal, this,
                [this](int section) { m_edit->ListaCri_ColumnClick(section); });
    }
    // The switch follows its state, whatever changed it (the mouse, Space, a
    // screen reader's toggle action).
    connect(ChkCri, &QCheckBox::toggled, this, [this] { m_review->ChkCri_Click(); });

    m_country->ApplyLanguage();
    resize(780, 560);
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

    menuFile = menu("menuFile", "File");
    menuNuovo = entry(menuFile, "menuNuovo", "New");
    menuApri = entry(menuFile, "menuApri", "Open");
    menuSalva = entry(menuFile, "menuSalva", "Save");
    menuFine = entry(menuFile, "menuFine", "Exit");

    menuView = menu("menuView", "View");
    menuLeggi = entry(menuView, "menuLeggi", "Read items");
    menuAscolta = entry(menuView, "menuAscolta", "Listen items");

    menuEdit = menu("menuEdit", "Edit");
    menuAggiorna = entry(menuEdit, "menuAggiorna", "Edit items");

    menuTest = menu("menuTest", "Test");
    menuToEng = entry(menuTest, "menuToEng", "My language -> English");
    menuToMine = entry(menuTest, "menuToMine", "English -> My language ");
    menuScore = entry(menuTest, "menuScore", "Test reset");
    menuTest->addSeparator()->setObjectName(QStringLiteral("spTest1"));
    menuStoria = entry(menuTest, "menuStoria", "Show tests history");

    menuOptions = menu("menuOptions", "Options");
    menuLezioni = entry(menuOptions, "menuLezioni", "Lessons selection");
    menuLezioni->setShortcut(QKeySequence(Qt::Key_F2));
    menuCountry = entry(menuOptions, "menuCountry", "Country selection");
    menuSuoni = entry(menuOptions, "menuSuoni", "Yes/No sounds");
    menuSuoni->setCheckable(true);

    menuHelp = menu("menuHelp", "Help");
    menuIstruzioni = entry(menuHelp, "menuIstruzioni", "General instruction");
    menuIstruzioni->setShortcut(QKeySequence(Qt::Key_F1));
    menuRegole = entry(menuHelp, "menuRegole", "Test rules");
    menuHelp->addSeparator()->setObjectName(QStringLiteral("m10"));
    menuInfo = entry(menuHelp, "menuInfo", "About");

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
            QIcon(QStringLiteral(":/pictures/%1.svg").arg(QString::fromLatin1(defs[i].icon))),
            QString::fromLatin1(defs[i].text));
        a->setObjectName(QStringLiteral("BottBar_%1").arg(i + 1));
        a->setToolTip(QString::fromLatin1(defs[i].text));
        a->setCheckable(defs[i].pressable);
        m_buttons[i] = a;
    }
    // Before a vocabulary exists only Open and Help do anything.
    setButtonsEnabled({2, 3, 4, 5, 6, 7, 8, 9}, false);
}

void MainWindow::buildCentral()
{
    Central = new QWidget(this);
    Central->setObjectName(QStringLiteral("Central"));
    setCentralWidget(Central);

    Sfondo = new QLabel(Central);
    Sfondo->setObjectName(QStringLiteral("Sfondo"));
    Sfondo->setAccessibleName(QStringLiteral("Background picture"));
    Sfondo->setPixmap(RenderPicture(QStringLiteral(":/pictures/background.svg"), QSize(480, 320)));
    Sfondo->resize(480, 320);

    Label0 = new QLabel(Central);
    Label0->setObjectName(QStringLiteral("Label0"));
    QFont titleFont = Label0->font();
    titleFont.setBold(true);
    Label0->setFont(titleFont);
    Label0->setAlignment(Qt::AlignCenter);
    Label0->hide();

    Label1 = new QLabel(Central);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->hide();

    Label8 = new QLabel(Central);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->hide();

    ChkCri = new QCheckBox(QStringLiteral("Solo i Critici"), Central);
    ChkCri->setObjectName(QStringLiteral("ChkCri"));
    ChkCri->hide();

    auto makeList = [this](const char *name, const char *accessible, ItemTable *model) {
        auto *list = new QTreeView(Central);
        list->setObjectName(QString::fromLatin1(name));
        list->setAccessibleName(QString::fromLatin1(accessible));
        list->setModel(model);
        list->setRootIsDecorated(false);
        list->setItemsExpandable(false);
        list->setUniformRowHeights(true);
        list->setAllColumnsShowFocus(true);
        list->setAlternatingRowColors(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->header()->setSectionsClickable(true);
        list->header()->setSectionsMovable(false);
        list->header()->setStretchLastSection(false);
        list->hide();
        return list;
    };
    ListaVoci = makeList("ListaVoci", "All items", &m_ctx.store);
    ListaCri = makeList("ListaCri", "Critical items", m_criticals);

    laStoria = new QTreeWidget(Central);
    laStoria->setObjectName(QStringLiteral("laStoria"));
    laStoria->setAccessibleName(QStringLiteral("Tests history"));
    laStoria->setRootIsDecorated(false);
    laStoria->setUniformRowHeights(true);
    laStoria->setHeaderLabels({QStringLiteral("Date"), QStringLiteral("Start"),
                               QStringLiteral("End"), QStringLiteral("Items"),
                               QStringLiteral("'Cs'"), QStringLiteral("Test lessons"),
                               QStringLiteral("Test items"), QStringLiteral("Test result"),
                               QStringLiteral("Test 'Cs'")});
    laStoria->header()->setStretchLastSection(false);
    laStoria->hide();

    auto makeFrame = [this](const char *name) {
        auto *frame = new QFrame(Central);
        frame->setObjectName(QString::fromLatin1(name));
        frame->setFrameShape(QFrame::Panel);
        frame->setFrameShadow(QFrame::Raised);
        frame->setAutoFillBackground(true);
        frame->hide();
        return frame;
    };
    FrameNazione = makeFrame("FrameNazione");
    FrameOpzioni = makeFrame("FrameOpzioni");
    FrameRegole = makeFrame("FrameRegole");
    FrameAggiorna = makeFrame("FrameAggiorna");
}

void MainWindow::setButtonEnabled(int n, bool on)
{
    button(n)->setEnabled(on);
}

void MainWindow::setButtonsEnabled(std::initializer_list<int> ns, bool on)
{
    for (int n : ns)
        setButtonEnabled(n, on);
}

void MainWindow::setButtonPressed(int n, bool pressed)
{
    button(n)->setChecked(pressed);
}

bool MainWindow::isButtonPressed(int n) const
{
    return button(n)->isChecked();
}

void MainWindow::setMenuEnabled(QMenu *menu, bool on)
{
    menu->menuAction()->setEnabled(on);
}

bool MainWindow::isMenuEnabled(const QMenu *menu)
{
    return menu->menuAction()->isEnabled();
}

void MainWindow::hideRulesFrame()
{
    FrameRegole->hide();
}

bool MainWindow::speakEnglish(const QString &text, QWidget *parent)
{
    if (desktop().speech->speak(text))
        return true;
    desktop().boxes->show(parent ? parent : this, QStringLiteral("Attention"), QStringLiteral("Any error ..."),
                          platform::Icon::Critical, platform::Ok);
    return false;
}

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
        const auto answer = desktop().boxes->show(
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
        desktop().sound->playWav(QStringLiteral("clap.wav"));
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
    const auto answer = desktop().boxes->show(this, windowTitle(), QStringLiteral("Ending really ?"),
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
