// What /proc tells about another process: resident memory, CPU time and wake-ups.
#pragma once

#include <sys/types.h>

namespace worm::bench {

struct CpuSample {
    double tickSeconds = 0; // utime + stime, in clock ticks of 10 ms
    double runSeconds = 0;  // summed over the threads, to the nanosecond where the kernel keeps it
    long switches = 0;      // context switches of every thread: each is one wake-up or preemption
};

long residentKiB(pid_t pid);
CpuSample cpuSample(pid_t pid);

} // namespace worm::bench
