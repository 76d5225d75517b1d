#pragma once
// The work area below the item list of the edit view: the four fields in
// which an item is typed, the buttons Add ("A"), Change ("C"), Erase ("E"),
// Clear work area and "?", the status line, and the edit instructions frame.

#include "edit/entrychecks.h"

#include <QObject>

class EditView;
class MainWindow;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

class WorkArea : public QObject {
    Q_OBJECT
public:
    WorkArea(MainWindow &mw, EditView &view);

    // The fields, left to right.
    QLineEdit *LEZ;
    QLineEdit *CRI;
    QLineEdit *ENGL;
    QLineEdit *ITAL;
    // The buttons, left to right, and the status line after them.
    QPushButton *Ccan;
    QPushButton *Cmod;
    QPushButton *Cadd;
    QPushButton *Cpul;
    QPushButton *Ccome;
    QLabel *Label2;
    // Inside the instructions frame FrameAggiorna.
    QLabel *Label4;
    QLabel *Label5;
    QPushButton *Command1;

    void Cadd_Click();
    void Cmod_Click();
    void Ccan_Click();
    void Cpul_Click();
    void Ccome_Click();
    void Command1_Click();

    // Key handlers, run before the key reaches the field. Each returns true
    // when it has used the key up, so that the field never sees it.
    bool LEZ_KeyDown(int key);
    bool CRI_KeyDown(int key);
    bool ENGL_KeyDown(int key);
    bool ITAL_KeyDown(int key);

    // Shows or hides the fields and buttons (not the status line).
    void SetVisible(bool on);
    // Empties the four fields.
    void EmptyFields();
    // The enabled states of "A", "C" and "E".
    void SetButtons(bool add, bool change, bool erase);
    // Shows a text in the status line.
    void ShowStatus(const QString &text);
    // Places the work area at the bottom edge of an area W wide and H high;
    // returns the top of its upper row.
    int Place(int W, int H);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFields();
    void buildButtons();
    void buildInstructions();
    // Runs the entry checks; on a fault shows its message and returns false.
    bool checkFields(EntryCheck &check);
    void showCountLine();
    void growWindowToFit(QWidget *frame);

    MainWindow &m_mw;
    EditView &m_view;
};
