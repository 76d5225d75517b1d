#include "review/reviewviews.h"

#include "app/mainwindow.h"
#include "app/pictures.h"
#include "edit/editview.h"

#include <QAction>
#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QTreeView>

namespace {

const QString AllItemsTitle = QStringLiteral("All items - All lessons");
const QString CriticalItemsTitle = QStringLiteral("Critical items - All lessons");

// The pointer over the list in the listen view: an arrow with a loudspeaker,
// which says that a click will be heard; its hot spot is the arrow's tip.
QCursor ListenCursor()
{
    return PictureCursor(QStringLiteral(":/pictures/cursor_listen.svg"), 1, 1);
}

} // namespace

bool ReviewViews::listening() const { return m_mw.isButtonPressed(5); }

void ReviewViews::menuLeggi_Click()
{
    m_mw.hideRulesFrame();
    if (m_mw.menuLeggi->text() == QLatin1String("Read items"))
        readOn();
    else
        readOff();
}

void ReviewViews::menuAscolta_Click()
{
    m_mw.hideRulesFrame();
    if (m_mw.menuAscolta->text() == QLatin1String("Listen items"))
        listenOn();
    else
        listenOff();
}

void ReviewViews::ChkCri_Click()
{
    MainWindow &mw = m_mw;
    if (mw.ChkCri->isChecked()) {
        mw.Label0->setText(CriticalItemsTitle);
        mw.ListaVoci->hide();
        mw.ListaCri->show();
        mw.edit().RebuildCriticalsList();
    } else {
        mw.Label0->setText(AllItemsTitle);
        mw.ListaVoci->show();
        mw.ListaCri->hide();
    }
    mw.Form_Resize();
}

void ReviewViews::readOn()
{
    MainWindow &mw = m_mw;
    mw.Sfondo->hide();
    mw.Label0->setText(AllItemsTitle);
    mw.setButtonPressed(4, true);
    mw.menuLeggi->setText(QStringLiteral("End reading"));

    // Only the Save entry is switched off, not the store's "something to
    // save": an Exit from this view must still offer to save.
    mw.menuSalva->setEnabled(false);
    mw.menuAscolta->setEnabled(false);
    for (QMenu *m : {mw.menuEdit, mw.menuOptions, mw.menuTest})
        MainWindow::setMenuEnabled(m, false);
    mw.setButtonsEnabled({2, 3, 5, 6, 7, 8, 9}, false);

    showList(QStringLiteral("Total items = "), QStringLiteral("Criticals only ("));
}

void ReviewViews::readOff()
{
    MainWindow &mw = m_mw;
    mw.setButtonPressed(4, false);
    mw.setButtonPressed(5, false);
    mw.menuLeggi->setText(QStringLiteral("Read items"));

    for (QMenu *m : {mw.menuEdit, mw.menuTest, mw.menuOptions})
        MainWindow::setMenuEnabled(m, true);
    mw.ctx().store.SetSaveAvailable(true);
    mw.menuSalva->setEnabled(true);
    mw.menuAscolta->setEnabled(true);
    mw.setButtonsEnabled({2, 3, 5, 6, 7, 8, 9}, true);

    hideList();
    mw.Sfondo->show();
}

void ReviewViews::listenOn()
{
    MainWindow &mw = m_mw;
    mw.Sfondo->hide();
    mw.Label0->setText(AllItemsTitle);
    mw.setButtonPressed(5, true);
    mw.menuAscolta->setText(QStringLiteral("End listening"));
    mw.menuLeggi->setEnabled(false);

    showList(QStringLiteral("Total items. ="), QStringLiteral("Critical only ("));
    mw.ListaVoci->viewport()->setCursor(ListenCursor());

    // Save stays as it is.
    for (QMenu *m : {mw.menuEdit, mw.menuTest, mw.menuOptions})
        MainWindow::setMenuEnabled(m, false);
    mw.setButtonsEnabled({2, 3, 4, 6, 7, 8, 9}, false);
}

void ReviewViews::listenOff()
{
    MainWindow &mw = m_mw;
    mw.setButtonPressed(5, false);
    hideList();
    mw.menuAscolta->setText(QStringLiteral("Listen items"));
    mw.menuLeggi->setEnabled(true);
    mw.ListaVoci->viewport()->unsetCursor();
    for (QMenu *m : {mw.menuEdit, mw.menuTest, mw.menuOptions})
        MainWindow::setMenuEnabled(m, true);
    mw.setButtonsEnabled({2, 3, 4, 6, 7, 8, 9}, true);
    mw.Sfondo->show();
}

void ReviewViews::showList(const QString &countText, const QString &criticalsText)
{
    MainWindow &mw = m_mw;
    AppContext &ctx = mw.ctx();
    ctx.pool.RebuildCriticals(ctx.store);

    mw.ListaVoci->show();
    mw.Label1->setText(countText + QString::number(ctx.store.ItemCount()));
    mw.Label1->show();
    mw.Label0->show();
    mw.ChkCri->show();
    mw.Label8->setText(criticalsText + QString::number(ctx.pool.CriticalCount())
                       + QLatin1Char(')'));
    mw.Label8->show();
    // Places the list and the labels (the count at the list's right edge).
    mw.Form_Resize();
}

void ReviewViews::hideList()
{
    MainWindow &mw = m_mw;
    // Unticking the switch brings the full list back for the next showing.
    mw.ChkCri->setChecked(false);
    for (QWidget *w : {static_cast<QWidget *>(mw.Label0), static_cast<QWidget *>(mw.Label1),
                       static_cast<QWidget *>(mw.ListaVoci), static_cast<QWidget *>(mw.ChkCri),
                       static_cast<QWidget *>(mw.Label8)})
        w->hide();
}
