// inputloop.cpp -- the custom-game prompt: the player types a directory name, letters only.
#include <cstdio>
#include "game.h"

// Returns the typed name, "data" for a name longer than 50 letters, or an
// empty name when the prompt is abandoned with Escape or a window close.
std::string CGame::inputLoop()
{
    std::string name;
    for (;;) {
        bool finished = false;
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        drawTextAt("Type the name of the directory containing the custom game and hit enter:", 10, 10);
        if (!name.empty())
            drawTextAt(name.c_str(), 10, 25);

        while (nextEvent()) {
            if (event.type == SDL_KEYDOWN) {
                SDLKey key = event.key.keysym.sym;
                if (key >= SDLK_a && key <= SDLK_z) {
                    name.push_back((char)('a' + (key - SDLK_a)));
                } else if (key == SDLK_BACKSPACE) {
                    name.clear();
                } else if (key == SDLK_RETURN) {
                    finished = true;
                    resetFrameTimers();
                    printf("user input %s\n", name.c_str());
                }
            }
            // Checked after the keys, so Escape queued behind Enter still abandons.
            bool escape = (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) &&
                          event.key.keysym.sym == SDLK_ESCAPE;
            if (event.type == SDL_QUIT || escape)
                return std::string();
        }
        vars.frames++;
        endScreenFrame();
        if (finished)
            return name.size() <= (size_t)GAME_NAME_MAX ? name : std::string("data");
    }
}
