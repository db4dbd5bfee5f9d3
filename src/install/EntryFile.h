#pragma once

// One extracted file on its way to its real name: written under a temporary name in
// the destination's folder and put in the destination's place only when complete, so a
// failed entry leaves the old file as it was and nothing half-written behind.

#include <QDateTime>
#include <QString>

#include <memory>

class QFile;

class EntryFile
{
public:
    explicit EntryFile(QString destination);
    ~EntryFile(); // discards what was not committed
    EntryFile(const EntryFile&) = delete;
    EntryFile& operator=(const EntryFile&) = delete;

    // Creates a new, empty temporary file beside the destination.
    bool open();
    bool write(const char* data, qint64 size);
    // Closes the temporary file, gives it the modification time (when valid) and puts
    // it in the destination's place.
    bool commit(const QDateTime& modified);
    // Closes and deletes the temporary file.
    void discard();

    QString temporaryPath() const;
    // The system's words for why open() failed.
    const QString& errorString() const { return openError; }

private:
    QString destination;
    std::unique_ptr<QFile> file;
    QString openError;
};
