#pragma once
// The options panel: which lessons a run uses and in which order its items
// come; the lesson table; Test reset.

class MainWindow;

class OptionsPanel {
public:
    explicit OptionsPanel(MainWindow &mw);
    void menuLezioni_Click();
    void Command5_Click();
    // Creates the lesson boxes 1 to 20 ("N.1" .. "N.20"), unticked and disabled.
    void CreateLessonBoxes();
    void RebuildLessonTable();
    void menuScore_Click();
    bool isOpen() const;

private:
    MainWindow &m_mw;
};
