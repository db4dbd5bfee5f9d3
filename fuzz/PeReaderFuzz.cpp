// libFuzzer target for the PE version reader: any input must give an answer without a
// crash, a hang, an undefined operation or an allocation larger than the input.

#include "detect/ByteSource.h"
#include "detect/FileVersionText.h"

#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

volatile bool tracking = false;
volatile std::size_t largestAllocation = 0;

void onMalloc(const volatile void*, std::size_t size)
{
    if (tracking && size > largestAllocation)
        largestAllocation = size;
}

void onFree(const volatile void*)
{}

// Small fixed bookkeeping (the query path, the block name) is allowed beside the input.
constexpr std::size_t FixedAllowance = 256;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryByteSource source(data, size);
    largestAllocation = 0;
    tracking = true;
    const std::u16string text = fileVersionTextOf(source);
    tracking = false;
    if (largestAllocation > std::max(size, FixedAllowance)) {
        std::fprintf(stderr, "allocation of %zu bytes for an input of %zu bytes\n", largestAllocation, size);
        std::abort();
    }
    if (text.size() * 2 > size) {
        std::fprintf(stderr, "a text of %zu characters from %zu bytes\n", text.size(), size);
        std::abort();
    }
    return 0;
}
