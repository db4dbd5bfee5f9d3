#include "sysinfo/SystemApi.h"
#include "sysinfo/WinVersion.h"

#include <windows.h>
#include <wininet.h>

namespace sysapi {

namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);

std::wstring folderFrom(UINT (*query)(LPWSTR, UINT))
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length); // too small: the answer is the size needed
    }
}

UINT windowsDirectory(LPWSTR buffer, UINT size)
{
    return GetWindowsDirectoryW(buffer, size);
}

UINT systemDirectory(LPWSTR buffer, UINT size)
{
    return GetSystemDirectoryW(buffer, size);
}

} // namespace

OsVersion queryOsVersion()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    OsVersion result;
    // RtlGetVersion tells the truth; GetVersionEx is capped at 6.2 without a manifest.
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    bool ok = rtlGetVersion && rtlGetVersion(&info) == 0;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!ok)
        ok = GetVersionExW(&info) != 0;
#pragma GCC diagnostic pop
    if (!ok)
        return result;
    result.queried = true;
    result.platformId = info.dwPlatformId;
    result.major = info.dwMajorVersion;
    result.minor = info.dwMinorVersion;
    result.build = info.dwBuildNumber;
    return result;
}

std::string osDisplayName()
{
    return getWindowsVersionName(queryOsVersion());
}

bool isWow64()
{
    auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "IsWow64Process")));
    if (!isWow64Process)
        return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64))
        return false;
    return wow64 != FALSE;
}

bool isWindows64()
{
#if defined(_WIN64)
    return true; // a 64-bit process only runs on 64-bit Windows
#else
    return isWow64();
#endif
}

std::wstring windowsFolder()
{
    return folderFrom(windowsDirectory);
}

std::wstring systemFolder()
{
    return folderFrom(systemDirectory);
}

std::wstring workFolder()
{
    const std::wstring windows = windowsFolder();
    if (windows.empty())
        return {};
    return windows + L"\\temp\\krvnm\\";
}

DriveType queryDriveType(wchar_t letter)
{
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    switch (GetDriveTypeW(root)) {
    case DRIVE_NO_ROOT_DIR:
        return DriveType::NoRootDir;
    case DRIVE_REMOVABLE:
        return DriveType::Removable;
    case DRIVE_FIXED:
        return DriveType::Fixed;
    case DRIVE_REMOTE:
        return DriveType::Remote;
    case DRIVE_CDROM:
        return DriveType::CdRom;
    case DRIVE_RAMDISK:
        return DriveType::RamDisk;
    default:
        return DriveType::Unknown;
    }
}

std::wstring driveRoot(wchar_t letter)
{
    return std::wstring{letter, L':', L'\\'};
}

std::optional<bool> systemOfflineFlag()
{
    // Only the flags count: the call's own answer says nothing about the offline mark.
    DWORD flags = 0;
    InternetGetConnectedState(&flags, 0);
    return (flags & INTERNET_CONNECTION_OFFLINE) != 0;
}

bool isProgramRunning(const std::wstring& executable)
{
    // A running program's image is open without write sharing. Sharing everything
    // ourselves, only such a holder refuses us; opening changes nothing in the file.
    HANDLE file = CreateFileW(executable.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
}

std::wstring launcherFor(const std::wstring&)
{
    return {};
}

} // namespace sysapi
