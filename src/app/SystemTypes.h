#pragma once

// The operating system's version record and drive kinds, as the Platform seam and the
// Win32 layer both speak them, and the memory-status record. Standard library only.

#include <cstdint>

namespace sysapi {

struct OsVersion
{
    bool queried = false; // the version query succeeded
    unsigned long platformId = 0;
    unsigned long major = 0;
    unsigned long minor = 0;
    unsigned long build = 0;
};

enum class DriveType
{
    Unknown,
    NoRootDir,
    Removable,
    Fixed,
    Remote,
    CdRom,
    RamDisk
};

// The MEMORYSTATUSEX record: byte counts of physical memory, the page file and the
// process's virtual address space.
struct MemoryStatusRecord
{
    static constexpr std::uint32_t Size = 64;

    std::uint32_t length = Size;
    std::uint32_t memoryLoad = 0; // percent of physical memory in use
    std::uint64_t totalPhys = 0;
    std::uint64_t availPhys = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availPageFile = 0;
    std::uint64_t totalVirtual = 0;
    std::uint64_t availVirtual = 0;
    std::uint64_t availExtendedVirtual = 0;
};
static_assert(sizeof(MemoryStatusRecord) == MemoryStatusRecord::Size);

} // namespace sysapi
