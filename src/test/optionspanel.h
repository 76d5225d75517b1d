#pragma once
// The options panel: which lessons a run uses and in which order its items
// come; the lesson table; Test reset. The panel's check boxes and option
// buttons are mirrored in the run options, which the item pool reads.

#include "platform/keyboard.h"
#include "test/lessonrules.h"

#include <QObject>
#include <array>

struct AppContext;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ViewHost;

class OptionsPanel : public QObject {
    Q_OBJECT
public:
    // The panel opens in the overlay area given, at its top left.
    OptionsPanel(AppContext &ctx, ViewHost &host, QWidget *overlayParent);

    // "Lessons selection" (F2, toolbar button 7): opens the panel.
    void menuLezioni_Click();
    // "OK": confirms the options and closes the panel.
    void Command5_Click();
    // "Restart": never enabled, kept for its place in the panel.
    void Command4_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    // A mouse button went down on lesson box `index`.
    void Ckles_MouseDown(int index);
    // Lesson box `index` changed (0 "All", 1..20 a lesson).
    void Ckles_Click(int index);
    // Creates the lesson boxes 1 to 20 ("N.1" .. "N.20"), unticked and disabled.
    void CreateLessonBoxes();
    // Recomputes the lesson states from the vocabulary and rebuilds the pool.
    void RebuildLessonTable();
    // "Test reset".
    void menuScore_Click();
    bool isOpen() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The lesson box `index` (0 "All", 1..20); null for a lesson box not yet
    // created.
    QCheckBox *Ckles(int index) const;
    // The option button of an order (1 Random .. 4 Criticals).
    QRadioButton *Option(int order) const;
    QCheckBox *makeLessonBox(int index, const QString &caption);
    // Drops the pending item and disables Restart, as every change of the
    // choice does.
    void choiceChanged();
    // Shows the run options' lesson boxes in the check boxes.
    void showLessonBoxes();
    void BuildItemPool();
    void setCommandsEnabled(bool on);
    void setTabOrder();

    AppContext &m_ctx;
    ViewHost &m_host;
    LessonRules m_rules;
    platform::FocusReturn m_focus;
    QFrame *FrameOpzioni = nullptr;
    QLabel *Label6 = nullptr;
    QGroupBox *FrameLezioni = nullptr;
    QGroupBox *FrameOrdine = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option3 = nullptr;
    QRadioButton *Option4 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command4 = nullptr;
    std::array<QCheckBox *, 21> m_boxes{};
    bool m_showing = false;
};
