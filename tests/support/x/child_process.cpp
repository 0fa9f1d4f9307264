// ChildProcess: fork and exec with a death signal, so a crashed harness leaves nothing behind.
#include "tests/support/x/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "tests/support/x/wait.h"

namespace worm::xharness {
namespace {

[[noreturn]] void execChild(const Spawn& spawn, const std::vector<char*>& argv, pid_t parent)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL); // the harness dying must not leave a game or server running
    if (getppid() != parent) {
        _exit(127); // it died before the signal was armed
    }
    for (const auto& name : spawn.unsetEnvironment) {
        unsetenv(name.c_str());
    }
    for (const auto& entry : spawn.environment) {
        const auto eq = entry.find('=');
        setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
    }
    if (!spawn.outputFile.empty()) {
        const int out = open(spawn.outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
            close(out);
        }
    }
    if (spawn.keepFd >= 0) {
        fcntl(spawn.keepFd, F_SETFD, 0);
    }
    execv(spawn.program.c_str(), argv.data());
    _exit(127);
}

} // namespace

ChildProcess::ChildProcess(const Spawn& spawn)
{
    std::vector<std::string> words{spawn.program};
    words.insert(words.end(), spawn.args.begin(), spawn.args.end());
    std::vector<char*> argv;
    for (auto& w : words) {
        argv.push_back(w.data());
    }
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid_ == 0) {
        execChild(spawn, argv, parent);
    }
}

ChildProcess::~ChildProcess() { terminate(); }

bool ChildProcess::reap(int options)
{
    if (status_) {
        return true;
    }
    int status = 0;
    const pid_t r = waitpid(pid_, &status, options);
    if (r == pid_) {
        status_ = status;
        return true;
    }
    return r < 0 && errno == ECHILD;
}

bool ChildProcess::running() { return !reap(WNOHANG); }

std::optional<int> ChildProcess::waitExit(std::chrono::milliseconds timeout)
{
    if (!waitUntil([this] { return reap(WNOHANG); }, timeout)) {
        return std::nullopt;
    }
    return status_;
}

void ChildProcess::terminate(std::chrono::milliseconds grace)
{
    if (pid_ <= 0 || reap(WNOHANG)) {
        return;
    }
    kill(pid_, SIGTERM);
    if (!waitExit(grace)) {
        kill(pid_, SIGKILL);
        reap(0);
    }
}

} // namespace worm::xharness
