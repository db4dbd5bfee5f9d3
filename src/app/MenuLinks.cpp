#include "app/MenuLinks.h"

#include "app/AppState.h"
#include "app/MakerPages.h"

#include <array>

namespace {

struct Link
{
    const char* name;
    QString Endpoints::*server; // null: a page of the maker's, with the tracking query
    const char* path;
};

constexpr Link Links[] = {
    {"mnuKrvnWiki", &Endpoints::wikiServer, "/Main_Page"},
    {"mnuKrvnHome", &Endpoints::homeServer, "/"},
    {"mnuForum", &Endpoints::forumServer, "/"},
    {"mnuBug", &Endpoints::bugServer, "/"},
    {"mnuKrvnFiles", &Endpoints::buildServer, "/"},
    {"mnuCrates", &Endpoints::contentServer, "/en/newgrf/"},
    {"mnuGRFCrawler", &Endpoints::graphicsIndexServer, "/"},
    {"mnuTWSR", nullptr, "/townscape-refit-graphics/"},
    {"mnuWebsite", nullptr, ProductPagePath},
};

} // namespace

QString menuLinkAddress(const AppState& state, const QString& name)
{
    for (const Link& link : Links) {
        if (name != QLatin1String(link.name))
            continue;
        const QString path = QLatin1String(link.path);
        return link.server ? state.endpoints.*link.server + path : makerPageAddress(state, path);
    }
    return {};
}
