#pragma once

// A download's sink: the body goes to "<target>.part", which replaces the target only
// when the whole body is in, so the target is never a partial file.

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;

class PartFile
{
public:
    explicit PartFile(QString target);
    ~PartFile(); // discards what was not committed
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    QString partPath() const { return target + QStringLiteral(".part"); }

    // Creates the part file empty.
    bool open();
    bool write(const QByteArray& bytes);
    // Closes the part file and puts it in the target's place.
    bool commit();
    // Closes and deletes the part file.
    void discard();

private:
    QString target;
    std::unique_ptr<QFile> file;
};
