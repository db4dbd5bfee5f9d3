#include "updates/ReadIniValue.h"

#include "updates/IniReader.h"

QString readIniValue(const QString& section, const QString& key, const QString& defaultValue, const QString& path)
{
    return QString::fromStdU16String(readIniFileValue(std::filesystem::path(path.toStdU16String()),
                                                      section.toStdU16String(), key.toStdU16String(),
                                                      defaultValue.toStdU16String()));
}
