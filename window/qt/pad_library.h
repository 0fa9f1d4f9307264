// PadLibrary: SDL2's game controller calls, loaded on demand from the system's libSDL2.
#pragma once

#include <SDL.h>

namespace worm {

// Linked at start, SDL brought some thirty libraries (its audio and video back ends among them)
// into every game, pad or none; opened only when a pad may be there, it costs the others nothing.
struct PadLibrary {
    decltype(&SDL_SetHint) setHint;
    decltype(&SDL_InitSubSystem) initSubSystem;
    decltype(&SDL_GetError) getError;
    decltype(&SDL_JoystickEventState) joystickEventState;
    decltype(&SDL_GameControllerEventState) controllerEventState;
    decltype(&SDL_GameControllerUpdate) update;
    decltype(&SDL_NumJoysticks) numJoysticks;
    decltype(&SDL_IsGameController) isGameController;
    decltype(&SDL_JoystickGetDeviceInstanceID) deviceInstanceId;
    decltype(&SDL_GameControllerOpen) open;
    decltype(&SDL_GameControllerClose) close;
    decltype(&SDL_GameControllerGetAttached) attached;
    decltype(&SDL_GameControllerGetButton) button;
    decltype(&SDL_GameControllerGetAxis) axis;
    decltype(&SDL_GameControllerGetJoystick) joystick;
    // For the virtual pads of test builds only.
    decltype(&SDL_JoystickOpen) joystickOpen;
    decltype(&SDL_JoystickClose) joystickClose;
    decltype(&SDL_JoystickInstanceID) joystickInstanceId;
    decltype(&SDL_JoystickAttachVirtualEx) attachVirtual;
    decltype(&SDL_JoystickDetachVirtual) detachVirtual;
    decltype(&SDL_JoystickSetVirtualButton) setVirtualButton;
    decltype(&SDL_JoystickSetVirtualAxis) setVirtualAxis;

    // The library's calls, its controller subsystem started; null if SDL is not installed or
    // will not start, and the game then plays on without pads. Loaded once, kept for the run.
    static const PadLibrary* get();
};

} // namespace worm
