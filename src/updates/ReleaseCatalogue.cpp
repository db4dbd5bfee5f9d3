#include "updates/ReleaseCatalogue.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Failure.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/SettingsStore.h"
#include "app/StringIds.h"
#include "app/Waits.h"
#include "install/ArchiveSource.h"
#include "net/DownloadEngine.h"
#include "net/DownloadView.h"
#include "updates/CheckDate.h"
#include "updates/ReleaseFeed.h"
#include "updates/ReleaseListing.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <array>

namespace {

constexpr int FeedPauseMs = 100;
constexpr int ListingPauseMs = 500;
constexpr int FinalPauseMs = 100;
constexpr int OlderReleaseRow = 3;

struct Channel
{
    SettingKey versionKey;
    SettingKey dateKey;
    QString AppState::*version;
    QString AppState::*date;
};

// In row order: stable, beta, nightly.
constexpr std::array<Channel, 3> Channels = {{
    {SettingKey::LatestStable, SettingKey::LatestStableDate, &AppState::latestStable, &AppState::latestStableDate},
    {SettingKey::LatestBeta, SettingKey::LatestBetaDate, &AppState::latestBeta, &AppState::latestBetaDate},
    {SettingKey::LatestNightly, SettingKey::LatestNightlyDate, &AppState::latestNightly, &AppState::latestNightlyDate},
}};

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(FailureCode::FileAccess, QStringLiteral("File not found: ") + path);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(FailureCode::FileAccess, file.errorString());
    return bytes;
}

QString Text(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

std::string_view bytesView(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), size_t(bytes.size()));
}

bool fileObtained(const QString& path, const WaitTimings& timings)
{
    return QFileInfo(path).isFile() && convertLineEnds(path, timings);
}

} // namespace

ReleaseCatalogue::ReleaseCatalogue(AppState& state, AppServices& services, DownloadEngine& engine, DownloadView& status,
                                   MainWindowViews views)
    : state(state), services(services), engine(engine), status(status), views(views)
{}

void ReleaseCatalogue::checkForUpdates()
{
    FailureScope steps(&services.errors, QStringLiteral("CheckKRVNUpdates"));
    if (!engine.prepareConnection()) {
        engine.abortDownload(false);
        return;
    }
    views.controls.enableControls(false);
    status.clearStatusList();
    status.setProgressMaximum(100);
    status.setProgressValue(10);
    status.setProgressVisible(true);
    // A work file left from before (one the system would not let us delete) is no answer
    // of this check: only what this check downloaded counts.
    feedDownloaded = false;
    listingDownloaded = false;
    steps.step([&] {
        feedDownloaded = engine.downloadFile(state.endpoints.feedServer + QStringLiteral("/versions.txt"),
                                             state.versionsFile, true, FeedPauseMs);
    });
    // Cancelled: the engine has said so and the window is idle; nothing more is read or stored.
    if (engine.cancelled())
        return;
    status.setProgressValue(50);
    steps.step([&] {
        listingDownloaded = engine.downloadFile(state.endpoints.buildServer + QStringLiteral("/binaries/releases/"),
                                                state.listingFile, true, ListingPauseMs);
    });
    if (engine.cancelled())
        return;
    status.setProgressValue(90);
    readFeed(steps);
    status.setProgressValue(80);
    readListing(steps);
    steps.step([&] { markNewBuild(); });
    status.setProgressValue(90);
    wait(0);
    storeChannels(steps);
    status.setProgressValue(100);
    wait(FinalPauseMs);
    views.controls.enableControls(true);
    wait(0);
    showOutcome();
}

void ReleaseCatalogue::readFeed(FailureScope& steps)
{
    bool obtained = false;
    steps.step([&] { obtained = feedDownloaded && fileObtained(state.versionsFile, services.timings.waits); });
    if (!obtained)
        return;
    // The dates keep their values until a feed line replaces them.
    for (const Channel& channel : Channels)
        (state.*channel.version).clear();
    steps.step([&] {
        const QByteArray bytes = readWholeFile(state.versionsFile);
        const ReleaseFeed feed = parseReleaseFeed(bytesView(bytes));
        const std::array<const std::optional<FeedRelease>*, 3> found = {&feed.stable, &feed.beta, &feed.nightly};
        for (size_t row = 0; row < Channels.size(); ++row) {
            if (*found[row]) {
                state.*Channels[row].version = Text((*found[row])->version);
                state.*Channels[row].date = Text((*found[row])->date);
            }
        }
    });
    showChannels();
    state.lastCheckDate = checkDate(services.platform.today());
}

