#include "app/MakerPages.h"

#include "app/AppState.h"
#include "app/Platform.h"
#include "app/Version.h"

QString makerPageAddress(const AppState& state, const QString& path)
{
    return state.endpoints.makerServer + path + TrackingQuery + QLatin1String(VersionDigits);
}

void openProductPage(const AppState& state, Platform& platform)
{
    platform.openDocument(makerPageAddress(state, QLatin1String(ProductPagePath)));
}
