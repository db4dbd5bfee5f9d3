#pragma once

// A minimal check harness for the Windows stage, where neither Qt nor a test framework
// is available: each failed check prints what was expected and what came.

#include <cstdio>
#include <string>
#include <type_traits>

namespace wincheck {

struct Tally
{
    int passed = 0;
    int failed = 0;
};

inline Tally& Counts()
{
    static Tally tally;
    return tally;
}

inline std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

inline void Check(bool ok, const char* what, const std::string& expected, const std::string& actual, int line)
{
    if (ok) {
        ++Counts().passed;
        return;
    }
    ++Counts().failed;
    std::printf("FAIL line %d: %s\n   expected: %s\n   actual:   %s\n", line, what, expected.c_str(), actual.c_str());
}

// The closing line CTest's log and the CI read.
inline int Finish()
{
    std::printf("%d passed, %d failed\n", Counts().passed, Counts().failed);
    return Counts().failed == 0 ? 0 : 1;
}

} // namespace wincheck

#define WIN_CHECK(condition) wincheck::Check((condition), #condition, "true", "false", __LINE__)
#define WIN_CHECK_EQUAL(expected, actual)                                                                              \
    wincheck::Check((expected) == (actual), #actual, wincheck::ToText(expected), wincheck::ToText(actual), __LINE__)

namespace wincheck {
inline std::string ToText(const std::string& s)
{
    return '"' + s + '"';
}
inline std::string ToText(const char* s)
{
    return ToText(std::string(s));
}
inline std::string ToText(const std::wstring& s)
{
    return ToText(Narrow(s));
}
inline std::string ToText(bool b)
{
    return b ? "true" : "false";
}
template <typename Number>
requires std::is_arithmetic_v<Number> std::string ToText(Number n)
{
    return std::to_string(n);
}
} // namespace wincheck
