#pragma once
// The Test menu's two test commands, which open a test window.

class MainWindow;
class QWidget;

class TestCommands {
public:
    explicit TestCommands(MainWindow &mw) : m_mw(mw) {}
    void menuToEng_Click();
    void menuToMine_Click();
    // The open test window, if any.
    QWidget *openWindow() const;

private:
    MainWindow &m_mw;
};
