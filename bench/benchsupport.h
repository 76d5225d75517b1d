#pragma once
// What the benchmark cases share: the size of the run (a small run, as CI
// makes to prove that every case still runs, scales every item count down),
// and processor time of the working thread.

#include <ctime>
#include <sys/resource.h>

namespace bench {

// True when the program was started with --small.
bool SmallRun();

// The item count a case uses for the count it is registered with.
inline int Items(long long count)
{
    return SmallRun() ? int(count < 200 ? count : 200) : int(count);
}

inline double ThreadCpuMilliseconds()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Page faults of the process so far that the system served without a disk.
inline long PageFaults()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

} // namespace bench
