// The memory-status query against the Windows API itself (run under Wine by the Windows stage).

#include "WinCheck.h"
#include "sysinfo/MemoryQuery.h"

#include <windows.h>

#include <cstddef>

static_assert(sizeof(MEMORYSTATUSEX) == sysapi::MemoryStatusRecord::Size);
static_assert(offsetof(MEMORYSTATUSEX, ullTotalPhys) == offsetof(sysapi::MemoryStatusRecord, totalPhys));
static_assert(offsetof(MEMORYSTATUSEX, ullAvailExtendedVirtual) ==
              offsetof(sysapi::MemoryStatusRecord, availExtendedVirtual));

int main()
{
    sysapi::MemoryStatusRecord record;
    WIN_CHECK(sysapi::queryMemoryStatus(record));
    WIN_CHECK(record.totalPhys > 0);

    // The totals do not move between two queries; the system's own answer has the same.
    MEMORYSTATUSEX direct{};
    direct.dwLength = sizeof direct;
    WIN_CHECK(GlobalMemoryStatusEx(&direct) != 0);
    WIN_CHECK(direct.ullTotalPhys == record.totalPhys);
    WIN_CHECK(direct.ullTotalPageFile == record.totalPageFile);
    WIN_CHECK(direct.ullTotalVirtual == record.totalVirtual);
    return wincheck::finish();
}
