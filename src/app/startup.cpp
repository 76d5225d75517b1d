#include "app/startup.h"

#include "app/filecommands.h"
#include "app/mainwindow.h"
#include "app/splash.h"

#include <QLabel>
#include <QTimer>

Startup::Startup(AppContext &context, const QString &file)
    : m_ctx(context), m_file(file), m_splash(std::make_unique<SplashWindow>())
{
    connect(m_splash.get(), &SplashWindow::timeUp, this, &Startup::showMainWindow);
}

Startup::~Startup() = default;

void Startup::start()
{
    CentreOnScreen(m_splash.get());
    m_splash->show();
    m_splash->timer()->start();
}

void Startup::showMainWindow()
{
    if (m_window)
        return;
    m_window = std::make_unique<MainWindow>(m_ctx);
    m_splash->status()->setText(QStringLiteral("... ready ..."));
    connect(m_window.get(), &MainWindow::ended, this, &Startup::ended);
    m_window->show();
    CentreOnScreen(m_window.get());
    m_splash->close();
    if (m_file.isEmpty()) {
        emit started();
        return;
    }
    // Queued, so that the window is up and the splash gone before the file
    // loads and any message about it opens over the window.
    QTimer::singleShot(0, m_window.get(), [this] {
        m_window->files().OpenFile(m_file);
        emit started();
    });
}
