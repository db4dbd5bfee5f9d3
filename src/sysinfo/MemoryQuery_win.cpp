#include "sysinfo/MemoryQuery.h"

#include <windows.h>

namespace sysapi {

bool queryMemoryStatus(MemoryStatusRecord& record)
{
    MEMORYSTATUSEX status{};
    status.dwLength = record.length; // a record of another length is refused, as by the system
    if (!GlobalMemoryStatusEx(&status))
        return false;
    record.memoryLoad = status.dwMemoryLoad;
    record.totalPhys = status.ullTotalPhys;
    record.availPhys = status.ullAvailPhys;
    record.totalPageFile = status.ullTotalPageFile;
    record.availPageFile = status.ullAvailPageFile;
    record.totalVirtual = status.ullTotalVirtual;
    record.availVirtual = status.ullAvailVirtual;
    record.availExtendedVirtual = status.ullAvailExtendedVirtual;
    return true;
}

} // namespace sysapi
