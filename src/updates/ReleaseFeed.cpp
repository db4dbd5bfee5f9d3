#include "updates/ReleaseFeed.h"

#include "updates/ListText.h"

namespace {

constexpr int LinesRead = 4;

} // namespace

ReleaseFeed parseReleaseFeed(std::string_view text)
{
    ReleaseFeed feed;
    LineReader lines(text);
    std::string_view line;
    for (int number = 1; number <= LinesRead && lines.next(line); ++number) {
        if (countSeparators(line, "\t") < 1)
            continue;
        const std::size_t firstTab = line.find('\t');
        const std::string_view rest = line.substr(firstTab + 1);
        const FeedRelease release{line.substr(0, firstTab), rest.substr(0, rest.find('\t'))};
        // A name that could not stand in an address or a file name says nothing.
        if (!isPlainName(release.version))
            continue;
        if (!feed.stable && containsIgnoringCase(line, "stable"))
            feed.stable = release;
        else if ((!feed.beta && containsIgnoringCase(line, "beta")) || containsIgnoringCase(line, "rc"))
            feed.beta = release;
        else if (!feed.nightly && containsIgnoringCase(line, "nightlies"))
            feed.nightly = release;
    }
    return feed;
}
