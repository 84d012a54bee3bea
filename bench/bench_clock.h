// Timing and memory readings shared by the benchmarks.
#pragma once

#include <chrono>

#include <sys/resource.h>
#include <unistd.h>

namespace dravik::bench {

inline double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The process's peak resident memory so far.
inline double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Every timed phase starts with nothing waiting to be written, so that one
// phase's write-back is not charged to the next.
template <typename F>
double Time(F&& work)
{
    ::sync();
    auto start = std::chrono::steady_clock::now();
    work();
    return Seconds(start);
}

}  // namespace dravik::bench
