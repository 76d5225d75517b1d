#pragma once
// Scripted stand-ins for the desktop layer, used by the tests: message boxes
// and file dialogs answer from queues that the test fills, and everything
// shown, played, spoken or opened is recorded instead of reaching the desktop.

#include "platform/desktop.h"

#include <QList>
#include <QStringList>

namespace platform {

struct ShownBox {
    QString title;
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Ok;
};

class ScriptedBoxes : public MessageBoxes {
public:
    // Answers given in order; when the queue is empty a box is answered with
    // its first button among Ok, Yes, No, Cancel.
    QList<Button> answers;
    QList<ShownBox> shown;
    Button show(QWidget *parent, const QString &title, const QString &text, Icon icon,
                Buttons buttons) override;
};

struct AskedDialog {
    bool save = false;
    QString title;
    QString filter;
    QString startFolder;
    QString proposedName;
    QStringList places;
};

class ScriptedDialogs : public FileDialogs {
public:
    QStringList nextPaths;   // answers in order; empty queue means cancel
    // The filter that each Save dialog reports as chosen, in order; when the
    // queue is empty, the first of its filter text.
    QStringList nextFilters;
    QList<AskedDialog> asked;
    QString openFile(QWidget *parent, const QString &title, const QString &filter,
                     const QString &startFolder, const QStringList &places) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &filter,
                     const QString &startFolder, const QString &proposedName,
                     QString *chosenFilter) override;
};

class RecordingSound : public Sound {
public:
    QStringList played;
    int beeps = 0;
    void playWav(const QString &bareName) override { played << bareName; }
    void beep() override { ++beeps; }
};

class RecordingSpeech : public Speech {
public:
    QStringList spoken;
    bool fail = false;
    bool speak(const QString &text) override
    {
        spoken << text;
        return !fail;
    }
};

class RecordingBrowser : public Browser {
public:
    QList<QUrl> opened;
    // When set, every address fails at once with this reason.
    QString failWith;
    void open(const QUrl &address, std::function<void(const QString &)> failed) override
    {
        opened << address;
        if (!failWith.isEmpty() && failed)
            failed(failWith);
    }
};

class FixedClock : public Clock {
public:
    QDateTime time = QDateTime(QDate(2026, 12, 7), QTime(20, 1, 5));
    QDateTime now() const override { return time; }
};

// All scripted pieces together, with the Desktop that points at them.
struct ScriptedDesktop {
    ScriptedBoxes boxes;
    ScriptedDialogs dialogs;
    RecordingSound sound;
    RecordingSpeech speech;
    RecordingBrowser browser;
    FixedClock clock;
    Desktop desktop() { return Desktop{&boxes, &dialogs, &sound, &speech, &browser, &clock}; }
};

} // namespace platform
