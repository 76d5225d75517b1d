// Vocanto: the command line first; then the splash window, and after three
// seconds the main window, which opens the file the command line named.

#include "app/commandline.h"
#include "app/startup.h"
#include "test/appcontext.h"

#include <QApplication>
#include <cstdio>

namespace {

// Prints what the command line asked for (or what was wrong with it) and
// gives the exit code.
int Answer(const CommandLine &line)
{
    const QByteArray text = line.text().toLocal8Bit();
    std::fputs(text.constData(), line.exitCode() == 0 ? stdout : stderr);
    return line.exitCode();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Vocanto"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VOCANTO_VERSION));

    // --help and --version are answered before the window system starts, so
    // that they work without a display (over ssh, in a package check).
    // Options that only the window system knows (-platform, -style ...) make
    // this first reading fail; the full reading below sees them removed.
    {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        const CommandLine early(arguments);
        if (early.request() == CommandLine::Request::Help
            || early.request() == CommandLine::Request::Version) {
            QCoreApplication core(argc, argv);
            return Answer(early);
        }
    }

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Ties the windows to the launcher entry, for the desktop's icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vocanto.Vocanto"));
    const CommandLine line(QApplication::arguments());
    if (line.request() != CommandLine::Request::Run)
        return Answer(line);

    AppContext context(platform::realDesktop());
    Startup startup(context, line.file());
    QObject::connect(&startup, &Startup::ended, &app, &QApplication::quit, Qt::QueuedConnection);
    startup.start();
    return app.exec();
}
