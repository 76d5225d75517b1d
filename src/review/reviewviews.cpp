#include "review/reviewviews.h"

#include "app/mainwindow.h"

void ReviewViews::menuLeggi_Click() {}
void ReviewViews::menuAscolta_Click() {}
void ReviewViews::ChkCri_Click() {}
bool ReviewViews::listening() const { return m_mw.isButtonPressed(5); }
