#pragma once

#include <QFile>
#include <QTest>

// A file with those bytes (by default one byte, for files only their presence matters).
inline void WriteFile(const QString& path, const QByteArray& bytes = "x")
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}
