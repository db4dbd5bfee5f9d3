#pragma once

// The process-wide values: settings, start-up values, detection values, the language
// string table and run-wide flags. One instance, owned by the application and passed
// by reference; nobody re-reads the settings store after start-up.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

struct Endpoints
{
    QString feedServer;  // release feed "/versions.txt"
    QString buildServer; // listings, archives, change logs
    QString makerServer; // self-update query, base set, updater, product pages
    QString wikiServer;
    QString homeServer;
    QString forumServer;
    QString bugServer;
    QString contentServer;
    QString graphicsIndexServer;
};

struct ReleaseRecord
{
    QString version;
    QString date;
};

struct AppState
{
    static constexpr int LanguageStringCount = 88;

    // Settings values, loaded once at start-up.
    QString Language = QStringLiteral("---");
    std::uint8_t ConnectionType = 0;
    std::uint8_t UseProxyAuth = 0;
    QString ProxyAddress;
    std::uint16_t ProxyPort = 0;
    QString ProxyUser;
    QString ProxyPass;
    QString KrvnPath;
    QString LatestStable;
    QString LatestStableDate;
    QString LatestBeta;
    QString LatestBetaDate;
    QString LatestNightly;
    QString LatestNightlyDate;
    QString LatestVersionGot;
    QString LastCheckDate;
    QString LastSelfCheckDate;
    int PlatformIndex = 1;
    Endpoints endpoints;

    // Start-up values.
    QString WorkFolder;
    QString SystemFolder;
    QString AppFolder;
    QString AppVersion;
    QString VersionsFile;
    QString ListingFile;
    QString NightlyListingFile;
    QString ManagerFile;
    QString UpdaterFile;

    // Detection values.
    QString KrvnExe;
    QString KrvnVersion;
    qint64 KrvnExeSize = 0;
    QString BaseSetFolder;

    // Release catalogue: older releases, always ending in one empty record while collected.
    QList<ReleaseRecord> OlderReleases{ReleaseRecord{}};

    // Run-wide flags.
    bool CatalogueLoaded = false;
    bool SelfCheckDone = false;

    // Language string table: slots 1..88 of the current language; slot 0 stays empty.
    std::array<QString, LanguageStringCount + 1> LanguageStrings;
    std::uint8_t LanguageIndex = 0;

    const QString& str(int n) const { return LanguageStrings.at(static_cast<size_t>(n)); }
};
