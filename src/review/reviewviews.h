#pragma once
// The read and listen views.

class MainWindow;

class ReviewViews {
public:
    explicit ReviewViews(MainWindow &mw) : m_mw(mw) {}
    void menuLeggi_Click();
    void menuAscolta_Click();
    void ChkCri_Click();
    // The listen view is on (toolbar button 5 pressed).
    bool listening() const;

private:
    MainWindow &m_mw;
};
