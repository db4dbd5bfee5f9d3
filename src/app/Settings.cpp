#include "app/Settings.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Failure.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/SettingsStore.h"

#include <QLocale>

#include <cmath>
#include <limits>
#include <variant>

namespace {

// Where loadSettings puts a key's text; the member's type decides the conversion. Keys
// without one are not loaded: Platform is read on its own, the others are only written.
using Binding = std::variant<std::monostate, QString AppState::*, std::uint8_t AppState::*, std::uint16_t AppState::*,
                             QString Endpoints::*>;

struct KeyEntry
{
    SettingKey key;
    const char* name;
    const char* defaultText;
    Binding value;
};

// The one key table, in SettingKey's order, which is the reading order.
constexpr KeyEntry Keys[] = {
    {SettingKey::Language, "Language", "---", &AppState::language},
    {SettingKey::ConnectionType, "CONNECTIONTYPE", "0", &AppState::connectionType},
    {SettingKey::UseProxyAuth, "USEPROXYAUTH", "0", &AppState::useProxyAuth},
    {SettingKey::ProxyAddress, "PROXYADDRESS", "", &AppState::proxyAddress},
    {SettingKey::ProxyPort, "PROXYPORT", "80", &AppState::proxyPort},
    {SettingKey::ProxyUser, "PROXYUSER", "", &AppState::proxyUser},
    {SettingKey::ProxyPass, "PROXYPASS", "", &AppState::proxyPass},
    {SettingKey::RequireChecksum, "REQUIRECHECKSUM", "0", &AppState::requireChecksum},
    {SettingKey::KrvnPath, "KRVNPath", "", &AppState::krvnPath},
    {SettingKey::LatestStable, "LatestStable", "1.4.0", &AppState::latestStable},
    {SettingKey::LatestStableDate, "LatestStableDate", "2013-04-01", &AppState::latestStableDate},
    {SettingKey::LatestBeta, "LatestBeta", "1.4.0-beta5", &AppState::latestBeta},
    {SettingKey::LatestBetaDate, "LatestBetaDate", "2014-02-25", &AppState::latestBetaDate},
    {SettingKey::LatestNightly, "LatestNightly", "r26400", &AppState::latestNightly},
    {SettingKey::LatestNightlyDate, "LatestNightlyDate", "2014-03-12", &AppState::latestNightlyDate},
    {SettingKey::LatestVersionGot, "LatestVersionGot", "", &AppState::latestVersionGot},
    {SettingKey::LastCheckDate, "LastCheckDate", "", &AppState::lastCheckDate},
    {SettingKey::LastSelfCheckDate, "LastSelfCheckDate", "", &AppState::lastSelfCheckDate},
    // Server base addresses; tests and the demo point them at a local mirror.
    {SettingKey::FeedServer, "FEEDSERVER", "http://feed.korvane.example", &Endpoints::feedServer},
    {SettingKey::BuildServer, "BUILDSERVER", "http://builds.korvane.example", &Endpoints::buildServer},
    {SettingKey::MakerServer, "MAKERSERVER", "http://www.quillonworks.example", &Endpoints::makerServer},
    {SettingKey::WikiServer, "WIKISERVER", "http://wiki.korvane.example", &Endpoints::wikiServer},
    {SettingKey::HomeServer, "HOMESERVER", "http://www.korvane.example", &Endpoints::homeServer},
    {SettingKey::ForumServer, "FORUMSERVER", "http://forum.korvane.example", &Endpoints::forumServer},
    {SettingKey::BugServer, "BUGSERVER", "http://bugs.korvane.example", &Endpoints::bugServer},
    {SettingKey::ContentServer, "CONTENTSERVER", "http://content.korvane.example", &Endpoints::contentServer},
    {SettingKey::GraphicsIndexServer, "GRFINDEXSERVER", "http://grfcrawler.example", &Endpoints::graphicsIndexServer},
    {SettingKey::Platform, "Platform", "---", {}},
    {SettingKey::KrvnVersion, "KRVNVersion", "", {}},
    {SettingKey::KrvnVersionSize, "KRVNVersionSize", "", {}},
    {SettingKey::WinTempPath, "WinTempPath", "", {}},
    {SettingKey::AppPath, "AppPath", "", {}},
    {SettingKey::AppExeName, "AppExeName", "", {}},
    {SettingKey::UpdaterMessage1, "msg1", "", {}},
    {SettingKey::UpdaterMessage2, "msg2", "", {}},
    {SettingKey::UpdaterMessage3, "msg3", "", {}},
    {SettingKey::ArchiveDigest, "SHA256_", "", {}},
    {SettingKey::PartialDownload, "PARTIAL_", "", {}},
};

constexpr bool inKeyOrder()
{
    for (size_t i = 0; i < std::size(Keys); ++i)
        if (Keys[i].key != SettingKey(i))
            return false;
    return std::size(Keys) == size_t(SettingKey::PartialDownload) + 1;
}
static_assert(inKeyOrder(), "one table row per SettingKey, in its order");

const KeyEntry& entry(SettingKey key)
{
    return Keys[size_t(key)];
}

// Stored numbers were written by earlier versions and by hand, so any decimal text counts,
// signed or with a fraction, rounded half to even; one outside the range fails the key.
template <typename Number> Number toNumber(const QString& text)
{
    bool ok = false;
    const double value = std::nearbyint(QLocale::c().toDouble(text.trimmed(), &ok));
    if (!ok)
        throw Failure(FailureCode::Conversion, QStringLiteral("Type mismatch: \"%1\"").arg(text));
    if (!(value >= 0 && value <= std::numeric_limits<Number>::max()))
        throw Failure(FailureCode::Overflow, QStringLiteral("Overflow: \"%1\"").arg(text));
    return static_cast<Number>(value);
}

QString baseAddress(const QString& text)
{
    QString base = text.trimmed();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

template <typename... Handlers> struct Overloaded : Handlers...
{
    using Handlers::operator()...;
};
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

void assign(AppState& state, const Binding& value, const QString& text)
{
    std::visit(Overloaded{[](std::monostate) {}, [&](QString AppState::*member) { state.*member = text; },
                          [&](std::uint8_t AppState::*member) { state.*member = toNumber<std::uint8_t>(text); },
                          [&](std::uint16_t AppState::*member) { state.*member = toNumber<std::uint16_t>(text); },
                          [&](QString Endpoints::*member) { state.endpoints.*member = baseAddress(text); }},
               value);
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
    for (const KeyEntry& key : Keys)
        if (!std::holds_alternative<std::monostate>(key.value))
            steps.step([&] { assign(state, key.value, store.read(key.key)); });

    const QString notChosen = QLatin1String(entry(SettingKey::Platform).defaultText);
    QString platformText = notChosen;
    steps.step([&] { platformText = store.read(SettingKey::Platform); });
    state.platformIndex =
        platformText == notChosen ? derivePlatformIndex(platform) : platformIndexFromText(platformText);

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
    store.write(SettingKey::Platform, platformText(index));
}

QString SettingsStore::name(SettingKey key)
{
    return QLatin1String(entry(key).name);
}

QString SettingsStore::read(SettingKey key)
{
    return readText(name(key), QLatin1String(entry(key).defaultText));
}

QString SettingsStore::read(SettingKey key, const QString& whenAbsent)
{
    return readText(name(key), whenAbsent);
}

void SettingsStore::write(SettingKey key, const QString& text)
{
    writeText(name(key), text);
}

QString SettingsStore::readItem(SettingKey key, const QString& item)
{
    return readText(name(key) + item, QString());
}

void SettingsStore::writeItem(SettingKey key, const QString& item, const QString& text)
{
    writeText(name(key) + item, text);
}
