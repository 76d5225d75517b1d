#pragma once
// The program's start: the splash window first; when its time is up, the
// main window in its place, which then opens the file named on the command
// line exactly as the Open command opens a file.

#include <QObject>
#include <QString>
#include <memory>

struct AppContext;
class MainWindow;
class SplashWindow;

class Startup : public QObject {
    Q_OBJECT
public:
    // With `file` empty, the main window starts with an empty store.
    Startup(AppContext &context, const QString &file);
    ~Startup() override;

    // Shows the splash window, centred, and starts its timer.
    void start();
    SplashWindow *splash() const { return m_splash.get(); }
    // The main window, once the splash time is up; null before.
    MainWindow *window() const { return m_window.get(); }

signals:
    // The main window is up, and the file named, if any, has been opened or
    // its failure reported.
    void started();
    // Exit has run: the program is to end.
    void ended();

private:
    void showMainWindow();

    AppContext &m_ctx;
    QString m_file;
    // The window goes before the splash, as it came after it.
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<MainWindow> m_window;
};
