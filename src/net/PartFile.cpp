#include "net/PartFile.h"

#include <QFile>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

PartFile::PartFile(QString target) : target(std::move(target))
{}

PartFile::~PartFile()
{
    if (file)
        discard();
}

bool PartFile::open()
{
    file = std::make_unique<QFile>(partPath());
    return file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
}

bool PartFile::openToAppend()
{
    file = std::make_unique<QFile>(partPath());
    return file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
}

bool PartFile::write(const QByteArray& bytes)
{
    return file && file->isOpen() && file->write(bytes) == bytes.size();
}

bool PartFile::commit()
{
    if (!file || !file->isOpen())
        return false;
    const bool flushed = file->flush();
    file->close();
    if (!flushed || file->error() != QFileDevice::NoError)
        return false;
    // Replaces an existing target in one step on every system.
    std::error_code error;
    std::filesystem::rename(toPath(partPath()), toPath(target), error);
    if (error)
        return false;
    file.reset();
    return true;
}

bool PartFile::keep()
{
    if (!file || !file->isOpen())
        return false;
    const bool flushed = file->flush();
    file->close();
    file.reset();
    return flushed;
}

void PartFile::discard()
{
    if (file)
        file->close();
    QFile::remove(partPath());
    file.reset();
}
