#include "review/historyview.h"

#include "app/mainwindow.h"

void HistoryView::menuStoria_Click() {}
