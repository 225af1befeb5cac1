// minigame.cpp -- a small, complete game directory for tests that load and play.
#include "minigame.h"
#include "records.h"

namespace qtest {

std::string characterFile(int x, int y, int hp, const std::string& line0, const std::string& line1,
                          const std::string& name, int money)
{
    return fileOf(character(x, y, hp, line0, line1, name, (unsigned)money));
}

void writeMiniGame(const WorkDir& wd, const std::string& dir, const std::string& title)
{
    wd.write(dir + "/vars.sav", fileOf(gameVars(title, dir)));
    wd.write(dir + "/npcdef/0.def", characterFile(480, 480, 100, "Plyr", "", "Hero", 10));
    wd.write(dir + "/npcdef/1.def", characterFile(700, 480, 30, "Good day.", "Thanks!", "Tam"));
    wd.write(dir + "/idef/0.def", fileOf(item(1, 6, 30, 1, "Short sword", "A plain blade", "sword")));
    Item locket = item(0, 0, 0, 0, "Locket", "Someone lost it", "locket", 1);
    locket.x = locket.y = 600;
    wd.write(dir + "/idef/1.def", fileOf(locket));
    wd.write(dir + "/qdef/0.def", fileOf(quest("Find my locket", "locket", 25, 3)));
    wd.write(dir + "/map.dat", mapFile(0, 1));
    wd.write(dir + "/intro.txt", "Welcome to " + title + ".\n\nPress a key.\n");
}

} // namespace qtest
