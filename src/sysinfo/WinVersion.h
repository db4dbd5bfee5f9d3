#pragma once

// modWinVersion: naming the running Windows and the Win32s test, as pure decisions
// over the version record so every row can be checked on any system.

#include "sysinfo/SystemApi.h"

#include <string>

std::string GetWindowsVersionName(const sysapi::OsVersion& version);
bool IsFullWin32(const sysapi::OsVersion& version);
