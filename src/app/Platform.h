#pragma once

// Operating-system facts and actions behind one interface: the real implementation
// (SystemPlatform) for the program, a fake for tests.

#include "app/SystemTypes.h"

#include <QString>
#include <QStringList>

class QDate;

class Platform
{
public:
    virtual ~Platform() = default;

    // Work folder of the program, ending in the system's separator.
    virtual QString workFolder() = 0;
    // The system folder, ending in the system's separator.
    virtual QString systemFolder() = 0;
    // Full path of the program's own executable.
    virtual QString applicationFilePath() = 0;

    virtual sysapi::DriveType driveType(QChar letter) = 0;
    // The folder a drive letter stands for, ending in a separator.
    virtual QString driveRoot(QChar letter) = 0;

    virtual sysapi::OsVersion osVersion() = 0;
    virtual QString osDisplayName() = 0;
    // Whether the system itself is 64-bit.
    virtual bool isWindows64() = 0;
    // Whether the system runs full 32-bit programs (not Win32s on Windows 3.x).
    virtual bool isFullWin32() = 0;
    // Fills the memory-status record (its length set); false when the system does not answer.
    virtual bool queryMemoryStatus(sysapi::MemoryStatusRecord& record) = 0;

    // Locale facts as Windows gives them (GetLocaleInfo, IsValidLocale, VerLanguageName),
    // for locale identifiers such as 0x400, the user's default locale.
    // One locale text (0x1001: the language's English name, 0x1004: the default ANSI code
    // page); empty when the system gives none.
    virtual QString localeInfo(quint32 localeId, quint32 infoType) = 0;
    virtual bool isValidLocale(quint32 localeId) = 0;
    // The locale's display name in the system's language ("English (United Kingdom)"), as
    // the system fills its buffer: the name ends at the first NUL. Empty when there is none.
    virtual QString languageName(quint32 localeId) = 0;

    // The day on the system's clock: the one clock the logic reads (check dates, reports).
    virtual QDate today() = 0;
    // Whether a running program was started from this executable (Windows: the file
    // cannot be opened for writing; elsewhere: a process's command line names it, as Wine
    // shows a Windows program), so its files cannot be replaced safely.
    virtual bool isProgramRunning(const QString& executable) = 0;
    // Bytes free for this user on the volume of folder (or of its nearest existing
    // parent); -1 when the system does not tell.
    virtual qint64 freeSpace(const QString& folder) = 0;
    // Milliseconds on a steady clock that only moves forward (transfer speeds, refresh rates).
    virtual qint64 elapsedMs() = 0;

    // Whether the system says it is offline; false when it cannot tell.
    virtual bool isOffline() = 0;

    // Hands a web address, mail link or file to the desktop; failures go unreported.
    virtual void openDocument(const QString& target) = 0;
    // Starts a program detached in the given working folder.
    virtual bool startDetached(const QString& program, const QStringList& arguments, const QString& workingFolder) = 0;
    // Opens a text file in the desktop's editor.
    virtual void editTextFile(const QString& path) = 0;
    // Ends the program: its windows close and no further events run.
    virtual void endProcess() = 0;
};
