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

// A row of the language list: one built-in interface language.
struct LanguageListRow
{
    int codePage = 0;
    quint32 localeId = 0;
    QString key;         // "ENGLISH", "PORTUGUESE_BR"
    QString displayName; // as the system names the locale, else the key in proper case
};

struct AppState
{
    static constexpr int LanguageStringCount = 88;
    static constexpr int LanguageListRows = 12; // rows 0 to 10 hold the languages; row 11 stays empty

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
    // The release check lists older releases (in cboRestore) only when it found more than ten.
    static constexpr int OlderReleasesShown = 10;
    bool olderReleasesListed() const
    {
        return OlderReleases.size() > OlderReleasesShown && !OlderReleases.last().version.isEmpty();
    }

    // Run-wide flags.
    bool CatalogueLoaded = false;
    bool SelfCheckDone = false;

    // Language string table: slots 1..88 of the current language; slot 0 stays empty.
    std::array<QString, LanguageStringCount + 1> LanguageStrings;
    std::uint8_t LanguageIndex = 0;

    // Language list and user locale, read once at start-up.
    std::array<LanguageListRow, LanguageListRows> Languages;
    QString UserLanguageName; // the user's locale language in English, upper case
    qint16 FontCharset = 0;   // Windows font character set of the user's ANSI code page

    const QString& str(int n) const { return LanguageStrings.at(static_cast<size_t>(n)); }
};
