// The program's version resource, compiled into this test program from the same
// resource script as the real executable, read back with the Windows API.

#include "WinCheck.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring stringValue(const std::vector<char>& block, const std::wstring& name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0)
        return {};
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

} // namespace

int main()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(self, &handle);
    WIN_CHECK(size > 0);
    std::vector<char> block(size);
    WIN_CHECK(GetFileVersionInfoW(self, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    WIN_CHECK(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    if (fixed) {
        WIN_CHECK_EQUAL(0x00010000ul, static_cast<unsigned long>(fixed->dwFileVersionMS));
        WIN_CHECK_EQUAL(0x00000004ul, static_cast<unsigned long>(fixed->dwFileVersionLS));
    }
    WIN_CHECK_EQUAL(std::wstring(L"1.0.0.4"), stringValue(block, L"FileVersion"));
    WIN_CHECK_EQUAL(std::wstring(L"Korvane Manager"), stringValue(block, L"ProductName"));
    WIN_CHECK(LoadImageW(GetModuleHandleW(nullptr), L"IDI_ICON1", IMAGE_ICON, 32, 32, 0) != nullptr);
    return wincheck::finish();
}
