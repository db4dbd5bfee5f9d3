#include "install/InstallRecovery.h"

#include "install/InstallBackup.h"
#include "install/InstallRecord.h"
#include "install/InstallTransaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QStringList ourEntries(const QString& root)
{
    return QDir(root).entryList({OurNames::Prefix + QLatin1Char('*')},
                                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

InstallRecovery::Outcome InstallRecovery::recover(const QString& gameFolder)
{
    if (gameFolder.isEmpty() || !QFileInfo(gameFolder).isDir())
        return Outcome::Nothing;
    const QString root = OurNames::folder(gameFolder);
    Outcome outcome = Outcome::Nothing;
    QString keptStaging;
    bool journalPending = false;

    const QString journal = root + OurNames::Journal;
    if (const std::optional<InstallRecord> record = InstallRecord::read(journal)) {
        const QString staging = root + record->staging + QLatin1Char('/');
        if (InstallTransaction::putBack(root, *record, staging + QStringLiteral("backup/files/"),
                                        staging + OurNames::Files + QLatin1Char('/'))) {
            QFile::remove(journal);
            outcome = Outcome::InstallationUndone;
        } else {
            keptStaging = record->staging;
            journalPending = true;
            outcome = Outcome::Unfinished;
        }
    } else {
        // Never complete, so never acted on: the installation had not moved anything yet.
        QFile::remove(journal);
    }

    if (QFileInfo::exists(root + OurNames::Undo) && outcome != Outcome::Unfinished)
        outcome = InstallBackup::restore(root) ? Outcome::UndoFinished : Outcome::Unfinished;

    for (const QString& name : ourEntries(root)) {
        if (!name.startsWith(OurNames::StagingPrefix) || name == keptStaging)
            continue;
        // An installation that was done just before the end: its backup is the newest undo point.
        const QString backup = root + name + QStringLiteral("/backup/");
        if (QFileInfo::exists(backup + OurNames::Record))
            InstallTransaction::promoteBackup(root, backup);
    }
    for (const QString& name : ourEntries(root)) {
        if (name == OurNames::Backup || name == OurNames::Undo || name == keptStaging ||
            (name == OurNames::Journal && journalPending))
            continue;
        const QString path = root + name;
        if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
    return outcome;
}
