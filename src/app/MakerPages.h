#pragma once

// Addresses of the maker's pages, which carry a tracking query and the version digits.

#include <QString>

struct AppState;
class Platform;

// The path of this program's own page.
inline constexpr char ProductPagePath[] = "/korvane-manager/";

inline const QString TrackingQuery = QStringLiteral("?utm_source=krvnm&utm_medium=app&utm_campaign=");

// Address of a page on the maker's server, with the tracking query.
QString makerPageAddress(const AppState& state, const QString& path);
// OpenProductPage: the maker's page of this program.
void openProductPage(const AppState& state, Platform& platform);
