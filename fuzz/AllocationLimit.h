#pragma once

// For the fuzz targets: the largest single allocation made while a reader runs, so a
// target can insist that no input makes a reader allocate beyond the input's size.

#include <sanitizer/allocator_interface.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace allocationlimit {

inline volatile bool tracking = false;
inline volatile std::size_t largest = 0;

inline void onMalloc(const volatile void*, std::size_t size)
{
    if (tracking && size > largest)
        largest = size;
}

inline void onFree(const volatile void*)
{}

inline void install()
{
    __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
}

// Runs read and aborts when it allocated more than limit bytes at once.
template <typename Read> void check(std::size_t limit, std::size_t inputSize, Read&& read)
{
    largest = 0;
    tracking = true;
    read();
    tracking = false;
    if (largest > limit) {
        std::fprintf(stderr, "allocation of %zu bytes for an input of %zu bytes\n", std::size_t(largest), inputSize);
        std::abort();
    }
}

} // namespace allocationlimit

#define FUZZ_ASSERT(condition)                                                                                         \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "broken: %s\n", #condition);                                                          \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
