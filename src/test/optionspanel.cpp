#include "test/optionspanel.h"

#include "app/mainwindow.h"

#include <QFrame>

OptionsPanel::OptionsPanel(MainWindow &mw) : m_mw(mw) {}
void OptionsPanel::menuLezioni_Click() {}
void OptionsPanel::Command5_Click() {}
void OptionsPanel::CreateLessonBoxes() {}
void OptionsPanel::RebuildLessonTable() {}
void OptionsPanel::menuScore_Click() {}
bool OptionsPanel::isOpen() const { return m_mw.FrameOpzioni->isVisible(); }
