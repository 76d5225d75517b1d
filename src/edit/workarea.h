#pragma once
// The work area below the item list of the edit view: the four fields in
// which an item is typed, the buttons Add ("A"), Change ("C"), Erase ("E"),
// Clear work area and "?", the status line, and the edit instructions frame.
// It places its two rows itself; the list page keeps it at its bottom edge.

#include "edit/entrychecks.h"
#include "platform/keyboard.h"

#include <QWidget>

struct AppContext;
class EditView;
class ItemLists;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class ViewHost;

class WorkArea : public QWidget {
    Q_OBJECT
public:
    // The instructions frame opens in the overlay area given.
    WorkArea(AppContext &ctx, ViewHost &host, EditView &view, ItemLists &lists,
             QWidget *overlayParent);

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

    // Empties the four fields.
    void EmptyFields();
    // Loads an item clicked in the list into the fields.
    void LoadItem(const VocabItem &item);
    // The English field, through which a clicked item is spoken.
    void SetEnglish(const QString &text);
    QString English() const;
    // Puts the keyboard focus in the lesson field.
    void FocusLesson();
    void HideStatus();
    void HideInstructions();
    // The enabled states of "A", "C" and "E".
    void SetButtons(bool add, bool change, bool erase);
    // Shows a text in the status line.
    void ShowStatus(const QString &text);
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildFields();
    void buildButtons();
    void buildInstructions(QWidget *overlayParent);
    // Runs the entry checks; on a fault shows its message and returns false.
    bool checkFields(EntryCheck &check);
    void showCountLine();
    void placeControls();

    AppContext &m_ctx;
    ViewHost &m_host;
    EditView &m_view;
    ItemLists &m_lists;
    platform::FocusReturn m_focus;
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
    // The instructions frame with its title, text and OK.
    QFrame *FrameAggiorna;
    QLabel *Label4;
    QLabel *Label5;
    QPushButton *Command1;
};
