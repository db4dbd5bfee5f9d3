// Our PE version reader against the Windows API on the same files: the PE files the
// fixture writer makes (both word sizes, several languages and code pages, none, damaged)
// and a sample of the PE files the system itself ships. Both must give the same text.

#include "PeFixtureWriter.h"
#include "WinCheck.h"
#include "detect/FileVersionText.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// The identification's own steps, through the system's version functions.
std::wstring SystemFileVersion(const std::wstring& path)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size < 1)
        return {};
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return {};
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4)
        return {};
    const auto* translation = static_cast<const WORD*>(value);
    wchar_t name[9] = {};
    std::swprintf(name, 9, L"%04X%04X", static_cast<unsigned>(translation[0]), static_cast<unsigned>(translation[1]));
    const std::wstring query = std::wstring(L"\\StringFileInfo\\") + name + L"\\FileVersion";
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length))
        return {};
    const auto* text = static_cast<const wchar_t*>(value);
    const auto* end = reinterpret_cast<const wchar_t*>(block.data() + block.size());
    return std::wstring(text, std::find(text, end, L'\0'));
}

std::wstring OurFileVersion(const std::wstring& path)
{
    const std::u16string text = GetFileVersionText(std::filesystem::path(path));
    return std::wstring(text.begin(), text.end());
}

struct Fixture
{
    std::wstring name;
    pefixture::Bytes bytes;
    std::wstring expected;
};

pefixture::Bytes Pe(bool pe32Plus, const pefixture::VersionLayout& version, std::uint16_t language = 0x0409)
{
    pefixture::PeLayout wanted;
    wanted.pe32Plus = pe32Plus;
    wanted.resourceLanguage = language;
    wanted.versionResource = pefixture::BuildVersionInfo(version);
    return pefixture::BuildPe(wanted).bytes;
}

std::vector<Fixture> Fixtures()
{
    std::vector<Fixture> fixtures;
    struct Language
    {
        std::uint16_t id;
        std::uint16_t codePage;
        const char16_t* version;
    };
    const Language languages[] = {{0x0409, 1200, u"1.4.0"},         {0x0407, 1252, u"1.4.0-beta5"},
                                  {0x040C, 1252, u"r26400"},        {0x0411, 932, u"1.10.0"},
                                  {0x0804, 936, u"0.7.5"},          {0x0419, 1251, u"1.2.0-RC1"},
                                  {0x0000, 0x04B0, u"1.1.5 build"}, {0x0413, 1252, u"14.0.0.1"}};
    int n = 0;
    for (bool pe32Plus : {false, true}) {
        for (const Language& language : languages) {
            const auto version = pefixture::StandardVersion(language.version, language.id, language.codePage);
            const std::wstring expected(language.version,
                                        language.version + std::char_traits<char16_t>::length(language.version));
            fixtures.push_back(
                {L"lang" + std::to_wstring(n++) + L".exe", Pe(pe32Plus, version, language.id), expected});
        }
    }

    pefixture::VersionLayout german;
    german.translations = {0x040704E4, 0x040904B0};
    german.tables = {{u"040904B0", {{u"FileVersion", u"english"}}}, {u"040704E4", {{u"FileVersion", u"german"}}}};
    fixtures.push_back({L"german-first.exe", Pe(false, german), L"german"});

    pefixture::VersionLayout lower;
    lower.translations = {0x040704E4};
    lower.tables = {{u"040704e4", {{u"fileversion", u"1.3.0"}}}};
    fixtures.push_back({L"lower-case-keys.exe", Pe(true, lower), L"1.3.0"});

    pefixture::VersionLayout missingTable;
    missingTable.translations = {0x040704E4};
    missingTable.tables = {{u"040904B0", {{u"FileVersion", u"1.4.0"}}}};
    fixtures.push_back({L"missing-table.exe", Pe(false, missingTable), L""});

    pefixture::VersionLayout noTranslation;
    noTranslation.tables = {{u"040904B0", {{u"FileVersion", u"1.4.0"}}}};
    fixtures.push_back({L"no-translation.exe", Pe(true, noTranslation), L""});

    pefixture::PeLayout noResources;
    noResources.withResources = false;
    fixtures.push_back({L"no-resources.exe", pefixture::BuildPe(noResources).bytes, L""});
    pefixture::PeLayout iconOnly;
    fixtures.push_back({L"no-version.exe", pefixture::BuildPe(iconOnly).bytes, L""});

    pefixture::PeLayout overlay;
    overlay.versionResource = pefixture::BuildVersionInfo(pefixture::StandardVersion(u"1.4.0"));
    overlay.overlayBytes = 4 * 1024 * 1024;
    fixtures.push_back({L"overlay.exe", pefixture::BuildPe(overlay).bytes, L"1.4.0"});

    // Damage that leaves nothing to read, for both readers.
    const pefixture::PeFile good = pefixture::BuildPe(overlay);
    const auto damaged = [&](const wchar_t* name, auto change) {
        pefixture::PeFile file = good;
        file.bytes.resize(file.bytes.size() - overlay.overlayBytes);
        change(file.bytes, file.offsets);
        fixtures.push_back({name, file.bytes, L""});
    };
    using L = pefixture::PeOffsets;
    damaged(L"no-mz.exe", [](pefixture::Bytes& b, const L&) { b[0] = 'X'; });
    damaged(L"no-pe-signature.exe", [](pefixture::Bytes& b, const L& l) { b[l.peHeader] = 'X'; });
    damaged(L"truncated-headers.exe", [](pefixture::Bytes& b, const L& l) { b.resize(l.sectionTable + 10); });
    damaged(L"truncated-resource.exe", [](pefixture::Bytes& b, const L& l) { b.resize(l.versionData + 40); });
    damaged(L"section-ends-in-version.exe", [](pefixture::Bytes& b, const L& l) {
        pefixture::Put32(b, l.sectionTable + 16, static_cast<std::uint32_t>(l.versionData - l.resourceSection + 16));
    });
    damaged(L"empty.exe", [](pefixture::Bytes& b, const L&) { b.clear(); });
    return fixtures;
}

