#pragma once
// Helpers shared by the tests.

#include "platform/scripted.h"

#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <functional>

class QWidget;

// Writes bytes to a file, replacing it; returns false on failure.
bool writeFileBytes(const QString &path, const QByteArray &bytes);
QByteArray readFileBytes(const QString &path);

// The texts of the boxes shown so far.
QStringList boxTexts(const platform::ScriptedBoxes &boxes);

// Once the next modal window (a real message box, say) is up and running its
// event loop, hands it to `act`, which answers it as a user would.
void actOnNextModal(std::function<void(QWidget *)> act);

// A double click as the desktop delivers it to a widget: press, release,
// then the second press as a double-click event, and its release.
void doubleClick(QWidget *widget, QPoint at);

namespace platform {
// Boxes compare as a whole and print in full when they differ.
bool operator==(const ShownBox &a, const ShownBox &b);
char *toString(const ShownBox &box);
} // namespace platform
