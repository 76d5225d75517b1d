#pragma once
// The views that take turns over the main window's background, and what a
// view may ask of the window around it. Each view carries out its own
// behaviour; the window locks the commands that must not run meanwhile,
// shows the view's on state in its menu caption and toolbar button, and
// gives the view room.

class QWidget;

enum class View { Read, Listen, History, Edit, Options };

class ViewHost {
public:
    virtual ~ViewHost() = default;
    // Disables (on) or enables again (off) the menus, menu entries and
    // toolbar buttons that must not run while the view is on.
    virtual void lockFor(View view, bool on) = 0;
    // The view's on state: its menu entry's caption and its pressed toolbar
    // button.
    virtual void showOnState(View view, bool on) = 0;
    // Whether the view is on, as its menu caption says (its pressed button
    // always agrees).
    virtual bool isOn(View view) const = 0;
    // Every command that changes the view hides the test rules first.
    virtual void hideRulesFrame() = 0;
    // The background picture, hidden while a view shows a list.
    virtual void showBackground(bool on) = 0;
    // Grows the window in steps of 100 twips until a frame shown at the top
    // left of its area fits: first in one direction, keeping 30 twips to
    // spare, then in the other. A window that cannot grow (maximised, full
    // screen, at its largest) stays as it is.
    enum class Growth { HeightFirst, WidthFirst };
    virtual void growToFit(const QWidget *frame, Growth order) = 0;
};
