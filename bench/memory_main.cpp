// Resident memory of the program with a full vocabulary open and the edit
// view shown: the real main window on the real desktop, only the Open
// dialog answered by the program itself. Prints the resident size (VmRSS)
// and its peak (VmHWM) after start-up, after Open and with the edit view
// shown. Run it under a display, for example:
//
//     build-bench/bench/vocanto_memory --write full.eng
//     xvfb-run -a build-bench/bench/vocanto_memory full.eng
//
// The first writes a vocabulary of 32,767 items (Windows-1252, with accented
// letters and alternatives), in a process of its own so that the memory it
// takes is not counted.
#include "test/appcontext.h"
#include "app/mainwindow.h"
#include "app/splash.h"
#include "edit/editview.h"
#include "vocab/vocabfile.h"

#include "sampleitems.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

namespace {

class FixedDialogs : public platform::FileDialogs {
public:
    explicit FixedDialogs(QString path) : m_path(std::move(path)) {}
    QString openFile(QWidget *, const QString &, const QString &, const QString &,
                     const QStringList &) override
    {
        return m_path;
    }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &,
                     const QString &, QString *) override
    {
        return {};
    }

private:
    QString m_path;
};

QByteArray StatusLine(const char *name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return "?";
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(name))
            return line.mid(qsizetype(qstrlen(name))).simplified();
    return "?";
}

void Report(const char *when)
{
    std::printf("%-28s VmRSS %s  VmHWM %s\n", when, StatusLine("VmRSS:").constData(),
                StatusLine("VmHWM:").constData());
    std::fflush(stdout);
}

// Lets the window system and the views settle for a while.
void Settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void WriteVocabulary(const QString &path)
{
    if (!SaveVocabFile(path, bench::SampleItems(ItemTable::MaxItems, false), 1).ok)
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--write") == 0) {
        WriteVocabulary(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: vocanto_memory --write FILE | vocanto_memory FILE\n");
        return 2;
    }
    QApplication app(argc, argv);
    FixedDialogs dialogs(QString::fromLocal8Bit(argv[1]));
    platform::Desktop desktop = platform::realDesktop();
    desktop.dialogs = &dialogs;
    AppContext context(desktop);
    MainWindow window(context);
    window.show();
    CentreOnScreen(&window);
    Settle(1000);
    Report("started");

    window.findChild<QAction *>(QStringLiteral("menuApri"))->trigger();
    Settle(1000);
    Report("after Open");
    std::printf("items: %d\n", int(context.store.ItemCount()));

    window.findChild<QAction *>(QStringLiteral("menuAggiorna"))->trigger();
    Settle(2000);
    Report("edit view shown");
    std::printf("edit view open: %s\n", window.edit().isOpen() ? "yes" : "no");
    return 0;
}
