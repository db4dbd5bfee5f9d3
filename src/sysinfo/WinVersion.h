#pragma once

// modWinVersion: naming the running Windows and the Win32s test, as pure decisions
// over the version record so every row can be checked on any system.

#include "sysinfo/SystemApi.h"

#include <string>

std::string getWindowsVersionName(const sysapi::OsVersion& version);
bool isFullWin32(const sysapi::OsVersion& version);
