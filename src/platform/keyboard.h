#pragma once
// Keyboard and screen-reader helpers for the program's windows: where the
// focus goes when a frame opens and closes, Tab onto the chosen button of a
// group only, and what a screen reader is told (decorative pictures left
// out, letter-spaced headings read as words, test windows as dialogs).

#include <QPointer>
#include <QString>
#include <initializer_list>

class QAbstractButton;
class QWidget;

namespace platform {

// Remembers where the keyboard focus was when a frame opened, puts it on the
// frame's first control, and gives it back when the frame closes (when that
// control is still there to take it).
class FocusReturn {
public:
    void open(QWidget *frame, QWidget *first);
    // Takes the focus again for the frame, to give back to where it is now.
    void retake(QWidget *frame, QWidget *first);
    void close();

private:
    QPointer<QWidget> m_back;
};

// Tab stops only on the checked button of a group of exclusive buttons (the
// arrow keys move within the group), as it does in most desktop programs.
void TabToCheckedOnly(std::initializer_list<QAbstractButton *> group);

// A picture that only decorates: screen readers leave it out.
void MarkDecorative(QWidget *widget);
// A window that a screen reader announces as a dialog, with its title.
void MarkAsDialog(QWidget *window);

// The words of a letter-spaced heading: "T O   E N G L I S H" reads
// "To English", "F R O M    M Y    L A N G U A G E" reads "From My Language".
QString SpelledOutWords(const QString &letterSpaced);

} // namespace platform
