#include "sysinfo/SystemPlatform.h"

#include "app/Failure.h"
#include "sysinfo/LocaleApi.h"
#include "sysinfo/MemoryQuery.h"
#include "sysinfo/SystemApi.h"
#include "sysinfo/WinVersion.h"

#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QNetworkInformation>
#include <QProcess>
#include <QStorageInfo>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

QString SystemPlatform::workFolder()
{
    return QDir::toNativeSeparators(QString::fromStdWString(sysapi::workFolder()));
}

QString SystemPlatform::systemFolder()
{
    return QDir::toNativeSeparators(QString::fromStdWString(sysapi::systemFolder()));
}

QString SystemPlatform::applicationFilePath()
{
    return QCoreApplication::applicationFilePath();
}

sysapi::DriveType SystemPlatform::driveType(QChar letter)
{
    return sysapi::queryDriveType(static_cast<wchar_t>(letter.unicode()));
}

QString SystemPlatform::driveRoot(QChar letter)
{
    return QDir::toNativeSeparators(QString::fromStdWString(sysapi::driveRoot(static_cast<wchar_t>(letter.unicode()))));
}

sysapi::OsVersion SystemPlatform::osVersion()
{
    return sysapi::queryOsVersion();
}

QString SystemPlatform::osDisplayName()
{
    return QString::fromStdString(sysapi::osDisplayName());
}

bool SystemPlatform::isWindows64()
{
    return sysapi::isWindows64();
}

bool SystemPlatform::isFullWin32()
{
    return ::isFullWin32(sysapi::queryOsVersion());
}

bool SystemPlatform::queryMemoryStatus(sysapi::MemoryStatusRecord& record)
{
    return sysapi::queryMemoryStatus(record);
}

QString SystemPlatform::localeInfo(quint32 localeId, quint32 infoType)
{
    return QString::fromStdWString(sysapi::localeInfo(localeId, infoType));
}

bool SystemPlatform::isValidLocale(quint32 localeId)
{
    return sysapi::isLocaleSupported(localeId);
}

QString SystemPlatform::languageName(quint32 localeId)
{
    return QString::fromStdWString(sysapi::languageName(localeId));
}

QDate SystemPlatform::today()
{
    return QDate::currentDate();
}

bool SystemPlatform::isProgramRunning(const QString& executable)
{
    return sysapi::isProgramRunning(QDir::toNativeSeparators(executable).toStdWString());
}

qint64 SystemPlatform::freeSpace(const QString& folder)
{
    QFileInfo existing(QDir::cleanPath(QDir::fromNativeSeparators(folder)));
    while (!existing.exists() && !existing.isRoot() && existing.filePath() != existing.path())
        existing.setFile(existing.path());
    const QStorageInfo volume(existing.filePath());
    return volume.isValid() ? volume.bytesAvailable() : -1;
}

qint64 SystemPlatform::elapsedMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

bool SystemPlatform::isOffline()
{
    if (const std::optional<bool> offline = sysapi::systemOfflineFlag())
        return *offline;
    // Only a system that says it is offline is: without a backend that could say so, the
    // state is unknown, and an unknown state must not keep the user from trying.
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend())
        return false;
    return QNetworkInformation::instance()->reachability() == QNetworkInformation::Reachability::Disconnected;
}

void SystemPlatform::openDocument(const QString& target)
{
    const QUrl url = target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("mailto:"))
                         ? QUrl(target)
                         : QUrl::fromLocalFile(target);
    QDesktopServices::openUrl(url);
}

bool SystemPlatform::startDetached(const QString& program, const QStringList& arguments, const QString& workingFolder)
{
    const QString launcher = QString::fromStdWString(sysapi::launcherFor(program.toStdWString()));
    if (launcher.isEmpty())
        return QProcess::startDetached(program, arguments, workingFolder);
    return QProcess::startDetached(launcher, QStringList{program} + arguments, workingFolder);
}

void SystemPlatform::endProcess()
{
    // At once: a quit request alone would let a start-up still in progress go on to show
    // the window, and the calling procedure run its remaining steps. Settings writes are
    // already on disk (each write is synced), so only the standard streams need flushing.
    std::fflush(nullptr);
    std::_Exit(0);
}

void SystemPlatform::editTextFile(const QString& path)
{
    const QString notepad = QStringLiteral("notepad.exe");
    if (sysapi::launcherFor(notepad.toStdWString()).empty()) { // Windows: Notepad itself
        QProcess::startDetached(notepad, {path});
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
