#pragma once
// The Help menu: the instructions page, the test rules and the about window.

class MainWindow;

class HelpCommands {
public:
    explicit HelpCommands(MainWindow &mw) : m_mw(mw) {}
    void menuIstruzioni_Click();
    void menuRegole_Click();
    void Command6_Click();
    void menuInfo_Click();

private:
    MainWindow &m_mw;
};
