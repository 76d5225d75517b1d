#pragma once
// Helpers for tests that drive the main window's views: a window on a
// scripted desktop, with a vocabulary loaded the way Open leaves it, and its
// controls found by their object names, as a user's tools find them.

#include "app/mainwindow.h"
#include "platform/scripted.h"
#include "test/appcontext.h"
#include "testsupport.h"

#include <QVector>
#include <initializer_list>
#include <memory>

class ItemTable;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;
class QTreeView;
class QTreeWidget;
class WorkArea;

// The child of `root` with this object name; the test stops with a message
// naming the control when there is none.
QObject *namedObject(const QObject *root, const QString &name, const char *type);
template <typename T>
T *named(const QObject *root, const QString &name)
{
    return static_cast<T *>(namedObject(root, name, T::staticMetaObject.className()));
}

// The main window's menus, toolbar and the controls of the area below it.
struct MainUi {
    explicit MainUi(const QWidget *mw);
    QMenu *menuFile, *menuView, *menuEdit, *menuTest, *menuOptions, *menuHelp;
    QAction *menuNuovo, *menuApri, *menuSalva, *menuFine;
    QAction *menuLeggi, *menuAscolta, *menuAggiorna;
    QAction *menuToEng, *menuToMine, *menuScore, *menuStoria;
    QAction *menuLezioni, *menuCountry, *menuSuoni;
    QAction *menuIstruzioni, *menuRegole, *menuInfo;
    QToolBar *BottBar;
    QWidget *Central;
    QLabel *Sfondo, *Label0, *Label1, *Label8;
    QCheckBox *ChkCri;
    QTreeView *ListaVoci, *ListaCri;
    QTreeWidget *laStoria;
    QFrame *FrameNazione, *FrameOpzioni, *FrameRegole, *FrameAggiorna;
    // Toolbar button n (1-based), and whether it is pressed.
    QAction *button(int n) const;
    bool pressed(int n) const;
    // The criticals list's table.
    ItemTable &criticals() const;

private:
    const QWidget *m_window;
};

// The edit view's work area.
struct WorkUi {
    explicit WorkUi(const QWidget *mw);
    WorkArea *area;
    QLineEdit *LEZ, *CRI, *ENGL, *ITAL;
    QPushButton *Ccan, *Cmod, *Cadd, *Cpul, *Ccome;
    QLabel *Label2, *Label4, *Label5;
    QPushButton *Command1;
};

// n items in lessons 1 to 20; the items at the positions given are marked
// critical ("c"); every eleventh other item carries an upper-case "C", which
// is not a critical mark.
QVector<VocabItem> MakeItems(int n, const QList<int> &criticalPositions);

struct WindowFixture {
    platform::ScriptedDesktop desk;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<MainWindow> mw;
    std::unique_ptr<MainUi> ui;

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
    MainUi *ui = nullptr;

    void startWindow(QSize size = QSize(800, 600))
    {
        f = std::make_unique<WindowFixture>(size);
        desk = &f->desk;
        ctx = f->ctx.get();
        mw = f->mw.get();
        ui = f->ui.get();
    }
};

// Whether a menu of the menu bar is enabled.
bool menuEnabled(const QMenu *menu);
// The numbers (1 to 10) of the toolbar buttons that are enabled.
QList<int> enabledButtons(const MainUi &ui);
inline const QList<int> AllButtons{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
// The object names of the disabled menus of the menu bar, File to Help.
QStringList disabledMenus(const MainUi &ui);
// The object names of the widgets given that are visible, or not visible.
QStringList visibleOf(std::initializer_list<QWidget *> widgets);
QStringList hiddenOf(std::initializer_list<QWidget *> widgets);
// The object names of the actions given that are disabled.
QStringList disabledOf(std::initializer_list<QAction *> actions);
// Where a widget lies in an area that holds it, however deep.
QRect placeIn(const QWidget *area, const QWidget *widget);
// A menu entry's caption as shown and read out: its text without the "&"
// that marks its keyboard letter.
QString caption(const QAction *action);
