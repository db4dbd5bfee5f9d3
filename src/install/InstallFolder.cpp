#include "install/InstallFolder.h"

#include "app/Platform.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString cleaned(const QString& folder)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
}

} // namespace

bool InstallFolder::isRoot(const QString& folder, Platform& platform)
{
    if (folder.isEmpty())
        return false;
    if (QDir(folder).isRoot())
        return true;
    const QString folderPath = cleaned(folder);
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        const QString root = platform.driveRoot(QChar(letter));
        if (!root.isEmpty() && cleaned(root) == folderPath)
            return true;
    }
    return false;
}

QString InstallFolder::fromAnswer(const QString& answer, Platform& platform)
{
    if (!isRoot(answer, platform))
        return answer;
    const QString folder = answer + QStringLiteral("Korvane");
    // A file of that name leaves the folder uncreated; the installation then fails on it
    // and says so.
    QDir().mkpath(folder);
    return folder + QDir::separator();
}
