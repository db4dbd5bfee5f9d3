#pragma once

// The web links of the Help menu: each entry's name and the address it opens.

#include <QString>

struct AppState;

// The address of the link named name (`mnuKrvnWiki`, `mnuTWSR`, `mnuWebsite`, ...);
// empty for a name that is no link.
QString menuLinkAddress(const AppState& state, const QString& name);
