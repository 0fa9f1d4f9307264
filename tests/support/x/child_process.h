// ChildProcess: a program the harness started, killed and reaped on every path out.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace worm::xharness {

struct Spawn {
    std::string program;
    std::vector<std::string> args;
    std::vector<std::string> environment; // NAME=value entries set on top of ours
    std::vector<std::string> unsetEnvironment;
    int keepFd = -1;        // a descriptor the child keeps open (Xvfb's -displayfd)
    std::string outputFile; // stdout and stderr are appended here when set
};

class ChildProcess {
public:
    explicit ChildProcess(const Spawn& spawn);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // The raw wait status once the child has ended, or nothing if it is still running then.
    std::optional<int> waitExit(std::chrono::milliseconds timeout);
    // SIGTERM, then SIGKILL once the grace (stretched by the slack) has passed.
    void terminate(std::chrono::milliseconds grace = std::chrono::milliseconds(2000));

private:
    bool reap(int options);

    pid_t pid_ = -1;
    std::optional<int> status_;
};

} // namespace worm::xharness
