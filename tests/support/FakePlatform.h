#pragma once

#include "app/Platform.h"
#include "sysinfo/MemoryQuery.h"
#include "sysinfo/WinVersion.h"

#include <QDate>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>

#include <functional>

// A platform whose facts the test sets and whose actions are recorded.
class FakePlatform : public Platform
{
public:
    struct Launch
    {
        QString program;
        QStringList arguments;
        QString workingFolder;
    };

    FakePlatform() { steady.start(); }

    QString workFolder() override { return workFolderPath; }
    QString systemFolder() override { return QStringLiteral("/fake/system/"); }
    QString applicationFilePath() override { return applicationPath; }
    sysapi::DriveType driveType(QChar letter) override
    {
        return driveTypes.value(letter, sysapi::DriveType::NoRootDir);
    }
    QString driveRoot(QChar letter) override { return driveRoots.value(letter, letter + QStringLiteral(":/")); }
    sysapi::OsVersion osVersion() override { return version; }
    QString osDisplayName() override { return displayName; }
    bool isWindows64() override { return windows64; }
    bool isFullWin32() override { return ::isFullWin32(version); }
    bool queryMemoryStatus(sysapi::MemoryStatusRecord& record) override;
    QString localeInfo(quint32 localeId, quint32 infoType) override;
    bool isValidLocale(quint32 localeId) override { return !unsupportedLocales.contains(localeId); }
    QString languageName(quint32 localeId) override { return languageNames.value(localeId); }
    QDate today() override { return date; }
    bool isProgramRunning(const QString& executable) override { return runningPrograms.contains(executable); }
    qint64 freeSpace(const QString& folder) override { return freeSpaceFor(folder); }
    // The real steady clock unless a test sets elapsed.
    qint64 elapsedMs() override { return elapsed >= 0 ? elapsed : steady.elapsed(); }
    bool isOffline() override { return offline; }
    void openDocument(const QString& target) override { opened.append(target); }
    bool startDetached(const QString& program, const QStringList& arguments, const QString& workingFolder) override;
    void editTextFile(const QString& path) override { edited.append(path); }
    void endProcess() override { ++processEnds; }

    // Names every locale as Windows names it, as the language list needs.
    void nameLanguagesAsWindows();

    QString workFolderPath;
    QString applicationPath = QStringLiteral("/fake/app/krvnm");
    QHash<QChar, sysapi::DriveType> driveTypes; // letters not listed have no root folder
    QHash<QChar, QString> driveRoots;
    sysapi::OsVersion version{true, 2, 10, 0, 19045};
    QString displayName = QStringLiteral("Windows 10");
    bool windows64 = true;
    // The user's default locale (0x400); other locales give no texts.
    QString userLanguage = QStringLiteral("English");
    QString userAnsiCodePage = QStringLiteral("1252");
    QSet<quint32> unsupportedLocales;
    QHash<quint32, QString> languageNames; // a locale not listed has no name
    QDate date{2026, 6, 12};
    qint64 elapsed = -1;
    bool offline = false;
    QStringList runningPrograms;
    // Unknown (-1) unless a test says otherwise.
    std::function<qint64(const QString&)> freeSpaceFor = [](const QString&) { return qint64(-1); };
    // The answer of the memory query; a failing query still writes it, as a system
    // answering halfway might.
    sysapi::MemoryStatusRecord memory{.memoryLoad = 75,
                                      .totalPhys = 8ull << 30,
                                      .availPhys = 2ull << 30,
                                      .totalPageFile = 4ull << 30,
                                      .availPageFile = 3ull << 30,
                                      .totalVirtual = 1ull << 47,
                                      .availVirtual = 1ull << 46};
    bool memoryQueryFails = false;

    QStringList opened;
    QStringList edited;
    QList<Launch> launches;
    int processEnds = 0;

private:
    QElapsedTimer steady;
};
