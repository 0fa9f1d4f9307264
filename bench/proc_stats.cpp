// Reads /proc/PID/status, /proc/PID/stat and each thread's schedstat and status.
#include "bench/proc_stats.h"

#include <dirent.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace worm::bench {
namespace {

long statusField(const std::string& path, const std::string& key)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) == 0) {
            return std::stol(line.substr(key.size()));
        }
    }
    return 0;
}

// Fields 14 and 15 of stat, counted after the command name, which may hold spaces.
double statTicks(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    double utime = 0, stime = 0;
    for (int n = 3; fields >> field; ++n) {
        if (n == 14) {
            utime = std::stod(field);
        } else if (n == 15) {
            stime = std::stod(field);
            break;
        }
    }
    return utime + stime;
}

} // namespace

long residentKiB(pid_t pid) { return statusField("/proc/" + std::to_string(pid) + "/status", "VmRSS:"); }

CpuSample cpuSample(pid_t pid)
{
    CpuSample s;
    s.tickSeconds = statTicks(pid) / static_cast<double>(sysconf(_SC_CLK_TCK));
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr) {
        return s;
    }
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        const std::string task = tasks + "/" + entry->d_name;
        std::ifstream sched(task + "/schedstat");
        double ns = 0;
        if (sched >> ns) {
            s.runSeconds += ns * 1e-9;
        }
        s.wakeups += statusField(task + "/status", "voluntary_ctxt_switches:");
        s.preemptions += statusField(task + "/status", "nonvoluntary_ctxt_switches:");
    }
    closedir(dir);
    return s;
}

} // namespace worm::bench
