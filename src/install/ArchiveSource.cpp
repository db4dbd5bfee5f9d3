#include "install/ArchiveSource.h"

#include "app/AppState.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString Prefix = QStringLiteral("korvane-");
const QString NightlyPrefix = QStringLiteral("korvane-trunk-");

} // namespace

QString ArchiveSource::archiveName(int platformIndex, const QString& version)
{
    const QString platform = platformIndex == 0   ? QStringLiteral("win9x")
                             : platformIndex == 1 ? QStringLiteral("win32")
                                                  : QStringLiteral("win64");
    return Prefix + version + QStringLiteral("-windows-") + platform + QStringLiteral(".zip");
}

QString ArchiveSource::pathSegment(const QString& text)
{
    if (text == QStringLiteral(".") || text == QStringLiteral(".."))
        return {};
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

bool ArchiveSource::inWorkFolder(const QString& workFolder, const QString& path)
{
    if (workFolder.isEmpty() || path.isEmpty())
        return false;
    const QString name = path.mid(workFolder.size());
    if (!path.startsWith(workFolder) || name.isEmpty() || name.contains(u'/') || name.contains(u'\\') ||
        name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (QChar c : name)
        if (c.unicode() < 0x20 || c == u':')
            return false;
    return QFileInfo(path).absolutePath() == QDir(workFolder).absolutePath();
}

ArchiveSource ArchiveSource::forBuild(const AppState& state, std::uint8_t product, const QString& version)
{
    const bool nightly = product == 2;
    QString name = archiveName(state.platformIndex, version);
    // Nightly archives carry the branch in their name; only the name is renamed, never the
    // server's address or the work folder, which may hold the same letters.
    if (nightly)
        name = NightlyPrefix + name.mid(Prefix.size());
    const QString folder =
        nightly ? QStringLiteral("/binaries/nightlies/trunk/") : QStringLiteral("/binaries/releases/");
    const QString segment = pathSegment(version);
    ArchiveSource source;
    if (segment.isEmpty() && !version.isEmpty())
        return source;
    source.localPath = state.workFolder + name;
    if (!inWorkFolder(state.workFolder, source.localPath))
        return {};
    source.address = state.endpoints.buildServer + folder + segment + u'/' + pathSegment(name);
    return source;
}

ArchiveSource ArchiveSource::fromMaker(const AppState& state, const QString& serverPath, const QString& localPath)
{
    if (!inWorkFolder(state.workFolder, localPath))
        return {};
    return ArchiveSource{state.endpoints.makerServer + serverPath, localPath};
}
