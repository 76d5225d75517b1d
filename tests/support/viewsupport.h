#pragma once
// Helpers for tests that drive the main window's views: a window on a
// scripted desktop, with a vocabulary loaded the way Open leaves it.

#include "app/appcontext.h"
#include "app/mainwindow.h"
#include "platform/scripted.h"

#include <QVector>
#include <memory>

// n items in lessons 1 to 20; the items at the positions given are marked
// critical ("c"); every eleventh other item carries an upper-case "C", which
// is not a critical mark.
QVector<VocabItem> MakeItems(int n, const QList<int> &criticalPositions);

struct WindowFixture {
    platform::ScriptedDesktop desk;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<MainWindow> mw;

    // Creates and shows the window (800 x 600 unless told).
    explicit WindowFixture(QSize size = QSize(800, 600));
    ~WindowFixture();
    // Puts the items in the store and sets the menus and buttons as after
    // Open of the file given.
    void open(const QVector<VocabItem> &items, const QString &fileName = QString());
};
