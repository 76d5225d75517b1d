#pragma once
// The Test menu's two test commands, which open a test window.

#include "test/direction.h"

#include <QPointer>

class MainWindow;
class QWidget;
class TestWindow;

class TestCommands {
public:
    explicit TestCommands(MainWindow &mw) : m_mw(mw) {}
    ~TestCommands();
    // "My language -> English" (toolbar button 8).
    void menuToEng_Click();
    // "English -> My language " (toolbar button 9).
    void menuToMine_Click();
    // The open test window, if any; null once it has closed.
    QWidget *openWindow() const;
    TestWindow *openTestWindow() const;

private:
    void open(TestDirection direction);

    MainWindow &m_mw;
    QPointer<TestWindow> m_window;
};
