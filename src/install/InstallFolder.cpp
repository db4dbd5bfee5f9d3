#include "install/InstallFolder.h"

#include "app/Platform.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString Cleaned(const QString& folder)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
}

} // namespace

bool InstallFolder::IsRoot(const QString& folder, Platform& platform)
{
    if (folder.isEmpty())
        return false;
    if (QDir(folder).isRoot())
        return true;
    const QString cleaned = Cleaned(folder);
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        const QString root = platform.driveRoot(QChar(letter));
        if (!root.isEmpty() && Cleaned(root) == cleaned)
            return true;
    }
    return false;
}

QString InstallFolder::FromAnswer(const QString& answer, Platform& platform)
{
    if (!IsRoot(answer, platform))
        return answer;
    const QString folder = answer + QStringLiteral("Korvane");
    // A file of that name leaves the folder uncreated; the installation then fails on it
    // and says so.
    QDir().mkpath(folder);
    return folder + QDir::separator();
}
