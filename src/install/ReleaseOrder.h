#pragma once

// The order of the game's release numbers, so that going back to an older one can be
// asked about first.

#include <QString>

namespace ReleaseOrder {

// True when candidate is a release before installed: "1.3.3" before "1.4.0", "1.4.0-beta5"
// before "1.4.0". False when either is no release number (a nightly "r26400", an empty
// or unreadable version): their order is not known.
bool isOlder(const QString& candidate, const QString& installed);

} // namespace ReleaseOrder
