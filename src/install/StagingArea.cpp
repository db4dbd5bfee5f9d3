#include "install/StagingArea.h"

#include "install/InstallRecord.h"

#include <QDir>
#include <QRandomGenerator>

StagingArea::StagingArea(const QString& root)
{
    for (int attempt = 0; attempt < 8 && path.isEmpty(); ++attempt) {
        const QString name = OurNames::StagingPrefix +
                             QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        // mkdir fails on a name that is already there, so the folder is always a new one.
        if (QDir(root).mkdir(name) && QDir(root + name).mkdir(QStringLiteral("files"))) {
            folderName = name;
            path = root + name + QLatin1Char('/');
        }
    }
}

StagingArea::~StagingArea()
{
    remove();
}

void StagingArea::remove()
{
    if (path.isEmpty())
        return;
    QDir(path).removeRecursively();
    path.clear();
}
