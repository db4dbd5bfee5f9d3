#include "sysinfo/SystemApi.h"

#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace sysapi {

namespace {

std::string envOr(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

std::string homeFolder()
{
    return envOr("HOME", "/tmp");
}

std::wstring widen(const std::string& text)
{
    // Paths from the environment are UTF-8 on every system this file builds for.
    std::wstring out;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        ++i;
        for (; extra > 0 && i < text.size(); --extra, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        out.push_back(static_cast<wchar_t>(cp));
    }
    return out;
}

std::string winePrefix()
{
    return envOr("WINEPREFIX", homeFolder() + "/.wine");
}

std::string dosDevice(wchar_t letter)
{
    const char name[] = {static_cast<char>(std::tolower(static_cast<unsigned char>(letter))), ':', '\0'};
    return winePrefix() + "/dosdevices/" + name;
}

std::string unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

} // namespace

OsVersion queryOsVersion()
{
    return {}; // not Windows: there is no Windows version to report
}

std::string osDisplayName()
{
    for (const char* file : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line)) {
            constexpr std::string_view key = "PRETTY_NAME=";
            if (line.starts_with(key))
                return unquote(std::string_view(line).substr(key.size()));
        }
    }
    utsname names{};
    if (uname(&names) == 0)
        return std::string(names.sysname) + " " + names.release;
    return "Unknown system";
}

bool isWow64()
{
    return false;
}

bool isWindows64()
{
    utsname names{};
    if (uname(&names) != 0)
        return sizeof(void*) == 8;
    const std::string_view machine = names.machine;
    return machine == "x86_64" || machine == "aarch64" || machine == "arm64" || machine == "ppc64le" ||
           machine == "s390x" || machine == "riscv64";
}

std::wstring windowsFolder()
{
    return widen(winePrefix() + "/drive_c/windows");
}

std::wstring systemFolder()
{
    return widen(winePrefix() + "/drive_c/windows/system32");
}

std::wstring workFolder()
{
    return widen(envOr("XDG_CACHE_HOME", homeFolder() + "/.cache") + "/krvnm/");
}

DriveType queryDriveType(wchar_t letter)
{
    if (!std::iswalpha(static_cast<wint_t>(letter)))
        return DriveType::NoRootDir;
    // Wine's drive letters are links to folders; a letter pointing at a local folder
    // behaves like a fixed drive.
    struct stat info
    {};
    if (stat(dosDevice(letter).c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return DriveType::NoRootDir;
    return DriveType::Fixed;
}

std::wstring driveRoot(wchar_t letter)
{
    return widen(dosDevice(letter) + "/");
}

namespace {

std::string narrow(const std::wstring& text)
{
    std::string out;
    for (const wchar_t wide : text) {
        const auto c = static_cast<char32_t>(wide);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The file an argument names on this system: Wine writes "Z:\games\korvane.exe" for
// /games/korvane.exe, other letters stand for the folders of the prefix's dosdevices.
std::string systemPath(std::string argument, const std::string& workingFolder)
{
    for (char& c : argument)
        if (c == '\\')
            c = '/';
    if (argument.size() >= 2 && std::isalpha(static_cast<unsigned char>(argument[0])) && argument[1] == ':') {
        std::error_code error;
        std::string root = std::filesystem::canonical(dosDevice(static_cast<wchar_t>(argument[0])), error).string();
        if (error)
            root = std::tolower(static_cast<unsigned char>(argument[0])) == 'z' ? "/" : dosDevice(argument[0]);
        argument = root + (root.ends_with('/') ? "" : "/") + argument.substr(2);
    } else if (argument.empty() || argument.front() != '/') {
        argument = workingFolder + "/" + argument;
    }
    return std::filesystem::path(argument).lexically_normal().string();
}

bool isNumber(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

bool isProgramRunning(const std::wstring& executable)
{
    namespace fs = std::filesystem;
    const std::string target = lowerAscii(fs::path(narrow(executable)).lexically_normal().string());
    const std::string name = lowerAscii(fs::path(target).filename().string());
    const std::string self = std::to_string(getpid());
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
        const std::string pid = process.path().filename().string();
        if (!isNumber(pid) || pid == self)
            continue;
        std::ifstream in(process.path() / "cmdline", std::ios::binary);
        const std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (lowerAscii(line).find(name) == std::string::npos)
            continue;
        std::error_code ignored;
        const std::string workingFolder = fs::read_symlink(process.path() / "cwd", ignored).string();
        std::size_t start = 0;
        while (start < line.size()) {
            std::size_t end = line.find('\0', start);
            if (end == std::string::npos)
                end = line.size();
            if (lowerAscii(systemPath(line.substr(start, end - start), workingFolder)) == target)
                return true;
            start = end + 1;
        }
    }
    return false;
}

std::optional<bool> systemOfflineFlag()
{
    return std::nullopt;
}

std::wstring launcherFor(const std::wstring& program)
{
    constexpr std::wstring_view suffix = L".exe";
    if (program.size() < suffix.size())
        return {};
    for (size_t i = 0; i < suffix.size(); ++i)
        if (std::towlower(static_cast<wint_t>(program[program.size() - suffix.size() + i])) !=
            static_cast<wint_t>(suffix[i]))
            return {};
    return L"wine";
}

} // namespace sysapi
