#include "sysinfo/WinVersion.h"

namespace {

constexpr unsigned long PlatformWin32s = 0;
constexpr unsigned long PlatformWindows9x = 1;
constexpr unsigned long PlatformNT = 2;
constexpr unsigned long FirstWindows11Build = 22000;

std::string nameOnNT(const sysapi::OsVersion& v)
{
    switch (v.major) {
    case 3:
        return "Windows NT 3.5";
    case 4:
        return "Windows NT 4.0";
    case 5:
        switch (v.minor) {
        case 0:
            return "Windows 2000";
        case 1:
            return "Windows XP";
        case 2:
            return "Windows Server 2003";
        }
        break;
    case 6:
        switch (v.minor) {
        case 0:
            return "Windows Vista";
        case 1:
            return "Windows 7";
        case 2:
            return "Windows 8";
        case 3:
            return "Windows 8.1";
        }
        break;
    case 10:
        if (v.minor == 0)
            return v.build >= FirstWindows11Build ? "Windows 11" : "Windows 10";
        break;
    }
    return "Windows NT";
}

} // namespace

std::string getWindowsVersionName(const sysapi::OsVersion& v)
{
    if (!v.queried)
        return "Unable to identify your version of Windows.";
    switch (v.platformId) {
    case PlatformWin32s:
        return "Win32s on Windows 3.1";
    case PlatformWindows9x:
        if (v.minor == 0)
            return "Windows 95";
        if (v.minor == 90)
            return "Windows Me";
        return "Windows 98";
    case PlatformNT:
        return nameOnNT(v);
    }
    return {};
}

bool isFullWin32(const sysapi::OsVersion& v)
{
    return !(v.queried && v.platformId == PlatformWin32s);
}
