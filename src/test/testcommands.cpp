#include "test/testcommands.h"

#include "app/mainwindow.h"

void TestCommands::menuToEng_Click() {}
void TestCommands::menuToMine_Click() {}
QWidget *TestCommands::openWindow() const { return nullptr; }
