#pragma once

// The system's memory-status query, laid out as Windows answers it. Standard library
// only, so the Windows side can be built and tested without Qt.

#include "app/SystemTypes.h"

namespace sysapi {

// Fills the record from the system (GlobalMemoryStatusEx on Windows; the kernel's own
// figures elsewhere, swap standing in for the page file); false when the system does not
// answer. The record's length must be Size.
bool queryMemoryStatus(MemoryStatusRecord& record);

} // namespace sysapi
