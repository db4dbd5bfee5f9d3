#pragma once

#include "app/Platform.h"

// The running system, through the Win32 layer (or its stand-ins) and Qt.
class SystemPlatform : public Platform
{
public:
    QString workFolder() override;
    QString systemFolder() override;
    QString applicationFilePath() override;
    sysapi::DriveType driveType(QChar letter) override;
    QString driveRoot(QChar letter) override;
    sysapi::OsVersion osVersion() override;
    QString osDisplayName() override;
    bool isWindows64() override;
    bool isFullWin32() override;
    bool queryMemoryStatus(sysapi::MemoryStatusRecord& record) override;
    QString localeInfo(quint32 localeId, quint32 infoType) override;
    bool isValidLocale(quint32 localeId) override;
    QString languageName(quint32 localeId) override;
    QDate today() override;
    bool isProgramRunning(const QString& executable) override;
    qint64 freeSpace(const QString& folder) override;
    qint64 elapsedMs() override;
    bool isOffline() override;
    void openDocument(const QString& target) override;
    bool startDetached(const QString& program, const QStringList& arguments, const QString& workingFolder) override;
    void editTextFile(const QString& path) override;
    void endProcess() override;
};
