#include "sysinfo/MemoryQuery.h"

#include <sys/resource.h>
#include <sys/sysinfo.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace sysapi {

namespace {

constexpr std::uint64_t KiB = 1024;

// "Name: value kB" lines of a /proc file, in bytes.
std::map<std::string, std::uint64_t> procFigures(const char* file)
{
    std::map<std::string, std::uint64_t> figures;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name;
        std::uint64_t value = 0;
        std::string unit;
        if (!(fields >> name >> value) || name.empty() || name.back() != ':')
            continue;
        fields >> unit;
        name.pop_back();
        figures[name] = unit == "kB" ? value * KiB : value;
    }
    return figures;
}

bool fillFromProc(MemoryStatusRecord& record)
{
    const auto figures = procFigures("/proc/meminfo");
    const auto figure = [&](const char* name) -> std::uint64_t {
        const auto found = figures.find(name);
        return found == figures.end() ? 0 : found->second;
    };
    if (!figures.contains("MemTotal"))
        return false;
    record.totalPhys = figure("MemTotal");
    // Kernels before 3.14 do not estimate the available memory; free memory plus the
    // caches it could drop is the nearest figure they give.
    record.availPhys = figures.contains("MemAvailable") ? figure("MemAvailable")
                                                        : figure("MemFree") + figure("Buffers") + figure("Cached");
    record.totalPageFile = figure("SwapTotal");
    record.availPageFile = figure("SwapFree");
    return true;
}

bool fillFromSysinfo(MemoryStatusRecord& record)
{
    struct sysinfo info
    {};
    if (sysinfo(&info) != 0)
        return false;
    const std::uint64_t unit = info.mem_unit ? info.mem_unit : 1;
    record.totalPhys = info.totalram * unit;
    record.availPhys = (info.freeram + info.bufferram) * unit;
    record.totalPageFile = info.totalswap * unit;
    record.availPageFile = info.freeswap * unit;
    return true;
}

// The part of the address space a process may use: the user half of a 47-bit space on
// 64-bit systems, 3 GB on 32-bit ones, or less when the process is limited.
std::uint64_t addressSpace()
{
    std::uint64_t size = sizeof(void*) == 8 ? std::uint64_t{1} << 47 : std::uint64_t{3} << 30;
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < size)
        size = limit.rlim_cur;
    return size;
}

} // namespace

bool queryMemoryStatus(MemoryStatusRecord& record)
{
    if (record.length != MemoryStatusRecord::Size)
        return false;
    if (!fillFromProc(record) && !fillFromSysinfo(record))
        return false;
    if (record.availPhys > record.totalPhys)
        record.availPhys = record.totalPhys;
    if (record.availPageFile > record.totalPageFile)
        record.availPageFile = record.totalPageFile;
    record.memoryLoad = record.totalPhys
                            ? static_cast<std::uint32_t>((record.totalPhys - record.availPhys) * 100 / record.totalPhys)
                            : 0;

    record.totalVirtual = addressSpace();
    const auto self = procFigures("/proc/self/status");
    const auto used = self.find("VmSize");
    const std::uint64_t inUse = used == self.end() ? 0 : used->second;
    record.availVirtual = inUse < record.totalVirtual ? record.totalVirtual - inUse : 0;
    record.availExtendedVirtual = 0;
    return true;
}

} // namespace sysapi
