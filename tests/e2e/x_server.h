// XServer: a private Xvfb on a display it picks itself, guarded by its own cookie.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/child_process.h"

namespace worm::e2e {

class XServer {
public:
    XServer(); // throws if the server does not come up
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& display() const { return display_; } // ":N"
    const std::string& authorityFile() const { return authority_; }
    const std::string& privateDirectory() const { return dir_; } // mode 0700, removed after
    std::vector<std::string> clientEnvironment() const;          // DISPLAY and XAUTHORITY
    std::string log() const;

private:
    std::string dir_;
    std::string authority_;
    std::string display_;
    std::unique_ptr<ChildProcess> process_;
};

} // namespace worm::e2e
