#include "viewsupport.h"

#include "edit/workarea.h"
#include "vocab/vocabstore.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>

QObject *namedObject(const QObject *root, const QString &name, const char *type)
{
    for (QObject *o : root->findChildren<QObject *>(name))
        if (o->inherits(type))
            return o;
    qFatal("no %s named \"%s\"", type, qPrintable(name));
}

MainUi::MainUi(const QWidget *mw) : m_window(mw)
{
    auto menu = [mw](const char *name) { return named<QMenu>(mw, name); };
    auto action = [mw](const char *name) { return named<QAction>(mw, name); };
    menuFile = menu("menuFile");
    menuView = menu("menuView");
    menuEdit = menu("menuEdit");
    menuTest = menu("menuTest");
    menuOptions = menu("menuOptions");
    menuHelp = menu("menuHelp");
    menuNuovo = action("menuNuovo");
    menuApri = action("menuApri");
    menuSalva = action("menuSalva");
    menuFine = action("menuFine");
    menuLeggi = action("menuLeggi");
    menuAscolta = action("menuAscolta");
    menuAggiorna = action("menuAggiorna");
    menuToEng = action("menuToEng");
    menuToMine = action("menuToMine");
    menuScore = action("menuScore");
    menuStoria = action("menuStoria");
    menuLezioni = action("menuLezioni");
    menuCountry = action("menuCountry");
    menuSuoni = action("menuSuoni");
    menuIstruzioni = action("menuIstruzioni");
    menuRegole = action("menuRegole");
    menuInfo = action("menuInfo");
    BottBar = named<QToolBar>(mw, "BottBar");
    Central = named<QWidget>(mw, "Central");
    Sfondo = named<QLabel>(mw, "Sfondo");
    Label0 = named<QLabel>(mw, "Label0");
    Label1 = named<QLabel>(mw, "Label1");
    Label8 = named<QLabel>(mw, "Label8");
    ChkCri = named<QCheckBox>(mw, "ChkCri");
    ListaVoci = named<QTreeView>(mw, "ListaVoci");
    ListaCri = named<QTreeView>(mw, "ListaCri");
    laStoria = named<QTreeWidget>(mw, "laStoria");
    FrameNazione = named<QFrame>(mw, "FrameNazione");
    FrameOpzioni = named<QFrame>(mw, "FrameOpzioni");
    FrameRegole = named<QFrame>(mw, "FrameRegole");
    FrameAggiorna = named<QFrame>(mw, "FrameAggiorna");
}

QAction *MainUi::button(int n) const
{
    return named<QAction>(m_window, QStringLiteral("BottBar_%1").arg(n));
}

bool MainUi::pressed(int n) const
{
    return button(n)->isChecked();
}

ItemTable &MainUi::criticals() const
{
    return *static_cast<ItemTable *>(ListaCri->model());
}

WorkUi::WorkUi(const QWidget *mw)
{
    area = named<WorkArea>(mw, "WorkArea");
    LEZ = named<QLineEdit>(mw, "LEZ");
    CRI = named<QLineEdit>(mw, "CRI");
    ENGL = named<QLineEdit>(mw, "ENGL");
    ITAL = named<QLineEdit>(mw, "ITAL");
    Ccan = named<QPushButton>(mw, "Ccan");
    Cmod = named<QPushButton>(mw, "Cmod");
    Cadd = named<QPushButton>(mw, "Cadd");
    Cpul = named<QPushButton>(mw, "Cpul");
    Ccome = named<QPushButton>(mw, "Ccome");
    Label2 = named<QLabel>(area, "Label2");
    Label4 = named<QLabel>(mw, "Label4");
    Label5 = named<QLabel>(mw, "Label5");
    Command1 = named<QPushButton>(named<QFrame>(mw, "FrameAggiorna"), "Command1");
}

QVector<VocabItem> MakeItems(int n, const QList<int> &criticalPositions)
{
    QVector<VocabItem> items;
    items.reserve(n);
    for (int i = 1; i <= n; ++i) {
        VocabItem item;
        item.Lesson = QStringLiteral("%1").arg((i - 1) % 20 + 1, 2, 10, QLatin1Char('0'));
        if (criticalPositions.contains(i))
            item.CriticalMark = QStringLiteral("c");
        else if (i % 11 == 0)
            item.CriticalMark = QStringLiteral("C");
        else
            item.CriticalMark = QStringLiteral(" ");
        item.English = QStringLiteral("word %1").arg(i);
        item.MyLanguage = QStringLiteral("parola %1").arg(i);
        items.append(item);
    }
    return items;
}

WindowFixture::WindowFixture(QSize size)
{
    ctx = std::make_unique<AppContext>(desk.desktop());
    mw = std::make_unique<MainWindow>(*ctx);
    ui = std::make_unique<MainUi>(mw.get());
    mw->resize(size);
    mw->show();
    if (!QTest::qWaitForWindowExposed(mw.get()))
        qWarning("the main window was not shown");
}

WindowFixture::~WindowFixture() = default;

void WindowFixture::open(const QVector<VocabItem> &items, const QString &fileName)
{
    ctx->store.SetItems(items);
    ctx->store.CurrentFileName = fileName;
    ctx->store.SetSaveAvailable(true);
    enableCommands();
    ui->button(10)->setEnabled(true);
    ui->button(1)->setEnabled(false);
    ui->menuApri->setEnabled(false);
}

void WindowFixture::enableCommands()
{
    for (QMenu *m : {ui->menuView, ui->menuEdit, ui->menuTest, ui->menuOptions})
        m->menuAction()->setEnabled(true);
    for (int n = 2; n <= 9; ++n)
        ui->button(n)->setEnabled(true);
}

bool menuEnabled(const QMenu *menu)
{
    return menu->menuAction()->isEnabled();
}

QList<int> enabledButtons(const MainUi &ui)
{
    QList<int> numbers;
    for (int n = 1; n <= 10; ++n)
        if (ui.button(n)->isEnabled())
            numbers << n;
    return numbers;
}

QStringList disabledMenus(const MainUi &ui)
{
    QStringList names;
    for (const QMenu *m : {ui.menuFile, ui.menuView, ui.menuEdit, ui.menuTest, ui.menuOptions,
                           ui.menuHelp})
        if (!menuEnabled(m))
            names << m->objectName();
    return names;
}

static QStringList namesWhereVisible(std::initializer_list<QWidget *> widgets, bool visible)
{
    QStringList names;
    for (const QWidget *w : widgets)
        if (w->isVisible() == visible)
            names << w->objectName();
    return names;
}

QStringList visibleOf(std::initializer_list<QWidget *> widgets)
{
    return namesWhereVisible(widgets, true);
}

QStringList hiddenOf(std::initializer_list<QWidget *> widgets)
{
    return namesWhereVisible(widgets, false);
}

QStringList disabledOf(std::initializer_list<QAction *> actions)
{
    QStringList names;
    for (const QAction *a : actions)
        if (!a->isEnabled())
            names << a->objectName();
    return names;
}

QRect placeIn(const QWidget *area, const QWidget *widget)
{
    return QRect(widget->mapTo(area, QPoint(0, 0)), widget->size());
}

QString caption(const QAction *action)
{
    return action->text().remove(u'&');
}
