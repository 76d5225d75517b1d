#include "edit/editview.h"

#include "edit/entrychecks.h"
#include "edit/itemlists.h"
#include "edit/workarea.h"
#include "platform/pictures.h"
#include "platform/views.h"
#include "test/appcontext.h"

#include <QTreeView>

namespace {

const QString AllItemsTitle = QStringLiteral("All items - All lessons");

// The pencil pointer of the edit view; its hot spot is the pencil's tip, at
// the lower left.
QCursor makeEditCursor()
{
    return PictureCursor(QStringLiteral(":/pictures/cursor_edit.svg"), 2, 30);
}

} // namespace

EditView::EditView(AppContext &ctx, ViewHost &host, ItemLists &lists, QWidget *overlayParent)
    : m_ctx(ctx), m_host(host), m_lists(lists),
      m_work(new WorkArea(ctx, host, *this, lists, overlayParent)), m_editCursor(makeEditCursor())
{
    connect(&lists, &ItemLists::itemClicked, this, &EditView::ListaVoci_ItemClick);
    connect(&lists, &ItemLists::criticalClicked, this, &EditView::ListaCri_ItemClick);
    connect(&lists, &ItemLists::itemHeaderClicked, this, &EditView::ListaVoci_ColumnClick);
    connect(&lists, &ItemLists::criticalsHeaderClicked, this, &EditView::ListaCri_ColumnClick);
}

EditView::~EditView() = default;

bool EditView::isOpen() const
{
    return m_host.isOn(View::Edit);
}

void EditView::menuAggiorna_Click()
{
    m_host.hideRulesFrame();
    if (!isOpen())
        OpenView();
    else
        CloseView();
}

void EditView::OpenView()
{
    VocabStore &store = m_ctx.store;
    m_host.showBackground(false);
    m_host.showOnState(View::Edit, true);

    m_lists.showTitle(AllItemsTitle);
    m_lists.showCount(TotalItemsText(store.ItemCount()));

    // The work area first, so that the list is placed above it.
    m_work->show();
    m_lists.placeControls();
    QTreeView *list = m_lists.itemList();
    list->viewport()->setCursor(m_editCursor);
    list->show();
    m_lists.hideCriticalsSwitch();

    m_host.lockFor(View::Edit, true);
    store.SetSaveAvailable(true);

    m_work->SetButtons(true, false, false);
    SelectedItem = 0;
    m_work->EmptyFields();
    m_work->FocusLesson();
}

void EditView::CloseView()
{
    m_host.showOnState(View::Edit, false);
    QTreeView *list = m_lists.itemList();
    list->viewport()->unsetCursor();
    list->hide();

    m_lists.hideTitle();
    m_lists.hideCount();
    m_work->HideStatus();

    m_ctx.store.SetSaveAvailable(true);
    m_host.lockFor(View::Edit, false);
    m_work->HideInstructions();
    m_work->hide();
    m_lists.placeControls();

    emit closed();
    m_host.showBackground(true);
}

void EditView::ListaVoci_ItemClick(int row)
{
    VocabStore &store = m_ctx.store;
    if (!store.IsValidPosition(row))
        return;
    if (m_host.isOn(View::Listen)) {
        SpeakRow(store, row);
        return;
    }
    if (!isOpen())
        return;

    SelectedItem = static_cast<qint16>(row);
    m_lists.itemList()->setCurrentIndex(store.index(row - 1, 0));
    m_work->LoadItem(store.Item(row));
}

void EditView::ListaCri_ItemClick(int row)
{
    const ItemTable &criticals = m_lists.criticals();
    if (criticals.IsValidPosition(row))
        SpeakRow(criticals, row);
}

void EditView::SpeakRow(const ItemTable &table, int row)
{
    // The English text goes through the work area's English field, as the
    // item list always did, even while the field is hidden.
    m_work->SetEnglish(table.Item(row).English);
    platform::SpeakOrReport(m_ctx.desktop, m_lists.window(), m_work->English());
}

void EditView::ListaVoci_ColumnClick(int column)
{
    SortList(m_lists.itemList(), m_ctx.store, column);
    // The sort has moved the items to other positions, so the pool built
    // over the old positions would ask other items than the chosen lessons'.
    m_ctx.pool.PendingItem = 0;
    m_ctx.pool.BuildItemPool(m_ctx.store, m_ctx.options);
}

void EditView::ListaCri_ColumnClick(int column)
{
    SortList(m_lists.criticalsList(), m_lists.criticals(), column);
}

void EditView::SortList(QTreeView *list, ItemTable &table, int column)
{
    if (column < 0 || column >= table.columnCount())
        return;
    const HeaderSort sort = SortForHeader(table.HeaderText(column));
    table.SetHeaderText(sort.column, sort.headerText);
    table.SortByColumn(sort.column, sort.order);
    list->clearSelection();
    SelectedItem = 0;
    m_work->Cpul_Click();
}

void EditView::ClearFields()
{
    m_work->EmptyFields();
}
