// gamepad.cpp -- turning joystick events into the key events and held arrows the screens read.
#include "gamepad.h"
#include <cstring>
#include <deque>
#include "replay.h"

namespace {

// Who holds a key down: the hat, the stick or a button (any mix at once).
enum Holder { BY_HAT = 1, BY_STICK = 2, BY_BUTTON = 4 };

// Return, Escape, Space, the five fight keys, then Back (quit to the menu from the
// map) and Start (the pack).
const SDLKey DEFAULT_BUTTONS[] = {SDLK_RETURN, SDLK_ESCAPE, SDLK_SPACE, SDLK_z,  SDLK_x,
                                  SDLK_c,      SDLK_v,      SDLK_b,     SDLK_F2, SDLK_ESCAPE};

SDLKey buttonKeys[GAMEPAD_BUTTONS];
Uint8 heldBy[SDLK_LAST];
Uint8 hatArrows = 0;     // SDL_HAT_* bits of the hat's last position
Uint8 stickArrows = 0;   // the same bits for the stick's lean
std::deque<SDL_Event> pending;   // key events still to be handed out, oldest first

SDL_Event keyEvent(EventType type, SDLKey key)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.key.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    return e;
}

// Takes `holder`'s hold on key or lets it go; the key goes down when its first
// holder takes it and up when its last lets go, in SDL's key-state array and as an event.
void hold(SDLKey key, Uint8 holder, bool down)
{
    Uint8 before = heldBy[key];
    heldBy[key] = down ? (Uint8)(before | holder) : (Uint8)(before & ~holder);
    if ((before != 0) == (heldBy[key] != 0))
        return;
    Uint8* keys = SDL_GetKeyState(NULL);
    keys[key] = heldBy[key] ? 1 : 0;
    pending.push_back(keyEvent(heldBy[key] ? SDL_KEYDOWN : SDL_KEYUP, key));
}

// Moves the arrows held by `holder` from the SDL_HAT_* bits `was` to `now`.
void moveArrows(Uint8 holder, Uint8 was, Uint8 now)
{
    static const struct
    {
        Uint8 bit;
        SDLKey key;
    } ARROWS[] = {{SDL_HAT_UP, SDLK_UP}, {SDL_HAT_DOWN, SDLK_DOWN}, {SDL_HAT_LEFT, SDLK_LEFT},
                  {SDL_HAT_RIGHT, SDLK_RIGHT}};
    for (const auto& a : ARROWS)
        if ((was & a.bit) && !(now & a.bit))
            hold(a.key, holder, false);
    for (const auto& a : ARROWS)
        if (!(was & a.bit) && (now & a.bit))
            hold(a.key, holder, true);
}

// The arrow bits of one axis of the stick: axis 0 is left and right, axis 1 up and down.
Uint8 stickBits(Uint8 axis, Sint16 value, Uint8 others)
{
    Uint8 less = axis == 0 ? SDL_HAT_LEFT : SDL_HAT_UP;
    Uint8 more = axis == 0 ? SDL_HAT_RIGHT : SDL_HAT_DOWN;
    others &= (Uint8)~(less | more);
    if (value < -GAMEPAD_DEAD_ZONE)
        return (Uint8)(others | less);
    if (value > GAMEPAD_DEAD_ZONE)
        return (Uint8)(others | more);
    return others;
}

// Queues the key events a joystick event stands for.
void translate(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_JOYHATMOTION:
        if (e.jhat.hat == 0) {
            Uint8 now = e.jhat.value & (SDL_HAT_UP | SDL_HAT_DOWN | SDL_HAT_LEFT | SDL_HAT_RIGHT);
            moveArrows(BY_HAT, hatArrows, now);
            hatArrows = now;
        }
        break;
    case SDL_JOYAXISMOTION:
        if (e.jaxis.axis <= 1) {
            Uint8 now = stickBits(e.jaxis.axis, e.jaxis.value, stickArrows);
            moveArrows(BY_STICK, stickArrows, now);
            stickArrows = now;
        }
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: {
        SDLKey key = gamepadButtonKey(e.jbutton.button);
        if (key != SDLK_UNKNOWN)
            hold(key, BY_BUTTON, e.type == SDL_JOYBUTTONDOWN);
        break;
    }
    default:   // the trackball has no use here
        break;
    }
}

bool isJoystickEvent(EventType type)
{
    return type == SDL_JOYAXISMOTION || type == SDL_JOYBALLMOTION || type == SDL_JOYHATMOTION ||
           type == SDL_JOYBUTTONDOWN || type == SDL_JOYBUTTONUP;
}

struct Defaults
{
    Defaults() { resetGamepad(); }
} defaults;

} // namespace

int pollEvent(SDL_Event* event)
{
    for (;;) {
        if (!pending.empty()) {
            *event = pending.front();
            pending.pop_front();
            return 1;
        }
        if (!replayPollEvent(event))
            return 0;
        if (!isJoystickEvent(event->type))
            return 1;
        translate(*event);
        replayKeysSettled();
    }
}

void resetGamepad()
{
    Uint8* keys = SDL_GetKeyState(NULL);
    for (int k = 0; k < SDLK_LAST; k++) {
        if (heldBy[k] && keys)
            keys[k] = 0;
        heldBy[k] = 0;
    }
    hatArrows = stickArrows = 0;
    pending.clear();
    const int defaults = (int)(sizeof DEFAULT_BUTTONS / sizeof DEFAULT_BUTTONS[0]);
    for (int b = 0; b < GAMEPAD_BUTTONS; b++)
        buttonKeys[b] = b < defaults ? DEFAULT_BUTTONS[b] : SDLK_UNKNOWN;
}

bool bindGamepadButton(int button, SDLKey key)
{
    if (button < 0 || button >= GAMEPAD_BUTTONS || key <= SDLK_UNKNOWN || key >= SDLK_LAST)
        return false;
    buttonKeys[button] = key;
    return true;
}

SDLKey gamepadButtonKey(int button)
{
    return button >= 0 && button < GAMEPAD_BUTTONS ? buttonKeys[button] : SDLK_UNKNOWN;
}
