#include "app/Settings.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Failure.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/SettingsStore.h"

#include <QLocale>

#include <cmath>
#include <functional>

namespace {

const QString NotChosen = QStringLiteral("---");

// Stored numbers were written by earlier versions and by hand, so any decimal text counts,
// signed or with a fraction, rounded half to even; one outside the range fails the key.
template <typename Number> Number toNumber(const QString& text, double max)
{
    bool ok = false;
    const double value = std::nearbyint(QLocale::c().toDouble(text.trimmed(), &ok));
    if (!ok)
        throw Failure(FailureCode::Conversion, QStringLiteral("Type mismatch: \"%1\"").arg(text));
    if (!(value >= 0 && value <= max))
        throw Failure(FailureCode::Overflow, QStringLiteral("Overflow: \"%1\"").arg(text));
    return static_cast<Number>(value);
}

struct Key
{
    const char* name;
    const char* defaultValue;
    std::function<void(AppState&, const QString&)> assign;
};

auto textField(QString AppState::*member)
{
    return [member](AppState& state, const QString& text) { state.*member = text; };
}

auto endpoint(QString Endpoints::*member)
{
    return [member](AppState& state, const QString& text) {
        QString base = text.trimmed();
        while (base.endsWith(QLatin1Char('/')))
            base.chop(1);
        state.endpoints.*member = base;
    };
}

// Table order is the reading order.
const std::vector<Key>& keys()
{
    static const std::vector<Key> keys = {
        {"Language", "---", textField(&AppState::language)},
        {"CONNECTIONTYPE", "0",
         [](AppState& s, const QString& t) { s.connectionType = toNumber<std::uint8_t>(t, 255); }},
        {"USEPROXYAUTH", "0", [](AppState& s, const QString& t) { s.useProxyAuth = toNumber<std::uint8_t>(t, 255); }},
        {"PROXYADDRESS", "", textField(&AppState::proxyAddress)},
        {"PROXYPORT", "80", [](AppState& s, const QString& t) { s.proxyPort = toNumber<std::uint16_t>(t, 65535); }},
        {"PROXYUSER", "", textField(&AppState::proxyUser)},
        {"PROXYPASS", "", textField(&AppState::proxyPass)},
        {"KRVNPath", "", textField(&AppState::krvnPath)},
        {"LatestStable", "1.4.0", textField(&AppState::latestStable)},
        {"LatestStableDate", "2013-04-01", textField(&AppState::latestStableDate)},
        {"LatestBeta", "1.4.0-beta5", textField(&AppState::latestBeta)},
        {"LatestBetaDate", "2014-02-25", textField(&AppState::latestBetaDate)},
        {"LatestNightly", "r26400", textField(&AppState::latestNightly)},
        {"LatestNightlyDate", "2014-03-12", textField(&AppState::latestNightlyDate)},
        {"LatestVersionGot", "", textField(&AppState::latestVersionGot)},
        {"LastCheckDate", "", textField(&AppState::lastCheckDate)},
        {"LastSelfCheckDate", "", textField(&AppState::lastSelfCheckDate)},
        // Server base addresses; tests and the demo point them at a local mirror.
        {"FEEDSERVER", "http://feed.korvane.example", endpoint(&Endpoints::feedServer)},
        {"BUILDSERVER", "http://builds.korvane.example", endpoint(&Endpoints::buildServer)},
        {"MAKERSERVER", "http://www.quillonworks.example", endpoint(&Endpoints::makerServer)},
        {"WIKISERVER", "http://wiki.korvane.example", endpoint(&Endpoints::wikiServer)},
        {"HOMESERVER", "http://www.korvane.example", endpoint(&Endpoints::homeServer)},
        {"FORUMSERVER", "http://forum.korvane.example", endpoint(&Endpoints::forumServer)},
        {"BUGSERVER", "http://bugs.korvane.example", endpoint(&Endpoints::bugServer)},
        {"CONTENTSERVER", "http://content.korvane.example", endpoint(&Endpoints::contentServer)},
        {"GRFINDEXSERVER", "http://grfcrawler.example", endpoint(&Endpoints::graphicsIndexServer)},
    };
    return keys;
}

int derivePlatformIndex(Platform& platform)
{
    if (!platform.isFullWin32())
        return 0;
    return platform.isWindows64() ? 2 : 1;
}

} // namespace

int platformIndexFromText(const QString& text)
{
    if (text == QLatin1String("WIN9X"))
        return 0;
    if (text == QLatin1String("WIN64"))
        return 2;
    return 1;
}

QString platformText(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("WIN9X");
    case 2:
        return QStringLiteral("WIN64");
    default:
        return QStringLiteral("WIN32");
    }
}

void loadSettings(AppState& state, SettingsStore& store, Platform& platform, Dialogs& dialogs)
{
    // A failing key keeps the value it held and the next key is read; the failure is
    // reported here once, not through the common error handler.
    FailureScope steps(nullptr, QStringLiteral("LoadSettings"));
    for (const Key& key : keys())
        steps.step([&] { key.assign(state, store.read(QLatin1String(key.name), QLatin1String(key.defaultValue))); });

    QString platformText = NotChosen;
    steps.step([&] { platformText = store.read(QStringLiteral("Platform"), NotChosen); });
    state.platformIndex =
        platformText == NotChosen ? derivePlatformIndex(platform) : platformIndexFromText(platformText);

    if (steps.failed()) {
        MessageRequest message;
        message.text = QStringLiteral("Error reading settings from registry.");
        message.icon = MessageIcon::Exclamation;
        dialogs.messageBox(message);
        steps.clear();
    }
}

void storePlatformChoice(AppState& state, SettingsStore& store, int index)
{
    state.platformIndex = index;
    store.write(QStringLiteral("Platform"), platformText(index));
}
