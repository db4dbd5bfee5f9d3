// The Win32 layer against the real Windows API (run under Wine by the Windows stage).
// Usage: SystemApiWinTest ["expected Windows name"]

#include "WinCheck.h"
#include "sysinfo/SystemApi.h"
#include "sysinfo/WinVersion.h"

#include <windows.h>

#include <cwctype>

namespace {

std::wstring lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring environment(const wchar_t* name)
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

void checkVersion(const char* expectedName)
{
    const sysapi::OsVersion version = sysapi::queryOsVersion();
    WIN_CHECK(version.queried);
    WIN_CHECK_EQUAL(2ul, version.platformId);
    WIN_CHECK(version.major >= 5);
    WIN_CHECK(isFullWin32(version));
    if (expectedName)
        WIN_CHECK_EQUAL(std::string(expectedName), sysapi::osDisplayName());
    WIN_CHECK(sysapi::isWindows64()); // this stage builds 64-bit programs
    WIN_CHECK(!sysapi::isWow64());    // ... which never run under WOW64
}

void checkFolders()
{
    const std::wstring windows = sysapi::windowsFolder();
    WIN_CHECK(!windows.empty());
    WIN_CHECK(windows.back() != L'\\');
    WIN_CHECK_EQUAL(lower(environment(L"WINDIR")), lower(windows));
    WIN_CHECK_EQUAL(lower(windows + L"\\system32"), lower(sysapi::systemFolder()));
    WIN_CHECK_EQUAL(windows + L"\\temp\\krvnm\\", sysapi::workFolder());
}

void checkDrives()
{
    WIN_CHECK(sysapi::queryDriveType(L'C') == sysapi::DriveType::Fixed);
    // A letter Wine's fresh prefix does not map.
    WIN_CHECK(sysapi::queryDriveType(L'Q') == sysapi::DriveType::NoRootDir);
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        const bool fixedByApi = GetDriveTypeW(root) == DRIVE_FIXED;
        WIN_CHECK_EQUAL(fixedByApi, sysapi::queryDriveType(letter) == sysapi::DriveType::Fixed);
    }
    WIN_CHECK_EQUAL(std::wstring(L"D:\\"), sysapi::driveRoot(L'D'));
    WIN_CHECK(sysapi::launcherFor(L"C:\\Games\\Korvane\\korvane.exe").empty());
}

// A program holds its executable open without write sharing; a file merely present or
// opened with sharing is no running game.
void checkRunningProgram()
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring game = std::wstring(folder) + L"krvnm-running-test.exe";
    HANDLE created =
        CreateFileW(game.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    WIN_CHECK(created != INVALID_HANDLE_VALUE);
    CloseHandle(created);
    WIN_CHECK(!sysapi::isProgramRunning(game));

    HANDLE held = CreateFileW(game.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    WIN_CHECK(sysapi::isProgramRunning(game));
    CloseHandle(held);
    HANDLE shared = CreateFileW(game.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    WIN_CHECK(!sysapi::isProgramRunning(game));
    CloseHandle(shared);

    DeleteFileW(game.c_str());
    WIN_CHECK(!sysapi::isProgramRunning(game));
}

} // namespace

int main(int argc, char** argv)
{
    checkVersion(argc > 1 ? argv[1] : nullptr);
    checkFolders();
    checkDrives();
    checkRunningProgram();
    WIN_CHECK(sysapi::systemOfflineFlag() ==
              std::optional<bool>(false)); // every Windows keeps the mark; this one is online
    return wincheck::finish();
}
