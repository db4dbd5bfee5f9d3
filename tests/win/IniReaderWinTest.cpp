// Our INI reader against Windows' profile reader (GetPrivateProfileStringW, 255-character
// buffer) on the same files: the shared corpus of answers, every UTF-16 unit as a blank
// around a value and as a letter of another case, and a spread of UTF-8 sequences. Every
// answer must agree; the corpus answers must also be what the system says.

#include "IniCorpus.h"
#include "WinCheck.h"
#include "updates/IniReader.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

std::u16string systemValue(const std::wstring& path, const std::u16string& section, const std::u16string& key,
                           const std::u16string& defaultValue)
{
    const auto w = [](const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); };
    wchar_t buffer[IniBufferChars] = {};
    const DWORD length =
        GetPrivateProfileStringW(w(section), w(key), w(defaultValue), buffer, IniBufferChars, path.c_str());
    return std::u16string(buffer, buffer + length);
}

bool writeBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.close();
    return !file.fail();
}

// UTF-16 LE without a byte-order mark.
std::string Utf16Le(const std::u16string& text)
{
    std::string bytes;
    for (char16_t c : text) {
        bytes += char(c & 0xFF);
        bytes += char(c >> 8);
    }
    return bytes;
}

// A letter and a number in hexadecimal: "k0041".
std::u16string numbered(char16_t letter, unsigned number)
{
    char name[16];
    std::snprintf(name, sizeof name, "%c%05x", char(letter), number);
    return std::u16string(name, name + std::strlen(name));
}

// Many one-line probes: the system reads them from one file, in sections of 256 keys
// (its key search is linear), ours from each probe's own small text, padded so that no
// sequence meets the end of the text where it would not in the file.
struct Probe
{
    std::string line; // "key=value", in the file's encoding
    std::u16string key;
};

void compareProbes(const std::wstring& path, const std::string& mark, const std::vector<Probe>& probes,
                   const std::function<std::string(const std::u16string&)>& encode, const char* what)
{
    std::string file = mark;
    for (std::size_t i = 0; i < probes.size(); ++i) {
        if (i % 256 == 0)
            file += encode(std::u16string(u"[").append(numbered(u's', unsigned(i / 256))).append(u"]\n"));
        file += probes[i].line + encode(u"\n");
    }
    WIN_CHECK(writeBytes(path, file));
    int differences = 0;
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const std::u16string section = numbered(u's', unsigned(i / 256));
        const std::u16string system = systemValue(path, section, probes[i].key, u"?");
        const std::u16string ours = iniValueOf(
            mark + encode(u"[" + section + u"]\n") + probes[i].line + encode(u"\n;;;\n"), section, probes[i].key, u"?");
        if (ours != system && ++differences <= 10)
            wincheck::checkSame(std::string(what) + " probe " + std::to_string(i), system, ours, __LINE__);
    }
    std::printf("%s: %zu probes, %d differ\n", what, probes.size(), differences);
    WIN_CHECK_EQUAL(0, differences);
}

} // namespace

int main()
{
    const std::wstring folder = wincheck::tempFolder(L"krvnm-ini-");

    int number = 0;
    for (const inicorpus::Case& c : inicorpus::cases()) {
        const std::wstring path = folder + L"case" + std::to_wstring(number++) + L".ini";
        if (c.bytes != inicorpus::Missing)
            WIN_CHECK(writeBytes(path, c.bytes));
        const std::u16string system = systemValue(path, c.section, c.key, c.defaultValue);
        wincheck::checkSame(c.name + ": ours = system's", system,
                            readIniFileValue(path, c.section, c.key, c.defaultValue), __LINE__);
        wincheck::checkSame(c.name + ": as recorded", c.expected, system, __LINE__);
    }

    // Which units count as blanks around a value: every one but CR and LF (line ends).
    std::vector<Probe> blanks;
    for (unsigned unit = 1; unit <= 0xFFFF; ++unit) {
        if (unit == u'\r' || unit == u'\n')
            continue;
        const std::u16string key = numbered(u'k', unit);
        blanks.push_back({Utf16Le(key + u"=" + char16_t(unit) + u"x" + char16_t(unit)), key});
    }
    compareProbes(folder + L"blanks.ini", "\xFF\xFE", blanks, Utf16Le, "blanks");

    // Which letters of another case name the same key.
    std::vector<Probe> cases;
    for (unsigned unit = 0x41; unit <= 0xFFFF; ++unit) {
        if (unit >= 0xD800 && unit < 0xE000)
            continue;
        const auto lower = wchar_t(reinterpret_cast<ULONG_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(ULONG_PTR(unit)))));
        const auto upper = wchar_t(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(ULONG_PTR(unit)))));
        const wchar_t other = lower != wchar_t(unit) ? lower : upper;
        if (other == wchar_t(unit))
            continue;
        const std::u16string name = numbered(u'k', unit);
        cases.push_back({Utf16Le(name + char16_t(unit) + u"=1"), name + char16_t(other)});
    }
    compareProbes(folder + L"cases.ini", "\xFF\xFE", cases, Utf16Le, "letter cases");

    // UTF-8: every two-byte sequence, and three- and four-byte ones around the limits.
    std::vector<Probe> sequences;
    const auto addSequence = [&](const std::string& bytes) {
        if (bytes.find_first_of("\r\n") != std::string::npos)
            return;
        const std::u16string key = numbered(u'k', unsigned(sequences.size()));
        sequences.push_back({wincheck::narrow(key) + "=a" + bytes + "z", key});
    };
    for (unsigned first = 0x80; first <= 0xFF; ++first) {
        for (unsigned second = 0; second <= 0xFF; ++second)
            addSequence({char(first), char(second)});
    }
    for (unsigned lead = 0xE0; lead <= 0xF7; ++lead) {
        for (unsigned second : {0x41u, 0x7Fu, 0x80u, 0x8Fu, 0x90u, 0x9Fu, 0xA0u, 0xBFu, 0xC0u, 0xC2u}) {
            for (unsigned third : {0x41u, 0x80u, 0x9Fu, 0xA0u, 0xBFu, 0xC0u}) {
                addSequence({char(lead), char(second), char(third)});
                for (unsigned fourth : {0x41u, 0x80u, 0xBFu})
                    addSequence({char(lead), char(second), char(third), char(fourth)});
            }
        }
    }
    compareProbes(folder + L"utf8.ini", "\xEF\xBB\xBF", sequences, wincheck::narrow<char16_t>, "UTF-8 sequences");

    std::filesystem::remove_all(std::filesystem::path(folder));
    return wincheck::finish();
}
