#include "app/filecommands.h"

#include "app/mainwindow.h"

void FileCommands::menuNuovo_Click() {}
void FileCommands::menuApri_Click() {}
void FileCommands::menuSalva_Click() {}
