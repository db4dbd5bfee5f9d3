#include "net/DownloadTimings.h"

DownloadTimings& CurrentDownloadTimings()
{
    static DownloadTimings timings;
    return timings;
}
