#include "edit/editview.h"

#include "app/mainwindow.h"

#include <QAction>

EditView::EditView(MainWindow &mw) : m_mw(mw) {}
void EditView::menuAggiorna_Click() {}
void EditView::ListaVoci_ItemClick(int) {}
void EditView::ListaCri_ItemClick(int) {}
void EditView::ListaVoci_ColumnClick(int) {}
void EditView::ListaCri_ColumnClick(int) {}
void EditView::ClearFields() {}
bool EditView::isOpen() const { return m_mw.menuAggiorna->text() == QLatin1String("End editing"); }
