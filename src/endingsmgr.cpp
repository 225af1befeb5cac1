// endingsmgr.cpp -- choosing the ending and showing its slides.
#include <cstdio>
#include <string>
#include "game.h"
#include "game-layout.h"
#include "mediafiles.h"
#include "replay.h"

namespace {

const float SLIDE_SPEED = 400.0f;   // screen pixels per second

// The slides of dir/ending, numbered from 0 and read one at a time, so that
// only the slide on show and the next one are ever held, however many there
// are. A gap or a picture that cannot be read ends the series; a slide larger
// than the window is skipped (and reported) without being decoded.
class SlideSeries
{
public:
    SlideSeries(const std::string& dir, int width, int height) : dir_(dir), width_(width), height_(height) {}

    // The next slide in the display's format, or NULL once the series has ended.
    SDL_Surface* next()
    {
        while (!ended_) {
            std::string path = endingSlide(dir_, number_++);
            PictureStatus status;
            SDL_Surface* raw = loadPictureFile(path.c_str(), width_, height_, true, &status);
            if (status == PictureStatus::TooLarge)
                continue;
            SDL_Surface* slide = raw ? SDL_DisplayFormatAlpha(raw) : NULL;
            if (raw)
                SDL_FreeSurface(raw);
            if (slide)
                return slide;
            ended_ = true;
        }
        return NULL;
    }

private:
    std::string dir_;
    int width_, height_;
    int number_ = 0;
    bool ended_ = false;
};

void freeSlide(SDL_Surface*& s)
{
    if (s)
        SDL_FreeSurface(s);
    s = NULL;
}

} // namespace

// Plays the ending once every quest is done (a game without quests is done
// at once); otherwise the Ending character turns the player away.
void CGame::calculateEndings()
{
    for (const Quest* q : questList) {
        if (!q->bIsCompleted) {
            showMessage("You aren't done yet. Finish your quests, adventurer!");
            return;
        }
    }
    printf("Showing ending at %s\n", vars.dir.c_str());
    loadAndShowEnding(vars.dir);
}

// A key sends the slide on show out to the right and brings the next one in
// from the right edge; keys pressed while a slide moves are dropped. Without
// slide 0 nothing happens (slides too large for the window are
// passed over); otherwise the game ends and is rebuilt afterwards.
void CGame::loadAndShowEnding(std::string dir)
{
    SlideSeries series(dir, SCREEN_WIDTH, SCREEN_HEIGHT);
    SDL_Surface* current = series.next();
    if (!current)
        return;
    SDL_Surface* upcoming = series.next();

    int h = returnTextHeight();
    float x = (float)((SCREEN_WIDTH - current->w) / 2);
    float y = (float)((SCREEN_HEIGHT - current->h) / 2);
    bool leaving = false, entering = false, finished = false, ended = false;

    while (!ended) {
        vars.timer_start = (float)gameTicks();
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        if (current) {
            SDL_Rect at = {(Sint16)(int)x, (Sint16)(int)y, 0, 0};
            SDL_BlitSurface(current, NULL, screen, &at);
        } else {
            finished = true;
        }

        if (leaving) {
            x += SLIDE_SPEED * vars.timer_delta;
            if (x > (float)SCREEN_WIDTH) {
                freeSlide(current);
                current = upcoming;
                upcoming = current ? series.next() : NULL;
                leaving = false;
                if (!current) {
                    finished = true;
                } else {
                    x = (float)SCREEN_WIDTH;
                    y = (float)((SCREEN_HEIGHT - current->h) / 2);
                    entering = true;
                }
            }
        }
        if (entering) {
            float next = x - SLIDE_SPEED * vars.timer_delta;
            float centred = (float)((SCREEN_WIDTH - current->w) / 2);
            if (next <= centred) {
                x = centred;
                entering = false;
            } else {
                x = next;
            }
        }

        while (nextEvent()) {
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
        drawTextAt("Any key to advance slide, ESC to quit", 0, SCREEN_HEIGHT - h);
        endScreenFrame(FrameClock::Measured);
    }

    bPleaseLoadGame = true;
    bMustQuit = true;
    freeSlide(current);
    freeSlide(upcoming);
    resetFrameTimers();
}
