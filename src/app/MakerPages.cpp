#include "app/MakerPages.h"

#include "app/AppState.h"
#include "app/Platform.h"
#include "app/Version.h"

QString MakerPageAddress(const AppState& state, const QString& path)
{
    return state.endpoints.makerServer + path + TrackingQuery + QLatin1String(VersionDigits);
}

void OpenProductPage(const AppState& state, Platform& platform)
{
    platform.openDocument(MakerPageAddress(state, QLatin1String(ProductPagePath)));
}
