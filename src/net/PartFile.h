#pragma once

// A download's sink: the body goes to "<target>.part", which replaces the target only
// when the whole body is in, so the target is never a partial file. An interrupted
// download may keep its part file to go on with it later.

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;

class PartFile
{
public:
    explicit PartFile(QString target);
    ~PartFile(); // discards what was neither committed nor kept
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    QString partPath() const { return target + QStringLiteral(".part"); }

    // Creates the part file empty.
    bool open();
    // Opens the part file left by an earlier download to add to its end.
    bool openToAppend();
    bool write(const QByteArray& bytes);
    // Closes the part file and puts it in the target's place.
    bool commit();
    // Closes the part file and leaves it for a later download to go on with.
    bool keep();
    // Closes and deletes the part file, also one left by an earlier download.
    void discard();

private:
    QString target;
    std::unique_ptr<QFile> file;
};
