#pragma once

// What this user's program remembers about its downloads, in the user's own settings
// store rather than beside the files (the work folder may be writable by others): the
// SHA-256 of each archive it downloaded whole, and how far an interrupted download got.

#include <QByteArray>
#include <QString>

class SettingsStore;

class DownloadRecords
{
public:
    // An interrupted download: its "<file>.part" holds `bytes` bytes whose SHA-256 is
    // `digest`, from `url`, whose answer carried `validator` (ETag, else Last-Modified).
    struct Partial
    {
        QString url;
        QString validator;
        qint64 bytes = 0;
        QByteArray digest; // hexadecimal

        bool usable() const { return !url.isEmpty() && !validator.isEmpty() && bytes > 0 && digest.size() == 64; }
    };

    explicit DownloadRecords(SettingsStore& store) : store(store) {}

    // Hexadecimal SHA-256 recorded for fileName; empty when none.
    QByteArray digest(const QString& fileName) const;
    void recordDigest(const QString& fileName, const QByteArray& hexDigest);

    Partial partial(const QString& fileName) const;
    void recordPartial(const QString& fileName, const Partial& partial);
    void forgetPartial(const QString& fileName);

private:
    SettingsStore& store;
};
