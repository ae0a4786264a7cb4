// A simulated day of twenty timers at 100 ms to 60 s intervals, in virtual time.
// Prints the CPU time it took.
#include <cstdio>
#include <ctime>

#include "core/base/runtime.h"
#include "core/base/virtual_time.h"

int main() {
    using namespace vox;
    VirtualClock clock(LocalTime{2026, 12, 10, 0, 0, 0, 0});
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    const int intervals[] = {100,   200,   500,   500,   1000,  1000,  1000,  1000,  15000, 30000,
                             30000, 60000, 60000, 60000, 60000, 60000, 60000, 60000, 60000, 60000};
    unsigned long long ticks = 0;
    for (int i = 0; i < 20; ++i)
        rt.addTimer("t" + std::to_string(i), intervals[i], [&] { ++ticks; }).setEnabled(true);
    const std::clock_t c0 = std::clock();
    rt.waitUntil(rt.now() + 86400.0);
    const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    std::printf("simulated 24 h, 20 timers: %llu ticks in %.3f s CPU\n", ticks, cpu);
    return 0;
}
