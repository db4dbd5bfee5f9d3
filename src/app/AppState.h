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
    static constexpr int LanguageStringCount = 112;
    static constexpr int LanguageListRows = 12; // rows 0 to 10 hold the languages; row 11 stays empty

    // Settings values, loaded once at start-up.
    QString language = QStringLiteral("---");
    std::uint8_t connectionType = 0;
    std::uint8_t useProxyAuth = 0;
    QString proxyAddress;
    std::uint16_t proxyPort = 0;
    QString proxyUser;
    QString proxyPass;
    std::uint8_t requireChecksum = 0; // 1: an archive without a published checksum is refused
    QString krvnPath;
    QString latestStable;
    QString latestStableDate;
    QString latestBeta;
    QString latestBetaDate;
    QString latestNightly;
    QString latestNightlyDate;
    QString latestVersionGot;
    QString lastCheckDate;
    QString lastSelfCheckDate;
    int platformIndex = 1;
    Endpoints endpoints;

    // Start-up values.
    QString workFolder;
    QString systemFolder;
    QString appFolder;
    QString appVersion;
    QString versionsFile;
    QString listingFile;
    QString nightlyListingFile;
    QString managerFile;
    QString updaterFile;

    // Detection values.
    QString krvnExe;
    QString krvnVersion;
    qint64 krvnExeSize = 0;
    QString baseSetFolder;

    // Release catalogue: older releases, always ending in one empty record while collected.
    QList<ReleaseRecord> olderReleases{ReleaseRecord{}};
    // The release check lists older releases (in cboRestore) only when it found more than ten.
    static constexpr int OlderReleasesShown = 10;
    bool olderReleasesListed() const
    {
        return olderReleases.size() > OlderReleasesShown && !olderReleases.last().version.isEmpty();
    }

    // Run-wide flags.
    bool catalogueLoaded = false;
    bool selfCheckDone = false;

    // Language string table: slots 1..91 of the current language; slot 0 stays empty.
    std::array<QString, LanguageStringCount + 1> languageStrings;
    std::uint8_t languageIndex = 0;

    // Language list and user locale, read once at start-up.
    std::array<LanguageListRow, LanguageListRows> languages;
    QString userLanguageName; // the user's locale language in English, upper case
    qint16 fontCharset = 0;   // Windows font character set of the user's ANSI code page

    const QString& str(int n) const { return languageStrings.at(static_cast<size_t>(n)); }
};
