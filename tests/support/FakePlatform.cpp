#include "FakePlatform.h"

#include "sysinfo/WindowsLocales.h"

bool FakePlatform::queryMemoryStatus(sysapi::MemoryStatusRecord& record)
{
    const std::uint32_t length = record.length;
    record = memory;
    record.length = length;
    return !memoryQueryFails && length == sysapi::MemoryStatusRecord::Size;
}

QString FakePlatform::localeInfo(quint32 localeId, quint32 infoType)
{
    if (localeId != 0x400)
        return {};
    return infoType == 0x1001 ? userLanguage : infoType == 0x1004 ? userAnsiCodePage : QString();
}

bool FakePlatform::startDetached(const QString& program, const QStringList& arguments, const QString& workingFolder)
{
    launches.append({program, arguments, workingFolder});
    return true;
}

void FakePlatform::nameLanguagesAsWindows()
{
    for (const sysapi::NamedLocale& locale : sysapi::namedLocales())
        languageNames.insert(static_cast<quint32>(locale.id),
                             QString::fromStdWString(std::wstring(locale.displayName)));
}
