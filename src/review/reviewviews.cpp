#include "review/reviewviews.h"

#include "edit/itemlists.h"
#include "platform/pictures.h"
#include "platform/views.h"
#include "test/appcontext.h"

#include <QTreeView>

namespace {

const QString AllItemsTitle = QStringLiteral("All items - All lessons");

// The pointer over the list in the listen view: an arrow with a loudspeaker,
// which says that a click will be heard; its hot spot is the arrow's tip.
QCursor ListenCursor()
{
    return PictureCursor(QStringLiteral(":/pictures/cursor_listen.svg"), 1, 1);
}

} // namespace

void ReviewViews::menuLeggi_Click()
{
    m_host.hideRulesFrame();
    if (!m_host.isOn(View::Read))
        readOn();
    else
        readOff();
}

void ReviewViews::menuAscolta_Click()
{
    m_host.hideRulesFrame();
    if (!m_host.isOn(View::Listen))
        listenOn();
    else
        listenOff();
}

void ReviewViews::readOn()
{
    m_host.showBackground(false);
    m_host.showOnState(View::Read, true);
    // The Save entry is locked, not the store's "something to save": an
    // Exit from this view must still offer to save.
    m_host.lockFor(View::Read, true);
    showList(QStringLiteral("Total items = "), QStringLiteral("Criticals only ("));
}

void ReviewViews::readOff()
{
    // Both review buttons come up: the listen view is off too.
    m_host.showOnState(View::Read, false);
    m_host.showOnState(View::Listen, false);
    m_host.lockFor(View::Read, false);
    m_ctx.store.SetSaveAvailable(true);
    hideList();
    m_host.showBackground(true);
}

void ReviewViews::listenOn()
{
    m_host.showBackground(false);
    m_host.showOnState(View::Listen, true);
    showList(QStringLiteral("Total items. ="), QStringLiteral("Critical only ("));
    m_lists.itemList()->viewport()->setCursor(ListenCursor());
    // Save stays as it is.
    m_host.lockFor(View::Listen, true);
}

void ReviewViews::listenOff()
{
    m_host.showOnState(View::Listen, false);
    hideList();
    m_lists.itemList()->viewport()->unsetCursor();
    m_host.lockFor(View::Listen, false);
    m_host.showBackground(true);
}

void ReviewViews::showList(const QString &countText, const QString &criticalsText)
{
    m_ctx.pool.RebuildCriticals(m_ctx.store);
    m_lists.itemList()->show();
    m_lists.showCount(countText + QString::number(m_ctx.store.ItemCount()));
    m_lists.showTitle(AllItemsTitle);
    m_lists.showCriticalsSwitch(criticalsText + QString::number(m_ctx.pool.CriticalCount())
                                + QLatin1Char(')'));
    // The keyboard goes to the list, on its first row.
    QTreeView *list = m_lists.itemList();
    if (!list->currentIndex().isValid() && list->model()->rowCount() > 0)
        list->setCurrentIndex(list->model()->index(0, 0));
    list->setFocus(Qt::OtherFocusReason);
}

void ReviewViews::hideList()
{
    // Unticking the switch brings the full list back for the next showing.
    m_lists.hideCriticalsSwitch();
    m_lists.hideTitle();
    m_lists.hideCount();
    m_lists.itemList()->hide();
}
