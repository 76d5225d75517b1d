#pragma once
// The edit view: the item list with the work area below it.

#include <QtGlobal>

class MainWindow;

class EditView {
public:
    explicit EditView(MainWindow &mw);
    void menuAggiorna_Click();
    void ListaVoci_ItemClick(int row);
    void ListaCri_ItemClick(int row);
    void ListaVoci_ColumnClick(int column);
    void ListaCri_ColumnClick(int column);
    // Empties the four fields of the work area.
    void ClearFields();
    bool isOpen() const;

    qint16 SelectedItem = 0;

private:
    MainWindow &m_mw;
};
