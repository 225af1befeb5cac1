// endingsmgr.cpp -- choosing the ending and showing its slides.
#include <cstdio>
#include <string>
#include <vector>
#include "game.h"
#include "mediafiles.h"

namespace {

const float SLIDE_SPEED = 400.0f;   // screen pixels per second

// Slides 0, 1, 2, ... of dir/ending, up to the first that does not load.
std::vector<SDL_Surface*> loadSlides(const std::string& dir)
{
    std::vector<SDL_Surface*> slides;
    for (int i = 0;; i++) {
        std::string path = dir + "/ending/" + std::to_string(i) + ".png";
        SDL_Surface* raw = loadPictureFile(path.c_str(), ASSET_PICTURE_MAX, ASSET_PICTURE_MAX, false);
        if (!raw)
            break;
        SDL_Surface* slide = SDL_DisplayFormatAlpha(raw);
        SDL_FreeSurface(raw);
        if (!slide)
            break;
        slides.push_back(slide);
    }
    return slides;
}

} // namespace

// Plays the ending once every quest is done (a game without quests is done
// at once); otherwise the Ending character turns the player away.
void CGame::calculateEndings()
{
    for (const Quest* q : questList) {
        if (!q->bIsCompleted) {
            vars.talkTimer = TALK_TIMER;
            vars.currentTalk = "You aren't done yet. Finish your quests, adventurer!";
            return;
        }
    }
    printf("Showing ending at %s\n", vars.dir.c_str());
    loadAndShowEnding(vars.dir);
}

// A key sends the slide on show out to the right and brings the next one in
// from the right edge; keys pressed while a slide moves are dropped. Without
// slide 0 nothing happens; otherwise the game ends and is rebuilt afterwards.
void CGame::loadAndShowEnding(std::string dir)
{
    std::vector<SDL_Surface*> slides = loadSlides(dir);
    if (slides.empty())
        return;

    int h = returnTextHeight();
    size_t c = 0;
    float x = (float)((SCREEN_WIDTH - slides[0]->w) / 2);
    float y = (float)((600 - slides[0]->h) / 2);
    bool leaving = false, entering = false, finished = false, ended = false;

    while (!ended) {
        vars.timer_start = (float)SDL_GetTicks();
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        if (c < slides.size()) {
            SDL_Rect at = {(Sint16)(int)x, (Sint16)(int)y, 0, 0};
            SDL_BlitSurface(slides[c], NULL, screen, &at);
        } else {
            finished = true;
        }

        if (leaving) {
            x += SLIDE_SPEED * vars.timer_delta;
            if (x > (float)SCREEN_WIDTH) {
                c++;
                leaving = false;
                if (c >= slides.size()) {
                    finished = true;
                } else {
                    x = (float)SCREEN_WIDTH;
                    y = (float)((600 - slides[c]->h) / 2);
                    entering = true;
                }
            }
        }
        if (entering) {
            float next = x - SLIDE_SPEED * vars.timer_delta;
            float centred = (float)((SCREEN_WIDTH - slides[c]->w) / 2);
            if (next <= centred) {
                x = centred;
                entering = false;
            } else {
                x = next;
            }
        }

        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) {
                ended = true;
                continue;
            }
            if (event.type != SDL_KEYDOWN || entering || leaving)
                continue;
            if (event.key.keysym.sym == SDLK_ESCAPE || finished)
                ended = true;
            else
                leaving = true;
        }

        if (finished) {
            drawTextAt("Thank you for playing!!!", 0, 0);
            drawTextAt("Please press any key to return to game.", 0, h);
        }
        drawTextAt("Any key to advance slide, ESC to quit", 0, 600 - h);
        SDL_Flip(screen);
        SDL_Delay(0);
        vars.timer_elapsed = (float)SDL_GetTicks() - vars.timer_start;
        vars.timer_delta = vars.timer_elapsed / 1000.0f;
    }

    bPleaseLoadGame = true;
    bMustQuit = true;
    for (SDL_Surface* s : slides)
        SDL_FreeSurface(s);
    resetFrameTimers();
}
