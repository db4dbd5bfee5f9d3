#pragma once

// The game project's release feed: the latest release of each channel from its first
// four lines. Standard library only; the answer points into the text.

#include <optional>
#include <string_view>

struct FeedRelease
{
    std::string_view version; // field 1
    std::string_view date;    // field 2, unchanged
};

struct ReleaseFeed
{
    std::optional<FeedRelease> stable;
    std::optional<FeedRelease> beta; // a beta or release candidate
    std::optional<FeedRelease> nightly;
};

// Lines 1 to 4 that hold a tab and a plain version in field 1 (fields are cut at tabs);
// the channel keywords are searched in the whole line ignoring case. The first "stable"
// line is the stable release; a "beta" line is the beta unless one was found, and any
// later "rc" line replaces it; the first "nightlies" line is the nightly build.
ReleaseFeed parseReleaseFeed(std::string_view text);
