#include "install/InstallRecord.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

const QByteArray Header = QByteArrayLiteral("krvnm-install 1");

} // namespace

QString OurNames::folder(const QString& path)
{
    QString folder = QDir::fromNativeSeparators(path);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

bool InstallRecord::write(const QString& path) const
{
    QByteArray text = Header + '\n';
    text += "staging " + staging.toUtf8() + '\n';
    text += "version " + previousVersion.toUtf8() + '\n';
    for (const QString& folder : folders)
        text += "folder " + folder.toUtf8() + '\n';
    for (const File& file : files)
        text += (file.replaced ? "replace " : "add ") + file.path.toUtf8() + '\n';
    text += "end\n";
    // QSaveFile flushes the data to the disk before it renames, so the record is either
    // the old one, absent, or complete.
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(text) == text.size() && out.commit();
}

std::optional<InstallRecord> InstallRecord::read(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = in.readAll().split('\n');
    if (lines.size() < 4 || lines.first() != Header || !lines.contains("end"))
        return std::nullopt;
    InstallRecord record;
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype blank = line.indexOf(' ');
        const QByteArray key = blank < 0 ? line : line.left(blank);
        const QString value = blank < 0 ? QString() : QString::fromUtf8(line.mid(blank + 1));
        if (key == "staging")
            record.staging = value;
        else if (key == "version")
            record.previousVersion = value;
        else if (key == "folder")
            record.folders.append(value);
        else if (key == "add" || key == "replace")
            record.files.push_back({value, key == "replace"});
    }
    // A record that names no staging folder of ours could send the rollback elsewhere.
    if (!record.staging.startsWith(OurNames::StagingPrefix) || record.staging.contains(QLatin1Char('/')))
        return std::nullopt;
    return record;
}
