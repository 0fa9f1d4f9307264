// WindowManager: openbox with its stock configuration, nothing from the caller's home.
#include "tests/support/x/window_manager.h"

#include <stdexcept>

#include "tests/support/x/x_client.h"
#include "tests/support/x/x_server.h"

namespace worm::xharness {
namespace {

Spawn openbox(const XServer& server)
{
    auto env = server.clientEnvironment();
    // A private home and config directory: the user's own openbox settings stay out of it.
    env.push_back("HOME=" + server.privateDirectory());
    env.push_back("XDG_CONFIG_HOME=" + server.privateDirectory() + "/config");
    return Spawn{"/usr/bin/openbox", {}, env, {}, -1, server.privateDirectory() + "/openbox.log"};
}

} // namespace

WindowManager::WindowManager(const XServer& server, XClient& x) : process_(openbox(server))
{
    if (!waitUntil([&] { return x.windowManagerRuns() || !process_.running(); }, 10s) ||
        !process_.running()) {
        throw std::runtime_error("openbox did not start on " + server.display());
    }
}

} // namespace worm::xharness
