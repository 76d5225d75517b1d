#include "viewsupport.h"

#include <QAction>
#include <QMenu>
#include <QTest>

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
    mw->setButtonEnabled(10, true);
    mw->setButtonEnabled(1, false);
    mw->menuApri->setEnabled(false);
}

void WindowFixture::enableCommands()
{
    for (QMenu *m : {mw->menuView, mw->menuEdit, mw->menuTest, mw->menuOptions})
        MainWindow::setMenuEnabled(m, true);
    mw->setButtonsEnabled({2, 3, 4, 5, 6, 7, 8, 9}, true);
}

QList<int> enabledButtons(const MainWindow &mw)
{
    QList<int> numbers;
    for (int n = 1; n <= 10; ++n)
        if (mw.button(n)->isEnabled())
            numbers << n;
    return numbers;
}

QStringList disabledMenus(const MainWindow &mw)
{
    QStringList names;
    for (const QMenu *m : {mw.menuFile, mw.menuView, mw.menuEdit, mw.menuTest, mw.menuOptions,
                           mw.menuHelp})
        if (!MainWindow::isMenuEnabled(m))
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
