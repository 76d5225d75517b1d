#pragma once
// Helpers shared by the tests.

#include "platform/scripted.h"

#include <QString>
#include <QTemporaryDir>

// Writes bytes to a file, replacing it; returns false on failure.
bool writeFileBytes(const QString &path, const QByteArray &bytes);
QByteArray readFileBytes(const QString &path);

// The texts of the boxes shown so far.
QStringList boxTexts(const platform::ScriptedBoxes &boxes);

namespace platform {
// Boxes compare as a whole and print in full when they differ.
bool operator==(const ShownBox &a, const ShownBox &b);
char *toString(const ShownBox &box);
} // namespace platform
