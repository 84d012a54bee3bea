// Timing and memory readings shared by the benchmarks.
#pragma once

#include <chrono>
#include <fstream>
#include <string>

#include <malloc.h>
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

// The processor time the process has used so far, user and system: on a
// machine busy with other work it varies far less than the wall clock.
inline double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A line of /proc/self/status ("VmRSS", "VmHWM") in megabytes; 0 when unknown.
inline double StatusMegabytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
    return 0;
}

// The memory one piece of work takes: its peak above what the process held
// when it began. The freed memory of earlier work is handed back first, so
// that work reusing it is not missed, and the peak is reset (Linux).
template <typename F>
double WorkPeakMegabytes(F&& work)
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const double before = StatusMegabytes("VmRSS");
    work();
    return StatusMegabytes("VmHWM") - before;
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
