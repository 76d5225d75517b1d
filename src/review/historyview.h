#pragma once
// The tests history view: the tests log beside the vocabulary file shown as a
// table, one row per finished test, with a small chart of the results below.

#include <QList>
#include <QStringList>

struct AppContext;
class HistoryChart;
class ItemLists;
class QTreeWidget;
class QWidget;
class ViewHost;

class HistoryView {
public:
    // The table and its chart form a page of the list page given, under its
    // title.
    HistoryView(AppContext &ctx, ViewHost &host, ItemLists &lists);
    // Shows the history when it is off, hides it otherwise (menu "Show tests
    // history" / "Hide test history", toolbar button 3).
    void menuStoria_Click();

private:
    void turnOn();
    void turnOff();
    void fillTable(const QList<QStringList> &rows);

    AppContext &m_ctx;
    ViewHost &m_host;
    ItemLists &m_lists;
    QWidget *m_page = nullptr;
    QTreeWidget *m_table = nullptr; // laStoria
    HistoryChart *m_chart = nullptr;
};
