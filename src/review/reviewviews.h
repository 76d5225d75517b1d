#pragma once
// The read and listen views: the whole vocabulary as a list with its counts,
// all items or the critical items only; in the listen view a click on an
// item speaks it.

#include <QString>

class MainWindow;

class ReviewViews {
public:
    explicit ReviewViews(MainWindow &mw) : m_mw(mw) {}
    // Read items / End reading (toolbar button 4).
    void menuLeggi_Click();
    // Listen items / End listening (toolbar button 5).
    void menuAscolta_Click();
    // The criticals-only switch.
    void ChkCri_Click();
    // The listen view is on (toolbar button 5 pressed).
    bool listening() const;

private:
    void readOn();
    void readOff();
    void listenOn();
    void listenOff();
    // What both views show: the item list, its count and the switch.
    void showList(const QString &countText, const QString &criticalsText);
    void hideList();

    MainWindow &m_mw;
};
