#pragma once
// The edit view: the item list with the work area below it; the clicks on the
// items of both lists and the sorting of either list by a header click.

#include <QCursor>
#include <QObject>
#include <QtGlobal>

struct AppContext;
class ItemLists;
class ItemTable;
class QTreeView;
class ViewHost;
class WorkArea;

class EditView : public QObject {
    Q_OBJECT
public:
    // The view shows itself in the list page given; its instructions frame
    // opens in the overlay area.
    EditView(AppContext &ctx, ViewHost &host, ItemLists &lists, QWidget *overlayParent);
    ~EditView() override;

    // Opens the view when it is closed, closes it when it is open.
    void menuAggiorna_Click();
    // Clicks on a row (1-based) of the item list or of the criticals list.
    void ListaVoci_ItemClick(int row);
    void ListaCri_ItemClick(int row);
    // Clicks on a header (0-based section) of either list.
    void ListaVoci_ColumnClick(int column);
    void ListaCri_ColumnClick(int column);
    // Empties the four fields of the work area.
    void ClearFields();
    bool isOpen() const;

    WorkArea &workArea() { return *m_work; }

    qint16 SelectedItem = 0;

signals:
    // The view has closed: lessons added or emptied by editing are to reach
    // the lesson boxes and the pool.
    void closed();

private:
    void OpenView();
    void CloseView();
    void SortList(QTreeView *list, ItemTable &table, int column);
    void SpeakRow(const ItemTable &table, int row);

    AppContext &m_ctx;
    ViewHost &m_host;
    ItemLists &m_lists;
    WorkArea *m_work;
    QCursor m_editCursor;
};