void ReleaseCatalogue::showChannels()
{
    const QString product = QStringLiteral("Korvane ");
    const QString captions[] = {
        product + state.latestStable + QStringLiteral(" (stable)"),
        product + QString(state.latestBeta).replace(QLatin1Char('-'), QLatin1Char(' ')),
        product + state.latestNightly + QStringLiteral(" (nightly)"),
    };
    for (int row = 0; row < int(Channels.size()); ++row) {
        const Channel& channel = Channels[size_t(row)];
        // A channel the feed lacks is not offered: there is no archive to ask for.
        if ((state.*channel.version).isEmpty()) {
            views.rows.setRowEnabled(row, false);
            continue;
        }
        views.rows.setRowCaption(row, captions[row]);
        views.rows.setRowDate(row, state.str(Str::Date) + QLatin1Char(' ') + state.*channel.date);
        views.rows.setRowEnabled(row, true);
    }
}

void ReleaseCatalogue::readListing(FailureScope& steps)
{
    bool obtained = false;
    steps.step([&] { obtained = listingDownloaded && fileObtained(state.listingFile, services.timings.waits); });
    if (!obtained)
        return;
    steps.step([&] {
        const QByteArray bytes = readWholeFile(state.listingFile);
        const QByteArray stable = state.latestStable.toUtf8();
        const QByteArray beta = state.latestBeta.toUtf8();
        ReleaseListing listing(bytesView(bytes), bytesView(stable), bytesView(beta));
        QList<ReleaseRecord> found;
        while (const std::optional<ListedRelease> release = listing.next())
            found.append(ReleaseRecord{Text(release->version), Text(release->date)});
        // With too few releases the list keeps its items, so the records stay the ones it
        // shows: a pick in it must install and describe the release it names.
        if (found.size() <= AppState::OlderReleasesShown)
            return;
        state.olderReleases = found;
        QStringList items;
        for (const ReleaseRecord& release : std::as_const(found))
            items.append(release.version + QStringLiteral(" (") + release.date + QLatin1Char(')'));
        views.rows.fillRestoreList(items);
        views.rows.setRowEnabled(OlderReleaseRow, true);
    });
}

void ReleaseCatalogue::markNewBuild()
{
    for (int row = 0; row < int(Channels.size()); ++row) {
        const Channel& channel = Channels[size_t(row)];
        const QString& current = state.*channel.version;
        // A channel missing from the feed is not found, so it has nothing new to show.
        if (current.isEmpty())
            continue;
        if (services.settings.read(channel.versionKey, current) != current) {
            views.rows.selectVersionRow(row);
            views.rows.setStatusIcon(std::uint8_t(row), StatusPicture::Exclamation, state.str(Str::NewVersion));
            return;
        }
    }
}

void ReleaseCatalogue::storeChannels(FailureScope& steps)
{
    for (const Channel& channel : Channels) {
        if ((state.*channel.version).isEmpty())
            continue;
        steps.step([&] { services.settings.write(channel.versionKey, state.*channel.version); });
        steps.step([&] { services.settings.write(channel.dateKey, state.*channel.date); });
    }
    steps.step([&] { services.settings.write(SettingKey::LastCheckDate, state.lastCheckDate); });
}

void ReleaseCatalogue::showOutcome()
{
    if (feedDownloaded && QFileInfo(state.versionsFile).isFile()) {
        state.catalogueLoaded = true;
        views.window.showInstallImage();
        views.window.setMainButtonCaption(state.str(Str::InstallNow));
        engine.addStatusLine(state.str(Str::UpdatesListDownloaded));
    } else {
        views.window.setMainButtonCaption(state.str(Str::CheckForUpdates));
        engine.addStatusLine(state.str(Str::UpdatesListFailed));
    }
}

QString ReleaseCatalogue::changeLogAddress(const AppState& state, int index, int restoreIndex)
{
    QString folder;
    QString version;
    switch (index) {
    case 0:
        version = state.latestStable;
        break;
    case 1:
        version = state.latestBeta;
        break;
    case 2:
        folder = QStringLiteral("/binaries/nightlies/trunk/");
        version = state.latestNightly;
        break;
    case OlderReleaseRow:
        if (restoreIndex >= 0 && restoreIndex < state.olderReleases.size())
            version = state.olderReleases.at(restoreIndex).version;
        break;
    default:
        break;
    }
    // One path segment, as in the archive addresses: a version naming other folders or
    // carrying a query is no address of ours.
    const QString segment = ArchiveSource::pathSegment(version);
    if (segment.isEmpty())
        return {};
    if (folder.isEmpty())
        folder = QStringLiteral("/binaries/releases/");
    return state.endpoints.buildServer + folder + segment + QStringLiteral("/changelog.txt");
}
