#include "edit/editview.h"

#include "app/mainwindow.h"
#include "app/pictures.h"
#include "edit/entrychecks.h"
#include "edit/workarea.h"
#include "test/optionspanel.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTreeView>

namespace {

// The pencil pointer of the edit view; its hot spot is the pencil's tip, at
// the lower left.
QCursor makeEditCursor()
{
    return PictureCursor(QStringLiteral(":/pictures/cursor_edit.svg"), 2, 30);
}

} // namespace

EditView::EditView(MainWindow &mw)
    : m_mw(mw), m_work(std::make_unique<WorkArea>(mw, *this)), m_editCursor(makeEditCursor())
{
}

EditView::~EditView() = default;

bool EditView::isOpen() const
{
    return m_mw.menuAggiorna->text() == QLatin1String("End editing");
}

void EditView::menuAggiorna_Click()
{
    m_mw.hideRulesFrame();
    if (m_mw.menuAggiorna->text() == QLatin1String("Edit items"))
        OpenView();
    else
        CloseView();
}

void EditView::OpenView()
{
    VocabStore &store = m_mw.ctx().store;
    m_mw.Sfondo->hide();
    m_mw.setButtonPressed(6, true);

    m_mw.Label0->setText(QStringLiteral("All items - All lessons"));
    m_mw.Label1->setText(TotalItemsText(store.ItemCount()));
    m_mw.Label1->show();

    // With button 6 pressed the layout leaves room for the work area.
    m_mw.Form_Resize();
    m_mw.ListaVoci->viewport()->setCursor(m_editCursor);
    m_mw.ListaVoci->show();

    m_mw.ChkCri->hide();
    m_mw.Label8->hide();
    m_mw.Label0->show();

    m_mw.menuAggiorna->setText(QStringLiteral("End editing"));
    for (QMenu *menu : {m_mw.menuView, m_mw.menuTest, m_mw.menuOptions})
        MainWindow::setMenuEnabled(menu, false);
    store.SetSaveAvailable(true);
    m_mw.setButtonsEnabled({2, 3, 4, 5, 7, 8, 9}, false);

    m_work->SetVisible(true);
    m_work->SetButtons(true, false, false);
    SelectedItem = 0;
    m_work->EmptyFields();
    m_work->LEZ->setFocus();
}

void EditView::CloseView()
{
    m_mw.setButtonPressed(6, false);
    m_mw.Form_Resize();
    m_mw.ListaVoci->viewport()->unsetCursor();
    m_mw.ListaVoci->hide();

    m_mw.Label0->hide();
    m_mw.Label1->hide();
    m_work->Label2->hide();

    m_mw.menuAggiorna->setText(QStringLiteral("Edit items"));
    m_mw.ctx().store.SetSaveAvailable(true);
    for (QMenu *menu : {m_mw.menuView, m_mw.menuTest, m_mw.menuOptions})
        MainWindow::setMenuEnabled(menu, true);

    m_mw.FrameAggiorna->hide();
    m_mw.setButtonsEnabled({2, 3, 4, 5, 7, 8, 9}, true);
    m_work->SetVisible(false);

    // Lessons added or emptied by editing reach the lesson boxes and the pool.
    m_mw.options().RebuildLessonTable();
    m_mw.Sfondo->show();
}

void EditView::ListaVoci_ItemClick(int row)
{
    VocabStore &store = m_mw.ctx().store;
    if (!store.IsValidPosition(row))
        return;
    if (m_mw.isButtonPressed(5)) {
        SpeakRow(store, row);
        return;
    }
    if (!isOpen())
        return;

    SelectedItem = static_cast<qint16>(row);
    m_mw.ListaVoci->setCurrentIndex(store.index(row - 1, 0));
    const VocabItem &item = store.Item(row);
    m_work->LEZ->setText(item.Lesson);
    m_work->CRI->setText(item.CriticalMark);
    m_work->ENGL->setText(item.English);
    m_work->ITAL->setText(item.MyLanguage);
    m_work->SetButtons(false, false, true);
    m_work->Label2->hide();
}

void EditView::ListaCri_ItemClick(int row)
{
    const ItemTable &criticals = *m_mw.criticalsTable();
    if (criticals.IsValidPosition(row))
        SpeakRow(criticals, row);
}

void EditView::SpeakRow(const ItemTable &table, int row)
{
    m_work->ENGL->setText(table.Item(row).English);
    m_mw.speakEnglish(m_work->ENGL->text());
}

void EditView::ListaVoci_ColumnClick(int column)
{
    AppContext &ctx = m_mw.ctx();
    SortList(m_mw.ListaVoci, ctx.store, column);
    // The sort has moved the items to other positions, so the pool built
    // over the old positions would ask other items than the chosen lessons'.
    ctx.pool.PendingItem = 0;
    ctx.pool.BuildItemPool(ctx.store, ctx.options);
}

void EditView::ListaCri_ColumnClick(int column)
{
    SortList(m_mw.ListaCri, *m_mw.criticalsTable(), column);
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

void EditView::RebuildCriticalsList()
{
    QVector<VocabItem> copies;
    for (const VocabItem &item : m_mw.ctx().store.Items())
        if (item.CriticalMark == QLatin1String("c"))
            copies.append(item);
    m_mw.criticalsTable()->SetItems(std::move(copies));
}

int EditView::PlaceWorkArea(int W, int H)
{
    return m_work->Place(W, H);
}

void EditView::ShowCountLine(const QString &text)
{
    QLabel *label = m_mw.Label1;
    label->setText(text);
    // The layout places the count at the list's right edge, as the review
    // views do.
    m_mw.Form_Resize();
}
