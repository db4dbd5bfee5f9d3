#pragma once

#include "PeFixtureWriter.h"

#include <QDir>
#include <QTest>

// Writes folder/name as a game executable with the given version (a null version: no version resource at all).
inline void writeGame(const QString& folder, const QString& name, const QString& version)
{
    QVERIFY(QDir().mkpath(folder));
    pefixture::PeLayout wanted;
    if (!version.isNull())
        wanted.versionResource = pefixture::buildVersionInfo(pefixture::standardVersion(version.toStdU16String()));
    QVERIFY(pefixture::WriteFile(QDir(folder).filePath(name).toStdU16String(), pefixture::buildPe(wanted).bytes));
}
