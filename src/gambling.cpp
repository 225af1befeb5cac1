// gambling.cpp -- the betting table: the stake on held arrow keys, one-in-four bets, and the bet sentences.
#include <cstdlib>
#include <cstring>
#include <string>
#include "game.h"
#include "replay.h"
#include "saturate.h"

namespace {

const char* const stuff[12] = {
    "chicken catching", "random number generators", "giant robot fights", "local bar brawls",
    "children's music recitals", "Fruitbat mating", "broken printers", "minority cable TV",
    "elevator racing", "your GPA", "premature optimization", "llama farming contests",
};

const char* const towns[10] = {
    "North Haverbrook", "Townsville", "Commie City", "Bartertown", "Milkshop",
    "Toy Town", "Brassfinch Cloudbarrow", "Crackton", "South Slumville", "Albany",
};

const int ODDS = 4;

} // namespace

// The caller owns the text and releases it with delete[]. The subject is
// drawn before the place, so the random sequence picks them in that order.
char* CGame::gamblingMadLibs()
{
    int subject = rand() % 12;
    int place = rand() % 10;
    std::string s = std::string("You are gambling on ") + stuff[subject] + " in " + towns[place];
    char* text = new char[s.size() + 1];
    memcpy(text, s.c_str(), s.size() + 1);
    return text;
}

// The stake follows the held arrow keys once per frame; Enter bets it. A bet
// is won when rand() & 3 is 0 and pays four stakes back (three net). A quit
// event only leaves the table.
void CGame::gambleLoop()
{
    if (!player)
        return;
    int h = returnTextHeight();
    std::string odds = "Today's odds: 1/" + std::to_string(ODDS);
    std::string outcome = "You haven't bet yet...";
    char* sentence = gamblingMadLibs();
    unsigned int bet = 0;
    unsigned int& money = player->stats.money;

    bool leaving = false;
    while (!leaving) {
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        SDL_Rect corner = {0, 0, 0, 0};
        SDL_BlitSurface(art.icons[ICON_GAMBLING_SIGN], NULL, screen, &corner);
        drawTextAt(odds.c_str(), 0, 2 * h);
        std::string cash = "Your cash: $" + std::to_string(money);
        drawTextAt(cash.c_str(), 0, SCREEN_HEIGHT - h);

        std::string stake = "$" + std::to_string(bet);
        centreTextAt(sentence, 300 - 2 * h);
        centreTextAt("Your current bet:", 300 - h);
        centreTextAt(stake.c_str(), 300);
        centreTextAt("Press left and right to change bet, enter to bet, escape to leave", 300 + h);
        centreTextAt("Press up to set your maximum bet, down to reset", 300 + 2 * h);
        centreTextAt(outcome.c_str(), 300 + 3 * h);

        while (nextEvent()) {
            if (event.type == SDL_QUIT) {
                leaving = true;
                continue;
            }
            if (event.type != SDL_KEYDOWN)
                continue;
            SDLKey key = event.key.keysym.sym;
            if (key == SDLK_ESCAPE) {
                leaving = true;
            } else if (key == SDLK_RETURN && bet > 0) {
                money = addMoney(money, -(long long)bet);
                if ((rand() & 3) == 0) {
                    // Four stakes can exceed what an unsigned count holds.
                    unsigned long long prize = 4ULL * bet;
                    money = addMoney(money, (long long)prize);
                    outcome = "You won $" + std::to_string(prize) + "!!!";
                } else {
                    outcome = "Sorry, you lost $" + std::to_string(bet);
                }
                bet = 0;
                delete[] sentence;
                sentence = gamblingMadLibs();
            } else if (key == SDLK_F3) {
                saveScreenshot("gambling.bmp");
            }
        }

        // The first held key in this order acts, even when it can do nothing.
        Uint8* held = SDL_GetKeyState(NULL);
        if (held[SDLK_LEFT]) {
            if (bet > 0) {
                bet--;
                gameDelay(10);
            }
        } else if (held[SDLK_RIGHT]) {
            if (money > bet) {
                bet++;
                gameDelay(10);
            }
        } else if (held[SDLK_UP]) {
            bet = money;
        } else if (held[SDLK_DOWN]) {
            bet = 0;
        }

        endScreenFrame();
    }
    delete[] sentence;
    resetFrameTimers();
}
