// gamepad.h -- the joystick as keys: the hat and first stick are the arrows, each button a key of its own.
#pragma once
#include <SDL.h>

// An event's type, as wide as SDL_Event keeps it: some SDL builds number their events
// from 0x300 up, past what a Uint8 holds.
typedef decltype(SDL_Event::type) EventType;

// Buttons 0 to GAMEPAD_BUTTONS - 1 may be bound to a key; higher ones are ignored.
const int GAMEPAD_BUTTONS = 32;
// How far (of 32767) the stick must lean from the centre before it counts as an arrow.
const int GAMEPAD_DEAD_ZONE = 8000;

// Every screen polls through this in place of SDL_PollEvent: other events come back
// unchanged, a joystick event comes back as the key presses and releases it stands for
// (and the arrows' entries of SDL's key-state array follow the hat and the stick, so
// walking sees them held). Joystick events that stand for nothing are dropped. The
// device an event names is not checked: every pad acts as the same one.
int pollEvent(SDL_Event* event);

// Back to the default buttons, every arrow or key the pad holds released and nothing
// pending; called when the game object is built.
void resetGamepad();
// Button `button` (0 to GAMEPAD_BUTTONS - 1) now stands for `key`; others are refused.
bool bindGamepadButton(int button, SDLKey key);
// The key a button stands for, SDLK_UNKNOWN for none.
SDLKey gamepadButtonKey(int button);
