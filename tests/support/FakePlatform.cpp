#include "FakePlatform.h"

#include "sysinfo/WinVersion.h"
#include "sysinfo/WindowsLocales.h"

sysapi::DriveType FakePlatform::driveType(QChar letter)
{
    return driveTypes.value(letter, sysapi::DriveType::NoRootDir);
}

QString FakePlatform::driveRoot(QChar letter)
{
    return driveRoots.value(letter, QString(letter) + QStringLiteral(":/"));
}

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

bool FakePlatform::isFullWin32()
{
    return ::isFullWin32(version);
}

void FakePlatform::nameLanguagesAsWindows()
{
    for (const sysapi::NamedLocale& locale : sysapi::namedLocales())
        languageNames.insert(static_cast<quint32>(locale.id),
                             QString::fromStdWString(std::wstring(locale.displayName)));
}
