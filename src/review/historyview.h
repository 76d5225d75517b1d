#pragma once
// The tests history view: the tests log beside the vocabulary file shown as a
// table, one row per finished test, with a small chart of the results below.

#include <QList>
#include <QStringList>

class MainWindow;
class HistoryChart;

class HistoryView {
public:
    explicit HistoryView(MainWindow &mw);
    // Shows the history when it is off, hides it otherwise (menu "Show tests
    // history" / "Hide test history", toolbar button 3).
    void menuStoria_Click();

    HistoryChart *chart() const { return m_chart; }

private:
    void turnOn();
    void turnOff();
    void fillTable(const QList<QStringList> &rows);

    MainWindow &m_mw;
    HistoryChart *m_chart = nullptr;
};
