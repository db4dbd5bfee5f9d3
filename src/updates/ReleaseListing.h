#pragma once

// The build server's HTML listing of the release folders: the older releases that can
// still be installed, read one at a time. Standard library only; nothing is allocated
// and the answers point into the text.

#include <array>
#include <optional>
#include <string_view>

#include "updates/ListText.h"

// Releases that are never offered.
inline constexpr std::array<std::string_view, 14> OldVersionList = {"0.1.1", "0.1.2", "0.1.3", "0.1.4", "0.2.0",
                                                                    "0.2.1", "0.3.0", "0.3.1", "0.3.2", "0.3.2.1",
                                                                    "0.3.3", "0.3.4", "0.3.5", "0.3.6"};

struct ListedRelease
{
    std::string_view version; // the release folder's name
    std::string_view date;
};

// Reads the lines holding "<tr>" at least twice, each cut at every "<tr>". A piece names a
// release when it holds "<td>" but neither "<th>" nor "parent directory" (ignoring case);
// its folder runs from after its first double quote to the next "/", is a plain name with
// a "." and is neither the latest stable nor the latest beta nor an old version; and its
// date runs from the first "20" after that "/" to the next blank.
class ReleaseListing
{
public:
    ReleaseListing(std::string_view text, std::string_view latestStable, std::string_view latestBeta)
        : lines(text), latestStable(latestStable), latestBeta(latestBeta)
    {}

    // The next release in the order of the text; nothing after the last.
    std::optional<ListedRelease> next();

private:
    std::optional<ListedRelease> examine(std::string_view piece) const;

    LineReader lines;
    std::string_view latestStable;
    std::string_view latestBeta;
    std::optional<std::string_view> restOfLine; // the pieces of the current line not yet examined
};
