#pragma once
// The tests history view.

class MainWindow;

class HistoryView {
public:
    explicit HistoryView(MainWindow &mw) : m_mw(mw) {}
    void menuStoria_Click();

private:
    MainWindow &m_mw;
};
