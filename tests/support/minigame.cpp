// minigame.cpp -- a small, complete game directory for tests that load and play.
#include "minigame.h"

namespace qtest {

std::string characterFile(int x, int y, int hp, const std::string& line0, const std::string& line1,
                          const std::string& name, int money)
{
    return fileOf(character(x, y, hp, line0, line1, name, (unsigned)money));
}

GameFolder miniGame(const std::string& dir, const std::string& title)
{
    GameFolder f;
    f.vars = gameVars(title, dir);
    f.actors = {character(480, 480, 100, "Plyr", "", "Hero", 10), character(700, 480, 30, "Good day.", "Thanks!", "Tam")};
    Item locket = item(ITEM_PLAIN, 0, 0, OWNER_MAP, "Locket", "Someone lost it", "locket", 1);
    locket.x = locket.y = 600;
    f.items = {item(ITEM_MELEE, 6, 30, OWNER_PLAYER, "Short sword", "A plain blade", "sword"), locket};
    f.quests = {quest("Find my locket", "locket", 25, 3)};
    f.ring = TILE_STONE_WALL;
    f.intro = "Welcome to " + title + ".\n\nPress a key.\n";
    return f;
}

void writeMiniGame(const WorkDir& wd, const std::string& dir, const std::string& title)
{
    miniGame(dir, title).write(wd, dir);
}

} // namespace qtest
