#pragma once
// Helpers shared by the tests.

#include <QString>
#include <QTemporaryDir>

// Writes bytes to a file, replacing it; returns false on failure.
bool writeFileBytes(const QString &path, const QByteArray &bytes);
QByteArray readFileBytes(const QString &path);
