#pragma once

// Wall and CPU time of a stretch of a benchmark. On a shared machine the wall
// time of one stretch swings with the load; the CPU time (the process is
// single-threaded while measured) shows the program's own cost.
#include <QtGlobal>
#include <algorithm>
#include <ctime>

namespace kw::bench {

struct Elapsed
{
    qint64 wallNs = 0;
    qint64 cpuNs = 0;

    static Elapsed fastest(const Elapsed &a, const Elapsed &b)
    {
        return {std::min(a.wallNs, b.wallNs), std::min(a.cpuNs, b.cpuNs)};
    }
};

class RunClock
{
public:
    RunClock() : m_wall(now(CLOCK_MONOTONIC)), m_cpu(now(CLOCK_PROCESS_CPUTIME_ID)) {}
    Elapsed elapsed() const { return {now(CLOCK_MONOTONIC) - m_wall, now(CLOCK_PROCESS_CPUTIME_ID) - m_cpu}; }

private:
    static qint64 now(clockid_t clock)
    {
        timespec t{};
        clock_gettime(clock, &t);
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    }

    qint64 m_wall;
    qint64 m_cpu;
};

} // namespace kw::bench
