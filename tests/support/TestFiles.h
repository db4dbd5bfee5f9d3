#pragma once

// Files the tests write and read back. writeFile creates the folder; by default it writes
// one byte, for files whose presence is all that matters.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

[[nodiscard]] inline bool writeFile(const QString& path, const QByteArray& bytes = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
