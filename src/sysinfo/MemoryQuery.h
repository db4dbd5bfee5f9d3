#pragma once

// The system's memory-status query, laid out as Windows answers it. Standard library
// only, so the Windows side can be built and tested without Qt.

#include <cstdint>

namespace sysapi {

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

// Fills the record from the system (GlobalMemoryStatusEx on Windows; the kernel's own
// figures elsewhere, swap standing in for the page file); false when the system does not
// answer. The record's length must be Size.
bool QueryMemoryStatus(MemoryStatusRecord& record);

} // namespace sysapi
