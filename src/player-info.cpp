// player-info.cpp -- the player status screen: statistics, progress counts and saving by hand.
#include <cstdio>
#include <string>
#include "game.h"
#include "replay.h"
#include "save-store.h"

namespace {

const char* const SAVE_FAILED = "Could not save the game!";

// Draws "Saving...", saves into "save" and keeps the message up for 100 ms.
// A failed save shows its line at once and answers false (the reason is on
// standard error).
bool saveFromStatus(CGame& g)
{
    int h = g.returnTextHeight();
    g.drawTextAt("Saving...", 0, 0);
    SDL_Flip(g.screen);
    bool saved = g.saveGame("save") && storeSavedGame("save");
    if (!saved) {
        g.drawTextAt(SAVE_FAILED, 0, SCREEN_HEIGHT - 2 * h);
        SDL_Flip(g.screen);
    }
    gameDelay(100);
    return saved;
}

} // namespace

// The counts are made once on entry. Items are counted as a general shop
// would buy them, so used-up items, room keys and type 12 are left out.
// A failed save stays reported until the next key press, which then does
// what it always does. A quit event only closes this screen.
void CGame::playerInfoScreen()
{
    if (!player)
        return;
    std::vector<Item*> yours;
    rebuildShopVector(yours, itemVec, OWNER_PLAYER, SHOP_ALL_TYPES);
    size_t your_items = yours.size();
    size_t max_items = itemVec.size();
    size_t your_quests = 0;
    for (const Quest* q : questList)
        if (q->bIsCompleted)
            your_quests++;
    size_t max_quests = questList.size();
    puts("setting up player data...");

    int h = returnTextHeight();
    char line[160];
    bool leaving = false;
    bool saveFailed = false;
    while (!leaving) {
        const CharacterStats& st = player->stats;
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        std::string title = player->myName + "'s Status";
        drawTextAt(title.c_str(), 10, 10);
        snprintf(line, sizeof line, "HP: %i/%i", st.hp, st.hp_max);
        drawTextAt(line, 10, 10 + h);
        snprintf(line, sizeof line, "MP: %i/%i", st.mp, st.mp_max);
        drawTextAt(line, 10, 10 + 2 * h);
        snprintf(line, sizeof line, "XP: %u/4 Level: %u", st.xp, st.level);
        drawTextAt(line, 10, 10 + 3 * h);
        snprintf(line, sizeof line, "Gold: $%u", st.money);
        drawTextAt(line, 10, 10 + 4 * h);
        snprintf(line, sizeof line, "Strength: %u Dexterity: %u", st.strength, st.dexterity);
        drawTextAt(line, 10, 10 + 5 * h);
        snprintf(line, sizeof line, "Intelligence: %u", st.intelligence);
        drawTextAt(line, 10, 10 + 6 * h);
        snprintf(line, sizeof line, "Items: %zu/%zu", your_items, max_items);
        drawTextAt(line, 10, 10 + 8 * h);
        snprintf(line, sizeof line, "Quests: %zu/%zu", your_quests, max_quests);
        drawTextAt(line, 10, 10 + 9 * h);
        drawTextAt("Press escape to exit, S to save", 10, SCREEN_HEIGHT - h);
        if (saveFailed)
            drawTextAt(SAVE_FAILED, 0, SCREEN_HEIGHT - 2 * h);
        endScreenFrame();

        while (nextEvent()) {
            if (event.type == SDL_QUIT) {
                leaving = true;
                continue;
            }
            if (event.type != SDL_KEYDOWN)
                continue;
            saveFailed = false;
            if (event.key.keysym.sym == SDLK_ESCAPE)
                leaving = true;
            else if (event.key.keysym.sym == SDLK_s)
                saveFailed = !saveFromStatus(*this);
        }
    }
    resetFrameTimers();
}
