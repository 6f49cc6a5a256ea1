#pragma once

#include <QByteArray>
#include <QString>

// A whole file's bytes, or nothing when it cannot be read.
QByteArray readFileBytes(const QString& path);
// Writes a whole file; false when it cannot be written.
bool writeFileBytes(const QString& path, const QByteArray& content);
