#pragma once
// Helpers for tests that drive the main window's views: a window on a
// scripted desktop, with a vocabulary loaded the way Open leaves it.

#include "app/appcontext.h"
#include "app/mainwindow.h"
#include "platform/scripted.h"
#include "testsupport.h"

#include <QVector>
#include <initializer_list>
#include <memory>

class QAction;

// n items in lessons 1 to 20; the items at the positions given are marked
// critical ("c"); every eleventh other item carries an upper-case "C", which
// is not a critical mark.
QVector<VocabItem> MakeItems(int n, const QList<int> &criticalPositions);

struct WindowFixture {
    platform::ScriptedDesktop desk;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<MainWindow> mw;

    // Creates and shows the window (800 x 600 unless told).
    explicit WindowFixture(QSize size = QSize(800, 600));
    ~WindowFixture();
    // Puts the items in the store and sets the menus and buttons as after
    // Open of the file given.
    void open(const QVector<VocabItem> &items, const QString &fileName = QString());
    // Enables the menus and buttons 2 to 9 as Open does, and nothing more.
    void enableCommands();
};

// A base for test classes whose tests each start a window of their own.
class WindowTest : public QObject {
protected:
    std::unique_ptr<WindowFixture> f;
    platform::ScriptedDesktop *desk = nullptr;
    AppContext *ctx = nullptr;
    MainWindow *mw = nullptr;

    void startWindow(QSize size = QSize(800, 600))
    {
        f = std::make_unique<WindowFixture>(size);
        desk = &f->desk;
        ctx = f->ctx.get();
        mw = f->mw.get();
    }
};

// The numbers (1 to 10) of the toolbar buttons that are enabled.
QList<int> enabledButtons(const MainWindow &mw);
inline const QList<int> AllButtons{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
// The object names of the disabled menus of the menu bar, File to Help.
QStringList disabledMenus(const MainWindow &mw);
// The object names of the widgets given that are visible, or not visible.
QStringList visibleOf(std::initializer_list<QWidget *> widgets);
QStringList hiddenOf(std::initializer_list<QWidget *> widgets);
// The object names of the actions given that are disabled.
QStringList disabledOf(std::initializer_list<QAction *> actions);
