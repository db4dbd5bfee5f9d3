// libFuzzer target for the build server's listing: any text must give its releases
// without a crash, a hang, an undefined operation or any allocation; every release named
// is a plain folder name with a "." and a date starting with "20", both from the text.

#include "AllocationLimit.h"
#include "updates/ReleaseListing.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    allocationlimit::install();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t releases = 0;
    allocationlimit::check(0, size, [&] {
        ReleaseListing listing(text, "1.4.0", "1.4.0-beta5");
        while (const auto release = listing.next()) {
            ++releases;
            FUZZ_ASSERT(isPlainName(release->version));
            FUZZ_ASSERT(release->version.find('.') != std::string_view::npos);
            FUZZ_ASSERT(release->version != "1.4.0" && release->version != "1.4.0-beta5");
            FUZZ_ASSERT(std::find(OldVersionList.begin(), OldVersionList.end(), release->version) ==
                        OldVersionList.end());
            FUZZ_ASSERT(release->date.starts_with("20"));
            FUZZ_ASSERT(release->version.data() >= text.data() &&
                        release->date.data() + release->date.size() <= text.data() + size);
        }
    });
    // Each release needs its own "<tr>" piece.
    FUZZ_ASSERT(releases <= size / 4 + 1);
    return 0;
}
