#include "app/helpcommands.h"

#include "app/mainwindow.h"

#include <QFrame>

void HelpCommands::menuIstruzioni_Click() {}
void HelpCommands::menuRegole_Click() {}
void HelpCommands::Command6_Click() { m_mw.FrameRegole->hide(); }
void HelpCommands::menuInfo_Click() {}
