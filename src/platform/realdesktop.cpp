#include "platform/audio.h"
#include "platform/desktop.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QFileDialog>
#include <QFileInfo>
#include <QListView>
#include <QSplitter>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace platform {
namespace {

class QtMessageBoxes : public MessageBoxes {
    // A box is as wide as its text, so a window manager cuts a longer title
    // short, and a title such as "Synonyms of:  casa (within the selected
    // lessons)" loses the very word it names. A blank row as wide as the
    // title, with room for the title bar's buttons, keeps it whole.
    static void makeRoomForTitle(QMessageBox &box, const QString &title)
    {
        auto *grid = qobject_cast<QGridLayout *>(box.layout());
        if (!grid)
            return;
        // Title bars often use a bold font: an eighth more for it.
        const int text = box.fontMetrics().horizontalAdvance(title);
        const int width = text + text / 8 + TitleBarButtons;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    static constexpr int TitleBarButtons = 100; // icon, minimise, maximise, close

public:
    Button show(QWidget *parent, const QString &title, const QString &text, Icon icon,
                Buttons buttons) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(title);
        // Messages break their lines with CR LF, as the program's texts are
        // written; the box wants plain line feeds.
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        box.setText(shown);
        switch (icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        }
        QMessageBox::StandardButtons std;
        if (buttons & Ok) std |= QMessageBox::Ok;
        if (buttons & Cancel) std |= QMessageBox::Cancel;
        if (buttons & Yes) std |= QMessageBox::Yes;
        if (buttons & No) std |= QMessageBox::No;
        box.setStandardButtons(std);
        // Escape and the close button answer Cancel. A box without a Cancel
        // button gets a hidden one for them; otherwise Qt would take "No" as
        // the way out, and a question such as "save before leaving?" would
        // throw the work away on Escape.
        QAbstractButton *escape = box.button(QMessageBox::Cancel);
        if (!escape) {
            escape = box.addButton(QMessageBox::Cancel);
            escape->hide();
        }
        box.setEscapeButton(escape);
        makeRoomForTitle(box, title);
        box.exec();
        QAbstractButton *clicked = box.clickedButton();
        if (clicked == box.button(QMessageBox::Ok))
            return Ok;
        if (clicked == box.button(QMessageBox::Yes))
            return Yes;
        if (clicked == box.button(QMessageBox::No))
            return No;
        return Cancel;
    }
};

class QtFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget *parent, const QString &title, const QString &filter,
                     const QString &startFolder, const QStringList &places) override
    {
        QFileDialog dialog(parent, title, startFolder, filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        // Qt's own dialog shows the places in its side bar, after its own;
        // a dialog of the desktop's keeps its own side bar.
        // Qt keeps the side bar between runs: a place of the same name left
        // by another run (another build, another installation) goes.
        QList<QUrl> sidebar = dialog.sidebarUrls();
        for (const QString &place : places) {
            const QString name = QFileInfo(place).fileName();
            sidebar.removeIf([&](const QUrl &url) {
                return url.isLocalFile() && QFileInfo(url.toLocalFile()).fileName() == name;
            });
            sidebar << QUrl::fromLocalFile(place);
        }
        dialog.setSidebarUrls(sidebar);
        // Its side bar as wide as the names of its places.
        auto *list = dialog.findChild<QListView *>(QStringLiteral("sidebar"));
        auto *splitter = dialog.findChild<QSplitter *>(QStringLiteral("splitter"));
        if (list && splitter && splitter->count() == 2) {
            const int wanted = list->sizeHintForColumn(0) + 2 * list->frameWidth() + 12;
            const int total = qMax(splitter->width(), dialog.sizeHint().width());
            splitter->setSizes({wanted, qMax(total - wanted, wanted)});
        }
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles().value(0);
    }
    QString saveFile(QWidget *parent, const QString &title, const QString &filter,
                     const QString &startFolder, const QString &proposedName,
                     QString *chosenFilter) override
    {
        QString start = startFolder;
        if (!proposedName.trimmed().isEmpty())
            start = proposedName;
        // An existing file is replaced without a question, as Save always did.
        return QFileDialog::getSaveFileName(parent, title, start, filter, chosenFilter,
                                            QFileDialog::DontConfirmOverwrite);
    }
};

// Opens an address with xdg-open, which finds the user's browser. xdg-open
// may keep running as long as the browser it started, so it is not waited
// for: its exit status arrives later, and a failure (no xdg-open, or no
// program for the address) is reported then. Without xdg-open, Qt's own
// desktop services get the address.
class SystemBrowser : public Browser {
public:
    void open(const QUrl &address, std::function<void(const QString &)> failed) override
    {
        auto *process = new QProcess(qApp);
        process->setProgram(QStringLiteral("xdg-open"));
        process->setArguments({address.toString()});
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, address, failed](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart)
                                 return;
                             process->deleteLater();
                             if (!QDesktopServices::openUrl(address) && failed)
                                 failed(QStringLiteral("No program to open it could be started."));
                         });
        QObject::connect(process, &QProcess::finished, process,
                         [process, failed](int exitCode, QProcess::ExitStatus status) {
                             process->deleteLater();
                             if ((status != QProcess::NormalExit || exitCode != 0) && failed)
                                 failed(QStringLiteral("The desktop has no program that opens it."));
                         });
        process->start();
    }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace

MessageBoxes &systemMessageBoxes()
{
    static QtMessageBoxes boxes;
    return boxes;
}

Browser &systemBrowser()
{
    static SystemBrowser browser;
    return browser;
}

Desktop &realDesktop()
{
    MessageBoxes &boxes = systemMessageBoxes();
    Browser &browser = systemBrowser();
    static QtFileDialogs dialogs;
    static PulseSound sound;
    static EspeakSpeech speech;
    static SystemClock clock;
    static Desktop desktop{&boxes, &dialogs, &sound, &speech, &browser, &clock};
    return desktop;
}

} // namespace platform
