#pragma once
// The about window: a picture, the product line and OK.

#include <QDialog>

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);
    // OK closes the window.
    void Command1_Click() { accept(); }
};
