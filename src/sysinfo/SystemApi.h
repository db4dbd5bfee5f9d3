#pragma once

// Facts about the operating system, answered by the Win32 API on Windows and by the
// nearest equivalent elsewhere. Standard library only, so the Windows side can be
// built and tested without Qt.

#include "app/SystemTypes.h"

#include <optional>
#include <string>

namespace sysapi {

// The true version numbers of the running Windows (not the ones a manifest-less
// program is shown for compatibility).
OsVersion queryOsVersion();

// Display name of the running system: the Windows name from the version table, or
// the distribution's own name elsewhere.
std::string osDisplayName();

// True when the process is a 32-bit one running on 64-bit Windows.
bool isWow64();

// True when the system itself is 64-bit, whatever this build's word size.
bool isWindows64();

// The Windows folder without a trailing separator; empty when the query fails.
std::wstring windowsFolder();

// The system folder without a trailing separator; empty when the query fails.
std::wstring systemFolder();

// Work folder of the program, ending in the system's separator.
std::wstring workFolder();

// Type of drive letter C..Z, and the folder the letter stands for (ending in a separator).
DriveType queryDriveType(wchar_t letter);
std::wstring driveRoot(wchar_t letter);

// Whether the system marks the computer offline; nothing when the system keeps no
// such mark.
std::optional<bool> systemOfflineFlag();

// Whether a process runs from the executable: Windows refuses to open it for writing
// without sharing; elsewhere a process's command line names it, directly or as Wine
// writes it (a drive letter and backslashes, any case), relative names against the
// process's working folder.
bool isProgramRunning(const std::wstring& executable);

// The program that has to start the given executable (Wine for a Windows program on
// another system); empty when the system runs it directly.
std::wstring launcherFor(const std::wstring& program);

} // namespace sysapi
