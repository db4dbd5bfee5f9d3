// Our PE version reader against the Windows API on the same files: the shared corpus of
// PE files (both word sizes, several languages and code pages, none, damaged) and a
// sample of the PE files the system itself ships. Both must give the same text.

#include "PeCorpus.h"
#include "WinCheck.h"
#include "detect/FileVersionText.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// The identification's own steps, through the system's version functions.
std::u16string systemFileVersion(const std::wstring& path)
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
    return std::u16string(text, std::find(text, end, L'\0'));
}

// A spread of the system folder's programs and libraries, in name order.
std::vector<std::wstring> systemSample(std::size_t wanted)
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
    const std::wstring folder = wincheck::tempFolder(L"krvnm-pe-");
    int number = 0;
    for (const pecorpus::Case& c : pecorpus::cases()) {
        const std::wstring path = folder + L"case" + std::to_wstring(number++) + L".exe";
        WIN_CHECK(pefixture::WriteFile(std::filesystem::path(path), c.bytes));
        const std::u16string system = systemFileVersion(path);
        wincheck::checkSame(c.name + ": ours = system's", system, getFileVersionText(path), __LINE__);
        wincheck::checkSame(c.name + ": as recorded", c.expected, system, __LINE__);
        DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());

    int withVersion = 0;
    const std::vector<std::wstring> sample = systemSample(48);
    for (const std::wstring& path : sample) {
        const std::u16string system = systemFileVersion(path);
        wincheck::checkSame(wincheck::narrow(path + L": ours = system's"), system, getFileVersionText(path), __LINE__);
        withVersion += system.empty() ? 0 : 1;
    }
    std::printf("%zu system files compared, %d with a FileVersion\n", sample.size(), withVersion);
    WIN_CHECK(sample.size() >= 24);
    WIN_CHECK(withVersion >= 8); // a sample without versions would prove nothing
    return wincheck::finish();
}
