#include "install/InstallBackup.h"

#include "install/InstallTransaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

std::optional<InstallRecord> InstallBackup::record(const QString& root)
{
    const QString folder = OurNames::folder(root);
    if (QFileInfo::exists(folder + OurNames::Undo))
        return InstallRecord::read(folder + OurNames::Undo + QStringLiteral("/") + OurNames::Record);
    return InstallRecord::read(folder + OurNames::Backup + QStringLiteral("/") + OurNames::Record);
}

bool InstallBackup::restore(const QString& root)
{
    const QString folder = OurNames::folder(root);
    const QString undo = folder + OurNames::Undo + QLatin1Char('/');
    if (!QFileInfo::exists(undo) && !QDir(folder).rename(OurNames::Backup, OurNames::Undo))
        return false;
    const std::optional<InstallRecord> taken = InstallRecord::read(undo + OurNames::Record);
    if (taken && !InstallTransaction::putBack(folder, *taken, undo + OurNames::Files + QLatin1Char('/'), {}))
        return false;
    const QString done =
        OurNames::StagingPrefix +
        QStringLiteral("undone-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    if (QDir(folder).rename(OurNames::Undo, done))
        QDir(folder + done).removeRecursively();
    return taken.has_value();
}
