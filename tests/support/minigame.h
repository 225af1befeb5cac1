// minigame.h -- a small, complete game directory for tests that load and play.
#pragma once
#include <string>
#include "records.h"

namespace qtest {

// A 350x350 grass map with a wall ring, a player ("Plyr") at (480, 480), a
// townsperson beside it, two items and one quest, an intro.txt, and vars.sav
// naming the directory itself as the game's home.
GameFolder miniGame(const std::string& dir, const std::string& title = "Mini Game");
void writeMiniGame(const WorkDir& wd, const std::string& dir, const std::string& title = "Mini Game");

std::string characterFile(int x, int y, int hp, const std::string& line0, const std::string& line1,
                          const std::string& name, int money = 10);

} // namespace qtest