std::wstring TempFolder()
{
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    const std::wstring folder = std::wstring(base) + L"krvnm-pe-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// A spread of the system folder's programs and libraries, in name order.
std::vector<std::wstring> SystemSample(std::size_t wanted)
{
    wchar_t system[MAX_PATH + 1] = {};
    GetSystemDirectoryW(system, MAX_PATH + 1);
    std::vector<std::wstring> files;
    for (const wchar_t* pattern : {L"\\*.exe", L"\\*.dll"}) {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((std::wstring(system) + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(std::wstring(system) + L"\\" + found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(files.begin(), files.end());
    std::vector<std::wstring> sample;
    const std::size_t step = std::max<std::size_t>(1, files.size() / wanted);
    for (std::size_t i = 0; i < files.size() && sample.size() < wanted; i += step)
        sample.push_back(files[i]);
    return sample;
}

} // namespace

int main()
{
    const std::wstring folder = TempFolder();
    for (const Fixture& fixture : Fixtures()) {
        const std::wstring path = folder + fixture.name;
        WIN_CHECK(pefixture::WriteFile(std::filesystem::path(path), fixture.bytes));
        const std::wstring ours = OurFileVersion(path);
        const std::wstring system = SystemFileVersion(path);
        wincheck::Check(ours == system, wincheck::Narrow(fixture.name + L": ours = system's").c_str(),
                        wincheck::ToText(system), wincheck::ToText(ours), __LINE__);
        wincheck::Check(ours == fixture.expected, wincheck::Narrow(fixture.name + L": as written").c_str(),
                        wincheck::ToText(fixture.expected), wincheck::ToText(ours), __LINE__);
        DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());

    int withVersion = 0;
    const std::vector<std::wstring> sample = SystemSample(48);
    for (const std::wstring& path : sample) {
        const std::wstring ours = OurFileVersion(path);
        const std::wstring system = SystemFileVersion(path);
        wincheck::Check(ours == system, wincheck::Narrow(path + L": ours = system's").c_str(), wincheck::ToText(system),
                        wincheck::ToText(ours), __LINE__);
        withVersion += system.empty() ? 0 : 1;
    }
    std::printf("%zu system files compared, %d with a FileVersion\n", sample.size(), withVersion);
    WIN_CHECK(sample.size() >= 24);
    WIN_CHECK(withVersion >= 8); // a sample without versions would prove nothing
    return wincheck::Finish();
}
