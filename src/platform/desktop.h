#pragma once
// The desktop layer: every contact with the desktop (message boxes, file
// dialogs, sound, the beep, speech, the browser and the clock) goes through
// these small interfaces. The program uses the real implementations; tests
// use the scripted ones (scripted.h), which answer from a queue and record
// what was asked instead of blocking.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>

class QWidget;

namespace platform {

enum class Icon { None, Information, Question, Warning, Critical };

// Buttons of a message box; a box shows the ones whose bits are set and
// returns the one chosen.
enum Button : int { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };
using Buttons = int;

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows a modal box; returns the button chosen. A box closed without a
    // choice (Escape, its close button) returns Cancel, whether or not Cancel
    // is among its buttons, so that every caller can treat it as "change
    // nothing".
    virtual Button show(QWidget *parent, const QString &title, const QString &text,
                        Icon icon, Buttons buttons) = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Both return the chosen path, or an empty text when cancelled. The
    // filter text lists filters separated by ";;", the first one chosen.
    // `places` are folders that the Open dialog's side bar offers besides its
    // own (by their folder names); they do not change where it starts.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &filter,
                             const QString &startFolder, const QStringList &places) = 0;
    // *chosenFilter, when given, gets the filter chosen when the dialog
    // closed (one of those in the filter text).
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &filter,
                             const QString &startFolder, const QString &proposedName,
                             QString *chosenFilter) = 0;
};

class Sound {
public:
    virtual ~Sound() = default;
    // Plays a WAV file given by its bare name, from the current folder, and
    // returns when it has finished. A missing or unplayable file plays a short
    // built-in sound instead. Never reports and never hangs.
    virtual void playWav(const QString &bareName) = 0;
    // The system beep.
    virtual void beep() = 0;
};

class Speech {
public:
    virtual ~Speech() = default;
    // Speaks an English text and returns when it has been spoken; false when
    // speaking failed (no voice data, no audio output).
    virtual bool speak(const QString &text) = 0;
};

class Browser {
public:
    virtual ~Browser() = default;
    // Hands the address to the desktop's browser and returns at once. When
    // the desktop turns out to have no program that opens it, `failed` is
    // called later (on the user-interface thread) with the reason.
    virtual void open(const QUrl &address, std::function<void(const QString &reason)> failed) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// The set of interfaces the program runs with.
struct Desktop {
    MessageBoxes *boxes = nullptr;
    FileDialogs *dialogs = nullptr;
    Sound *sound = nullptr;
    Speech *speech = nullptr;
    Browser *browser = nullptr;
    Clock *clock = nullptr;
};

// Speaks an English text; a failure shows "Any error ..." over the given
// window and returns false.
bool SpeakOrReport(const Desktop &desktop, QWidget *parent, const QString &text);

// The real desktop, created once for the run.
Desktop &realDesktop();
// The desktop's own message boxes alone (tests answer them with real keys).
MessageBoxes &systemMessageBoxes();
// The desktop's browser alone.
Browser &systemBrowser();

} // namespace platform
