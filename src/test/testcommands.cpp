#include "test/testcommands.h"

#include "test/testhost.h"
#include "test/testwindow.h"

#include <QCloseEvent>

TestCommands::TestCommands(AppContext &ctx, TestHost &host) : m_ctx(ctx), m_host(host)
{
    host.hostWindow()->installEventFilter(this);
}

TestCommands::~TestCommands()
{
    // A window still open when the main window goes is dropped without its
    // closing steps: there is no main window left for them.
    delete m_window.data();
}

void TestCommands::menuToEng_Click()
{
    open(TestDirection::ToEnglish);
}

void TestCommands::menuToMine_Click()
{
    open(TestDirection::FromEnglish);
}

bool TestCommands::eventFilter(QObject *watched, QEvent *event)
{
    // A disabled window still receives its close box; the exit sequence
    // closes the test window before the main window, so it passes.
    if (watched == m_host.hostWindow() && event->type() == QEvent::Close) {
        if (TestWindow *window = openTestWindow()) {
            event->ignore();
            window->raise();
            window->activateWindow();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

QWidget *TestCommands::openWindow() const
{
    return openTestWindow();
}

TestWindow *TestCommands::openTestWindow() const
{
    return (m_window && !m_window->hasClosed()) ? m_window.data() : nullptr;
}

void TestCommands::open(TestDirection direction)
{
    // One test window at a time: a second request brings the open one forward.
    if (TestWindow *window = openTestWindow()) {
        window->raise();
        window->activateWindow();
        return;
    }
    m_host.hideRulesFrame();
    // The main window takes no input while the test runs; Closing switches
    // it on again.
    m_host.takeInput(false);
    m_window = new TestWindow(m_ctx, m_host, direction);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
