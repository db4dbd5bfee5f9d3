#include "updates/ReleaseListing.h"

#include <algorithm>

namespace {

constexpr std::string_view RowStart = "<tr>";

} // namespace

std::optional<ListedRelease> ReleaseListing::next()
{
    for (;;) {
        if (!restOfLine) {
            std::string_view line;
            if (!lines.next(line))
                return std::nullopt;
            // A listing with one table row per line names no releases.
            if (countSeparators(line, RowStart) < 2)
                continue;
            restOfLine = line;
        }
        const std::size_t cut = restOfLine->find(RowStart);
        const std::string_view piece = restOfLine->substr(0, cut);
        if (cut == std::string_view::npos)
            restOfLine.reset();
        else
            restOfLine = restOfLine->substr(cut + RowStart.size());
        if (const std::optional<ListedRelease> release = examine(piece))
            return release;
    }
}

std::optional<ListedRelease> ReleaseListing::examine(std::string_view piece) const
{
    if (!containsIgnoringCase(piece, "<td>") || containsIgnoringCase(piece, "<th>") ||
        containsIgnoringCase(piece, "parent directory"))
        return std::nullopt;
    const std::size_t quote = piece.find('"');
    if (quote == std::string_view::npos)
        return std::nullopt;
    const std::size_t slash = piece.find('/', quote + 1);
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::string_view folder = piece.substr(quote + 1, slash - quote - 1);
    if (folder.empty() || folder == latestStable || folder == latestBeta ||
        folder.find('.') == std::string_view::npos ||
        std::find(OldVersionList.begin(), OldVersionList.end(), folder) != OldVersionList.end() || !isPlainName(folder))
        return std::nullopt;
    const std::size_t year = piece.find("20", slash);
    if (year == std::string_view::npos)
        return std::nullopt;
    const std::size_t blank = piece.find(' ', year);
    if (blank == std::string_view::npos)
        return std::nullopt;
    return ListedRelease{folder, piece.substr(year, blank - year)};
}
