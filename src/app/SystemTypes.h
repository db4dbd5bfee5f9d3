#pragma once

// The operating system's version record and drive kinds, as the Platform seam and the
// Win32 layer both speak them. Standard library only.

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

} // namespace sysapi
