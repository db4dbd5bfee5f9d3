// The Win32 layer against the real Windows API (run under Wine by the Windows stage).
// Usage: SystemApiWinTest ["expected Windows name"]

#include "WinCheck.h"
#include "sysinfo/SystemApi.h"
#include "sysinfo/WinVersion.h"

#include <windows.h>

#include <cwctype>

namespace {

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring Environment(const wchar_t* name)
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

void CheckVersion(const char* expectedName)
{
    const sysapi::OsVersion version = sysapi::QueryOsVersion();
    WIN_CHECK(version.queried);
    WIN_CHECK_EQUAL(2ul, version.platformId);
    WIN_CHECK(version.major >= 5);
    WIN_CHECK(IsFullWin32(version));
    if (expectedName)
        WIN_CHECK_EQUAL(std::string(expectedName), sysapi::OsDisplayName());
    WIN_CHECK(sysapi::IsWindows64()); // this stage builds 64-bit programs
    WIN_CHECK(!sysapi::IsWow64());    // ... which never run under WOW64
}

void CheckFolders()
{
    const std::wstring windows = sysapi::WindowsFolder();
    WIN_CHECK(!windows.empty());
    WIN_CHECK(windows.back() != L'\\');
    WIN_CHECK_EQUAL(Lower(Environment(L"WINDIR")), Lower(windows));
    WIN_CHECK_EQUAL(Lower(windows + L"\\system32"), Lower(sysapi::SystemFolder()));
    WIN_CHECK_EQUAL(windows + L"\\temp\\krvnm\\", sysapi::WorkFolder());
}

void CheckDrives()
{
    WIN_CHECK(sysapi::QueryDriveType(L'C') == sysapi::DriveType::Fixed);
    // A letter Wine's fresh prefix does not map.
    WIN_CHECK(sysapi::QueryDriveType(L'Q') == sysapi::DriveType::NoRootDir);
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        const bool fixedByApi = GetDriveTypeW(root) == DRIVE_FIXED;
        WIN_CHECK_EQUAL(fixedByApi, sysapi::QueryDriveType(letter) == sysapi::DriveType::Fixed);
    }
    WIN_CHECK_EQUAL(std::wstring(L"D:\\"), sysapi::DriveRoot(L'D'));
    WIN_CHECK(sysapi::LauncherFor(L"C:\\Games\\Korvane\\korvane.exe").empty());
}

} // namespace

int main(int argc, char** argv)
{
    CheckVersion(argc > 1 ? argv[1] : nullptr);
    CheckFolders();
    CheckDrives();
    WIN_CHECK(sysapi::SystemOfflineFlag() ==
              std::optional<bool>(false)); // every Windows keeps the mark; this one is online
    return wincheck::Finish();
}
