#pragma once

#include <QString>

// `readIniValue`: the value Windows' INI reader gives for key in section of the file (at
// most 254 characters), or the default when the file, the section or the key is missing.
QString readIniValue(const QString& section, const QString& key, const QString& defaultValue, const QString& path);
