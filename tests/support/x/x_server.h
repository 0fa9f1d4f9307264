// XServer: a private Xvfb at 96 dpi on a display it picks itself, guarded by its own cookie.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/x/child_process.h"

namespace worm::xharness {

// A new directory under the temporary one, mode 0700; its owner removes it.
std::string makePrivateDirectory();

struct ScreenSize {
    int width = 1280, height = 1024; // room for the window at scale factor 2 and resized
};

class XServer {
public:
    explicit XServer(ScreenSize screen = {}); // throws if the server does not come up
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

} // namespace worm::xharness
