#pragma once
// What a test window may ask of the main window around it: the window
// itself (which takes no input while a test runs, and over which the tests
// log's trouble is reported), the save request of Back, and the tidying up
// when a test window has closed.

class QWidget;

class TestHost {
public:
    virtual ~TestHost() = default;
    virtual QWidget *hostWindow() = 0;
    // The main window takes no input while a test window is open.
    virtual void takeInput(bool on) = 0;
    // Opening a test hides the test rules.
    virtual void hideRulesFrame() = 0;
    // Back's save request, made just after it has set SkipNextSave.
    virtual void requestSave() = 0;
    // A test window has closed: the main window clears the work area it
    // leaves behind.
    virtual void testClosed() = 0;
};
