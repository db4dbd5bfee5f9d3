#pragma once

// A minimal check harness for the Windows stage, where neither Qt nor a test framework
// is available: each failed check prints what was expected and what came.

#include <windows.h>

#include <cstdio>
#include <string>
#include <type_traits>

namespace wincheck {

inline int Passed = 0;
inline int Failed = 0;

template <typename Char> std::string narrow(const std::basic_string<Char>& text)
{
    std::string out;
    for (Char c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

inline std::string toText(const std::string& s)
{
    return '"' + s + '"';
}
// Wide text with every unit outside printable ASCII as \uXXXX.
template <typename Char>
requires(sizeof(Char) == 2) std::string toText(const std::basic_string<Char>& text)
{
    std::string out = "\"";
    for (Char c : text) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(c));
        out += c >= 0x20 && c < 0x7F ? std::string(1, char(c)) : escape;
    }
    return out + '"';
}
inline std::string toText(bool b)
{
    return b ? "true" : "false";
}
template <typename Number>
requires std::is_arithmetic_v<Number> std::string toText(Number n)
{
    return std::to_string(n);
}

inline void check(bool ok, const char* what, const std::string& expected, const std::string& actual, int line)
{
    if (ok) {
        ++Passed;
        return;
    }
    ++Failed;
    std::printf("FAIL line %d: %s\n   expected: %s\n   actual:   %s\n", line, what, expected.c_str(), actual.c_str());
}

template <typename Value> void checkSame(const std::string& what, const Value& expected, const Value& actual, int line)
{
    check(expected == actual, what.c_str(), toText(expected), toText(actual), line);
}

// A new folder for this run's files, ending in a backslash.
inline std::wstring tempFolder(const std::wstring& prefix)
{
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    const std::wstring folder = base + prefix + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// The closing line CTest's log and the CI read.
inline int finish()
{
    std::printf("%d passed, %d failed\n", Passed, Failed);
    return Failed == 0 ? 0 : 1;
}

} // namespace wincheck

#define WIN_CHECK(condition) wincheck::check((condition), #condition, "true", "false", __LINE__)
#define WIN_CHECK_EQUAL(expected, actual)                                                                              \
    wincheck::check((expected) == (actual), #actual, wincheck::toText(expected), wincheck::toText(actual), __LINE__)
