// What /proc tells about another process: resident memory, CPU time and wake-ups.
#pragma once

#include <sys/types.h>

namespace worm::bench {

struct CpuSample {
    double tickSeconds = 0; // utime + stime, in clock ticks of 10 ms
    double runSeconds = 0;  // summed over the threads, to the nanosecond where the kernel keeps it
    long wakeups = 0;       // voluntary context switches of every thread: it slept and was woken
    long preemptions = 0;   // involuntary ones: another process took the core
};

long residentKiB(pid_t pid);
CpuSample cpuSample(pid_t pid);

} // namespace worm::bench
