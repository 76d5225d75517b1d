#include "platform/audio.h"
#include "platform/desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace platform {
namespace {

class QtMessageBoxes : public MessageBoxes {
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
        switch (box.exec()) {
        case QMessageBox::Ok: return Ok;
        case QMessageBox::Yes: return Yes;
        case QMessageBox::No: return No;
        case QMessageBox::Cancel: return Cancel;
        default: return (buttons & Cancel) ? Cancel : (buttons & No) ? No : Ok;
        }
    }
};

class QtFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget *parent, const QString &title, const QString &filter,
                     const QString &startFolder) override
    {
        return QFileDialog::getOpenFileName(parent, title, startFolder, filter);
    }
    QString saveFile(QWidget *parent, const QString &title, const QString &filter,
                     const QString &startFolder, const QString &proposedName) override
    {
        QString start = startFolder;
        if (!proposedName.trimmed().isEmpty())
            start = proposedName;
        // An existing file is replaced without a question, as Save always did.
        return QFileDialog::getSaveFileName(parent, title, start, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }
};

class SystemBrowser : public Browser {
public:
    void open(const QUrl &address) override { QDesktopServices::openUrl(address); }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace

Desktop &realDesktop()
{
    static QtMessageBoxes boxes;
    static QtFileDialogs dialogs;
    static PulseSound sound;
    static EspeakSpeech speech;
    static SystemBrowser browser;
    static SystemClock clock;
    static Desktop desktop{&boxes, &dialogs, &sound, &speech, &browser, &clock};
    return desktop;
}

} // namespace platform
