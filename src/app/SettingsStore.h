#pragma once

// Section "KRVNM" of application "Quillon Works": one text value per key. Callers name a
// key by SettingKey; its stored name and default come from the one key table beside
// loadSettings (Settings.cpp). The separate updater program reads the same section, so
// the stored names never change. read() and write() throw Failure when the store cannot
// be used.

#include <QString>

// In reading order: the keys loaded at start-up, Platform, then the keys only written.
enum class SettingKey
{
    Language,
    ConnectionType,
    UseProxyAuth,
    ProxyAddress,
    ProxyPort,
    ProxyUser,
    ProxyPass,
    RequireChecksum,
    KrvnPath,
    LatestStable,
    LatestStableDate,
    LatestBeta,
    LatestBetaDate,
    LatestNightly,
    LatestNightlyDate,
    LatestVersionGot,
    LastCheckDate,
    LastSelfCheckDate,
    FeedServer,
    BuildServer,
    MakerServer,
    WikiServer,
    HomeServer,
    ForumServer,
    BugServer,
    ContentServer,
    GraphicsIndexServer,
    Platform,
    // A record of the installed game nobody reads back.
    KrvnVersion,
    KrvnVersionSize,
    // For other programs: the work folder, and what the updater needs to replace this program.
    WinTempPath,
    AppPath,
    AppExeName,
    UpdaterMessage1,
    UpdaterMessage2,
    UpdaterMessage3,
    // Kept per downloaded file, stored as the key's name followed by the file's name: the
    // SHA-256 computed when this program downloaded the file whole, and how far an
    // interrupted download of it got.
    ArchiveDigest,
    PartialDownload,
};

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or the key's default when it is absent.
    QString read(SettingKey key);
    // The stored text, or whenAbsent.
    QString read(SettingKey key, const QString& whenAbsent);
    void write(SettingKey key, const QString& text);
    // A key kept per item (ArchiveDigest, PartialDownload): empty when absent.
    QString readItem(SettingKey key, const QString& item);
    void writeItem(SettingKey key, const QString& item, const QString& text);

    // The name the key is stored under.
    static QString name(SettingKey key);

protected:
    virtual QString readText(const QString& name, const QString& whenAbsent) = 0;
    virtual void writeText(const QString& name, const QString& text) = 0;
};
