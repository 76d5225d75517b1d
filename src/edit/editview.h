#pragma once
// The edit view: the item list with the work area below it; the clicks on the
// items of both lists and the sorting of either list by a header click.

#include <QCursor>
#include <QtGlobal>
#include <memory>

class ItemTable;
class MainWindow;
class QTreeView;
class WorkArea;

class EditView {
public:
    explicit EditView(MainWindow &mw);
    ~EditView();

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

    // Fills the criticals table with copies of the items whose mark is
    // exactly "c", in the order of the item list.
    void RebuildCriticalsList();

    // Places the work area at the bottom of the central area (W x H) and
    // returns the top of the work area.
    int PlaceWorkArea(int W, int H);
    // Sets the count line and keeps it at the list's right edge.
    void ShowCountLine(const QString &text);

    WorkArea &workArea() { return *m_work; }

    qint16 SelectedItem = 0;

private:
    void OpenView();
    void CloseView();
    void SortList(QTreeView *list, ItemTable &table, int column);
    void SpeakRow(const ItemTable &table, int row);

    MainWindow &m_mw;
    std::unique_ptr<WorkArea> m_work;
    QCursor m_editCursor;
};
