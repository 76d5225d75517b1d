#pragma once
// The Test menu's two test commands, which open a test window.

#include "test/direction.h"

#include <QObject>
#include <QPointer>

struct AppContext;
class QWidget;
class TestHost;
class TestWindow;

class TestCommands : public QObject {
public:
    TestCommands(AppContext &ctx, TestHost &host);
    ~TestCommands() override;
    // "My language -> English" (toolbar button 8).
    void menuToEng_Click();
    // "English -> My language " (toolbar button 9).
    void menuToMine_Click();
    // The open test window, if any; null once it has closed.
    QWidget *openWindow() const;
    TestWindow *openTestWindow() const;

protected:
    // While a test window is open, the main window's close box is input like
    // any other: it is refused, and the test window comes forward instead.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void open(TestDirection direction);

    AppContext &m_ctx;
    TestHost &m_host;
    QPointer<TestWindow> m_window;
};
