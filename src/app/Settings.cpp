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
template <typename Number> Number ToNumber(const QString& text, double max)
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

auto Text(QString AppState::*member)
{
    return [member](AppState& state, const QString& text) { state.*member = text; };
}

auto Endpoint(QString Endpoints::*member)
{
    return [member](AppState& state, const QString& text) {
        QString base = text.trimmed();
        while (base.endsWith(QLatin1Char('/')))
            base.chop(1);
        state.endpoints.*member = base;
    };
}

// Table order is the reading order.
const std::vector<Key>& Keys()
{
    static const std::vector<Key> keys = {
        {"Language", "---", Text(&AppState::Language)},
        {"CONNECTIONTYPE", "0",
         [](AppState& s, const QString& t) { s.ConnectionType = ToNumber<std::uint8_t>(t, 255); }},
        {"USEPROXYAUTH", "0", [](AppState& s, const QString& t) { s.UseProxyAuth = ToNumber<std::uint8_t>(t, 255); }},
        {"PROXYADDRESS", "", Text(&AppState::ProxyAddress)},
        {"PROXYPORT", "80", [](AppState& s, const QString& t) { s.ProxyPort = ToNumber<std::uint16_t>(t, 65535); }},
        {"PROXYUSER", "", Text(&AppState::ProxyUser)},
        {"PROXYPASS", "", Text(&AppState::ProxyPass)},
        {"KRVNPath", "", Text(&AppState::KrvnPath)},
        {"LatestStable", "1.4.0", Text(&AppState::LatestStable)},
        {"LatestStableDate", "2013-04-01", Text(&AppState::LatestStableDate)},
        {"LatestBeta", "1.4.0-beta5", Text(&AppState::LatestBeta)},
        {"LatestBetaDate", "2014-02-25", Text(&AppState::LatestBetaDate)},
        {"LatestNightly", "r26400", Text(&AppState::LatestNightly)},
        {"LatestNightlyDate", "2014-03-12", Text(&AppState::LatestNightlyDate)},
        {"LatestVersionGot", "", Text(&AppState::LatestVersionGot)},
        {"LastCheckDate", "", Text(&AppState::LastCheckDate)},
        {"LastSelfCheckDate", "", Text(&AppState::LastSelfCheckDate)},
        // Server base addresses; tests and the demo point them at a local mirror.
        {"FEEDSERVER", "http://feed.korvane.example", Endpoint(&Endpoints::feedServer)},
        {"BUILDSERVER", "http://builds.korvane.example", Endpoint(&Endpoints::buildServer)},
        {"MAKERSERVER", "http://www.quillonworks.example", Endpoint(&Endpoints::makerServer)},
        {"WIKISERVER", "http://wiki.korvane.example", Endpoint(&Endpoints::wikiServer)},
        {"HOMESERVER", "http://www.korvane.example", Endpoint(&Endpoints::homeServer)},
        {"FORUMSERVER", "http://forum.korvane.example", Endpoint(&Endpoints::forumServer)},
        {"BUGSERVER", "http://bugs.korvane.example", Endpoint(&Endpoints::bugServer)},
        {"CONTENTSERVER", "http://content.korvane.example", Endpoint(&Endpoints::contentServer)},
        {"GRFINDEXSERVER", "http://grfcrawler.example", Endpoint(&Endpoints::graphicsIndexServer)},
    };
    return keys;
}

int DerivePlatformIndex(Platform& platform)
{
    if (!platform.isFullWin32())
        return 0;
    return platform.isWindows64() ? 2 : 1;
}

} // namespace

int PlatformIndexFromText(const QString& text)
{
    if (text == QLatin1String("WIN9X"))
        return 0;
    if (text == QLatin1String("WIN64"))
        return 2;
    return 1;
}

QString PlatformText(int index)
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

void LoadSettings(AppState& state, SettingsStore& store, Platform& platform, Dialogs& dialogs)
{
    // A failing key keeps the value it held and the next key is read; the failure is
    // reported here once, not through the common error handler.
    FailureScope steps(nullptr, QStringLiteral("LoadSettings"));
    for (const Key& key : Keys())
        steps.step([&] { key.assign(state, store.read(QLatin1String(key.name), QLatin1String(key.defaultValue))); });

    QString platformText = NotChosen;
    steps.step([&] { platformText = store.read(QStringLiteral("Platform"), NotChosen); });
    state.PlatformIndex =
        platformText == NotChosen ? DerivePlatformIndex(platform) : PlatformIndexFromText(platformText);

    if (steps.failed()) {
        MessageRequest message;
        message.text = QStringLiteral("Error reading settings from registry.");
        message.icon = MessageIcon::Exclamation;
        dialogs.messageBox(message);
        steps.clear();
    }
}

void StorePlatformChoice(AppState& state, SettingsStore& store, int index)
{
    state.PlatformIndex = index;
    store.write(QStringLiteral("Platform"), PlatformText(index));
}
