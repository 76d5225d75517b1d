// Places the controls of the main window whenever its size changes: the lists
// fill the window, the frames open just below the toolbar and the work area
// of the edit view stays at the bottom edge.

#include "app/mainwindow.h"
#include "edit/editview.h"

#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>

void MainWindow::Form_Resize()
{
    if (isMinimized() || !Central)
        return;
    const int W = Central->width();
    const int H = Central->height();

    Sfondo->move((W - Sfondo->width()) / 2, (H - Sfondo->height()) / 2);
    Label0->adjustSize();
    Label0->move((W - Label0->width()) / 2, 4);

    const int listTop = Label0->y() + Label0->height() + 2;
    const int listWidth = W - 15;
    if (listWidth <= 0)
        return;
    for (QTreeView *list : {ListaVoci, ListaCri}) {
        list->setGeometry(5, listTop, listWidth, H - listTop - 10);
        const int english = (listWidth - 25) * 2 / 5;
        list->header()->resizeSection(0, 30);
        list->header()->resizeSection(1, 24);
        list->header()->resizeSection(2, english);
        list->header()->resizeSection(3, qMax(40, listWidth - 30 - 24 - english - 4));
    }
    Label1->adjustSize();
    Label1->move(5 + listWidth - Label1->width(), 4);
    laStoria->setGeometry(5, listTop, listWidth, H - listTop - 10);
    const int parts[9] = {9, 10, 10, 16, 21, 7, 9, 9, 9};
    for (int i = 0; i < 9; ++i)
        laStoria->header()->resizeSection(i, listWidth / parts[i]);

    for (QFrame *frame : {FrameOpzioni, FrameRegole, FrameAggiorna, FrameNazione})
        frame->move(0, 0);

    // The work area of the edit view sits at the bottom edge; while the view
    // is open (button 6 pressed) the item list ends just above it.
    if (m_edit) {
        const int workTop = m_edit->PlaceWorkArea(W, H);
        if (isButtonPressed(6))
            ListaVoci->resize(listWidth, qMax(0, workTop - 4 - listTop));
    }
}
