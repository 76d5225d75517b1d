#pragma once
// The page of lists that the edit, read, listen and history views share: a
// title row (the title Label0, the criticals-only switch ChkCri with its
// count Label8, the item count Label1) above the item list ListaVoci or the
// criticals list ListaCri, or above a page of another view (the tests
// history). The edit view's work area sits below the list while it is shown.
// The page lays out its own controls in the area the main window gives it.

#include <QWidget>

class ItemTable;
class QCheckBox;
class QLabel;
class QTreeView;
class VocabStore;

class ItemLists : public QWidget {
    Q_OBJECT
public:
    ItemLists(VocabStore &store, QWidget *parent);
    ~ItemLists() override;

    // ListaVoci shows the store itself; ListaCri a copy of its critical items.
    QTreeView *itemList() const { return m_items; }
    QTreeView *criticalsList() const { return m_criticalsList; }
    ItemTable &criticals() { return *m_criticals; }
    // Fills the criticals list with copies of the items whose mark is
    // exactly "c", in the order of the item list.
    void RebuildCriticalsList();

    // The title row.
    void showTitle(const QString &text);
    void hideTitle();
    void showCount(const QString &text);
    void hideCount();
    // Shows the criticals-only switch with the count of critical items.
    void showCriticalsSwitch(const QString &countText);
    // Unticks the switch (which brings the item list back) and hides it.
    void hideCriticalsSwitch();

    // A page of another view, placed where the lists go; the view shows and
    // hides it.
    void addPage(QWidget *page);
    // A widget kept at the bottom edge while it is visible (the work area);
    // the item list then ends just above it.
    void setBottomArea(QWidget *area);

    // Places the controls for the current size and contents.
    void placeControls();

signals:
    // A click on a row (1-based) of either list, and on a header (0-based).
    void itemClicked(int row);
    void criticalClicked(int row);
    void itemHeaderClicked(int column);
    void criticalsHeaderClicked(int column);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    QTreeView *makeList(const char *name, const char *accessible, ItemTable *model);
    // The switch: the criticals list in place of the item list, or back.
    void ChkCri_Click();

    VocabStore &m_store;
    ItemTable *m_criticals;
    QLabel *m_title;        // Label0
    QLabel *m_count;        // Label1
    QLabel *m_switchCount;  // Label8
    QCheckBox *m_switch;    // ChkCri
    QTreeView *m_items;     // ListaVoci
    QTreeView *m_criticalsList; // ListaCri
    QList<QWidget *> m_pages;
    QWidget *m_bottom = nullptr;
};
