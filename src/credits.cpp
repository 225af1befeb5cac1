// credits.cpp -- scrolling text (introductions and credits) that rolls up until a key is pressed.
#include <cstdio>
#include <sstream>
#include "credits.h"
#include "game.h"
#include "readfile.h"
#include "replay.h"

void CGame::ScrollyText(const char* file)
{
    std::string bytes;
    if (!readWholeFile(file, TEXT_FILE_MAX, bytes)) {
        fprintf(stderr, "%s is missing\n", file);
        return;
    }
    puts("Loading comments");
    int h = returnTextHeight();
    std::istringstream in(bytes);
    std::list<CreditLine> lines = readCreditLines(in, h);
    puts("Comments loaded. Engaging.");

    bool done = false;
    while (!done) {
        // The clock starts before the fill, so that the text rolls at 50
        // pixels per second of real time however cheap the frame is.
        vars.timer_start = (float)gameTicks();
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        for (CreditLine& line : lines) {
            if (line.screen_y > 50.0f)
                line.screen_y += vars.timer_delta * -50.0f;
            if (line.screen_y > 50.0f && line.screen_y < 540.0f)
                drawTextAt(line.bIsBlankLine ? " " : line.str.c_str(), CREDIT_TEXT_X, (int)line.screen_y);
        }
        Uint32 black = SDL_MapRGB(screen->format, 0, 0, 0);
        SDL_Rect top = {0, 0, (Uint16)SCREEN_WIDTH, 70};
        SDL_Rect bottom = {0, 530, (Uint16)SCREEN_WIDTH, 70};
        SDL_FillRect(screen, &top, black);
        SDL_FillRect(screen, &bottom, black);
        drawTextAt("Press any key to continue...", 10, SCREEN_HEIGHT - h);

        while (nextEvent()) {
            if (event.type == SDL_KEYDOWN) {
                if (event.key.keysym.sym == SDLK_F3)
                    saveScreenshot("sshot.bmp");
                done = true;
            } else if (event.type == SDL_QUIT) {
                done = true;
            }
        }
        endScreenFrame(FrameClock::Measured);
    }
    resetFrameTimers();
}
