#pragma once

// The resident high-water mark of this process, and a way to start it again, so a
// benchmark can report the peak of its measured part alone and not of its setup.
// Linux only: /proc/self/status and /proc/self/clear_refs ("5" resets VmHWM to what is
// resident now, Linux 4.0 and later). getrusage's ru_maxrss is no substitute: the kernel
// also folds into it the high-water marks of threads that ended before a reset.

#include <fstream>
#include <string>

namespace PeakMemory {

// A field of /proc/self/status in KiB ("VmHWM", "VmRSS"); -1 when it cannot be read.
inline long statusKiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    const std::string prefix = field + ":";
    for (std::string line; std::getline(status, line);)
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::stol(line.substr(prefix.size()));
    return -1;
}

// Sets the high-water mark back to what is resident now; false when the kernel refuses.
inline bool reset()
{
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << '5';
    clearRefs.flush();
    return bool(clearRefs);
}

} // namespace PeakMemory
