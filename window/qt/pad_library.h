// PadLibrary: SDL2's game controller calls, loaded on demand from the system's libSDL2.
#pragma once

#include <SDL.h>

namespace worm {

// Each call the game makes, by the name the struct keeps it under and SDL's own: listed once,
// for the members and for their dlsym, so that no name can be typed differently in the two.
#define WORM_PAD_CALLS(X)                                                                                    \
    X(setHint, SDL_SetHint)                                                                                  \
    X(initSubSystem, SDL_InitSubSystem)                                                                      \
    X(getError, SDL_GetError)                                                                                \
    X(joystickEventState, SDL_JoystickEventState)                                                            \
    X(controllerEventState, SDL_GameControllerEventState)                                                    \
    X(update, SDL_GameControllerUpdate)                                                                      \
    X(numJoysticks, SDL_NumJoysticks)                                                                        \
    X(isGameController, SDL_IsGameController)                                                                \
    X(deviceInstanceId, SDL_JoystickGetDeviceInstanceID)                                                     \
    X(open, SDL_GameControllerOpen)                                                                          \
    X(close, SDL_GameControllerClose)                                                                        \
    X(attached, SDL_GameControllerGetAttached)                                                               \
    X(button, SDL_GameControllerGetButton)                                                                   \
    X(axis, SDL_GameControllerGetAxis)                                                                       \
    /* for the virtual pads of test builds only */                                                           \
    X(joystickOpen, SDL_JoystickOpen)                                                                        \
    X(joystickClose, SDL_JoystickClose)                                                                      \
    X(joystickInstanceId, SDL_JoystickInstanceID)                                                            \
    X(attachVirtual, SDL_JoystickAttachVirtualEx)                                                            \
    X(detachVirtual, SDL_JoystickDetachVirtual)                                                              \
    X(setVirtualButton, SDL_JoystickSetVirtualButton)                                                        \
    X(setVirtualAxis, SDL_JoystickSetVirtualAxis)

// Linked at start, SDL brought some thirty libraries (its audio and video back ends among them)
// into every game, pad or none; opened only when a pad may be there, it costs the others nothing.
struct PadLibrary {
#define WORM_PAD_MEMBER(member, call) decltype(&call) member = nullptr;
    WORM_PAD_CALLS(WORM_PAD_MEMBER)
#undef WORM_PAD_MEMBER

    // The library's calls, its controller subsystem started; null if SDL is not installed or
    // will not start, and the game then plays on without pads. Loaded once, kept for the run.
    static const PadLibrary* get();
};

} // namespace worm
