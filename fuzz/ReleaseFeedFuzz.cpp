// libFuzzer target for the release feed: any text must give an answer without a crash, a
// hang, an undefined operation or any allocation, and only plain versions taken from
// the text itself.

#include "AllocationLimit.h"
#include "updates/ListText.h"
#include "updates/ReleaseFeed.h"

#include <cstdint>
#include <string_view>

namespace {

bool inside(std::string_view part, std::string_view whole)
{
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    allocationlimit::install();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReleaseFeed feed;
    allocationlimit::check(0, size, [&] {
        feed = parseReleaseFeed(text);
        // Separators of every length, cut from the text itself.
        for (std::size_t length = 0; length <= 4 && length <= size; ++length)
            countSeparators(text, text.substr(size - length));
    });
    for (const auto* release : {&feed.stable, &feed.beta, &feed.nightly}) {
        if (!*release)
            continue;
        FUZZ_ASSERT(isPlainName((*release)->version));
        FUZZ_ASSERT(inside((*release)->version, text) && inside((*release)->date, text));
    }
    return 0;
}
