#include "app/MenuLinks.h"

#include "app/AppState.h"
#include "app/MakerPages.h"
#include "app/ObjectNames.h"

#include <array>

namespace {

struct Link
{
    QLatin1StringView name;
    QString Endpoints::*server; // null: a page of the maker's, with the tracking query
    const char* path;
};

constexpr Link Links[] = {
    {ObjectName::mnuKrvnWiki, &Endpoints::wikiServer, "/Main_Page"},
    {ObjectName::mnuKrvnHome, &Endpoints::homeServer, "/"},
    {ObjectName::mnuForum, &Endpoints::forumServer, "/"},
    {ObjectName::mnuBug, &Endpoints::bugServer, "/"},
    {ObjectName::mnuKrvnFiles, &Endpoints::buildServer, "/"},
    {ObjectName::mnuCrates, &Endpoints::contentServer, "/en/newgrf/"},
    {ObjectName::mnuGRFCrawler, &Endpoints::graphicsIndexServer, "/"},
    {ObjectName::mnuTWSR, nullptr, "/townscape-refit-graphics/"},
    {ObjectName::mnuWebsite, nullptr, ProductPagePath},
};

} // namespace

QString menuLinkAddress(const AppState& state, const QString& name)
{
    for (const Link& link : Links) {
        if (name != link.name)
            continue;
        const QString path = QLatin1String(link.path);
        return link.server ? state.endpoints.*link.server + path : makerPageAddress(state, path);
    }
    return {};
}
