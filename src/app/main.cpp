// Vocanto: the splash window first; after three seconds the main window.

#include "test/appcontext.h"
#include "app/mainwindow.h"
#include "app/splash.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vocanto"));
    QApplication::setApplicationVersion(QStringLiteral("8"));
    QApplication::setQuitOnLastWindowClosed(false);

    AppContext context(platform::realDesktop());
    SplashWindow splash;
    CentreOnScreen(&splash);
    splash.show();

    MainWindow *window = nullptr;
    QObject::connect(&splash, &SplashWindow::timeUp, [&] {
        window = new MainWindow(context);
        splash.status()->setText(QStringLiteral("... ready ..."));
        QObject::connect(window, &MainWindow::ended, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        window->show();
        CentreOnScreen(window);
        splash.close();
    });
    splash.timer()->start();
    const int result = app.exec();
    delete window;
    return result;
}
