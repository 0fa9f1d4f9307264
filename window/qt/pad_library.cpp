// PadLibrary: dlopen and dlsym of the SDL2 calls the pads need, then SDL's controller subsystem.
#include "window/qt/pad_library.h"

#include <dlfcn.h>

#include <cstdio>

namespace worm {
namespace {

template <typename Call> bool resolve(void* library, const char* name, Call& call)
{
    call = reinterpret_cast<Call>(dlsym(library, name));
    return call != nullptr;
}

bool resolveAll(void* so, PadLibrary& l)
{
#define WORM_PAD_RESOLVE(member, call) &&resolve(so, #call, l.member)
    return true WORM_PAD_CALLS(WORM_PAD_RESOLVE);
#undef WORM_PAD_RESOLVE
}

bool start(const PadLibrary& l)
{
    l.setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1"); // Ctrl+C and SIGTERM stay Qt's
    // South is the button at the bottom on every pad, as on the page, whatever its label says.
    l.setHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    if (l.initSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "worm: gamepads are not read: %s\n", l.getError());
        return false;
    }
    // Pads are polled; an event queue nobody empties would only grow.
    l.joystickEventState(SDL_IGNORE);
    l.controllerEventState(SDL_IGNORE);
    return true;
}

const PadLibrary* load()
{
    static PadLibrary library;
    void* so = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (so == nullptr) {
        return nullptr; // no SDL on this system: keys, mouse and touch still play
    }
    if (!resolveAll(so, library) || !start(library)) {
        dlclose(so);
        return nullptr;
    }
    return &library;
}

} // namespace

const PadLibrary* PadLibrary::get()
{
    static const PadLibrary* const library = load();
    return library;
}

} // namespace worm
