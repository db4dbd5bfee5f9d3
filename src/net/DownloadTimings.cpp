#include "net/DownloadTimings.h"

DownloadTimings& currentDownloadTimings()
{
    static DownloadTimings timings;
    return timings;
}
