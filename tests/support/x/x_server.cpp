// XServer: Xvfb reports its display number through -displayfd, so parallel suites never clash.
#include "tests/support/x/x_server.h"

#include <X11/Xauth.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tests/support/x/wait.h"

namespace worm::xharness {
namespace {

// One wildcard entry (any host, any display), because the display number is only known once
// the server runs, and the server reads its cookies before that.
void writeAuthority(const std::string& path)
{
    std::array<char, 16> cookie{};
    std::ifstream random("/dev/urandom", std::ios::binary);
    if (!random.read(cookie.data(), cookie.size())) {
        throw std::runtime_error("cannot read /dev/urandom");
    }
    char name[] = "MIT-MAGIC-COOKIE-1";
    char empty[] = "";
    Xauth entry{};
    entry.family = FamilyWild;
    entry.address = empty;
    entry.number = empty;
    entry.name = name;
    entry.name_length = sizeof(name) - 1;
    entry.data = cookie.data();
    entry.data_length = cookie.size();
    FILE* file = std::fopen(path.c_str(), "wb");
    const bool ok = file && XauWriteAuth(file, &entry) == 1;
    if (file) {
        std::fclose(file);
    }
    if (!ok) {
        throw std::runtime_error("cannot write the X authority file");
    }
}

std::string readDisplayNumber(int fd, Clock::duration timeout)
{
    std::string number;
    const auto deadline = Clock::now() + timeout;
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{fd, POLLIN, 0};
        char c = 0;
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0 || read(fd, &c, 1) != 1 ||
            c == '\n') {
            return number;
        }
        number += c;
    }
}

} // namespace

std::string makePrivateDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "worm-x-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    return pattern;
}

XServer::XServer(ScreenSize screen) : dir_(makePrivateDirectory()), authority_(dir_ + "/Xauthority")
{
    writeAuthority(authority_);
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const std::string geometry = std::to_string(screen.width) + "x" + std::to_string(screen.height) + "x24";
    Spawn spawn{"/usr/bin/Xvfb",
                {"-displayfd", std::to_string(fds[1]), "-auth", authority_, "-screen", "0", geometry, "-dpi",
                 "96", "-nolisten", "tcp", "-noreset"},
                {},
                {},
                fds[1],
                dir_ + "/xvfb.log"};
    process_ = std::make_unique<ChildProcess>(spawn);
    close(fds[1]);
    const std::string number = readDisplayNumber(fds[0], scaled(15s));
    close(fds[0]);
    if (number.empty()) {
        throw std::runtime_error("Xvfb did not start:\n" + log());
    }
    display_ = ":" + number;
}

XServer::~XServer()
{
    process_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::vector<std::string> XServer::clientEnvironment() const
{
    return {"DISPLAY=" + display_, "XAUTHORITY=" + authority_};
}

std::string XServer::log() const
{
    std::ifstream in(dir_ + "/xvfb.log");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace worm::xharness
