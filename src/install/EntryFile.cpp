#include "install/EntryFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>
#include <system_error>

namespace {

// A short name, so even a destination at the length limit leaves room for it; the dot
// hides it from a Unix listing while it exists.
QString temporaryName()
{
    return QStringLiteral(".krvnm-%1.part").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

} // namespace

EntryFile::EntryFile(QString destination) : destination(std::move(destination))
{}

EntryFile::~EntryFile()
{
    discard();
}

QString EntryFile::temporaryPath() const
{
    return file ? file->fileName() : QString();
}

bool EntryFile::open()
{
    const QString folder = QFileInfo(destination).path() + QLatin1Char('/');
    for (int attempt = 0; attempt < 8; ++attempt) {
        file = std::make_unique<QFile>(folder + temporaryName());
        // NewOnly never reuses a file that is already there.
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        openError = file->errorString();
        if (!QFileInfo::exists(file->fileName()))
            break;
    }
    file.reset();
    return false;
}

bool EntryFile::write(const char* data, qint64 size)
{
    return file && file->isOpen() && file->write(data, size) == size;
}

bool EntryFile::commit(const QDateTime& modified)
{
    if (!file || !file->isOpen())
        return false;
    if (modified.isValid())
        file->setFileTime(modified, QFileDevice::FileModificationTime);
    file->close();
    if (file->error() != QFileDevice::NoError)
        return false;
    // Replaces an existing destination in one step on every system.
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(file->fileName().toStdU16String()),
                            std::filesystem::path(destination.toStdU16String()), error);
    if (error)
        return false;
    file.reset();
    return true;
}

void EntryFile::discard()
{
    if (!file)
        return;
    file->close();
    file->remove();
    file.reset();
}
