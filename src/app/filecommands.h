#pragma once
// The File menu's New, Open and Save commands.

class MainWindow;

class FileCommands {
public:
    explicit FileCommands(MainWindow &mw) : m_mw(mw) {}
    void menuNuovo_Click();
    void menuApri_Click();
    // Save; also the request a test window's Back button makes, and the
    // exit sequence's save.
    void menuSalva_Click();
    // Whether a file is being read (commands are held off meanwhile).
    bool isLoading() const { return m_loading; }

private:
    MainWindow &m_mw;
    bool m_loading = false;
};
