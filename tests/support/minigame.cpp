// minigame.cpp -- a small, complete game directory for tests that load and play.
#include "minigame.h"

namespace qtest {

std::string characterFile(int x, int y, int hp, const std::string& line0, const std::string& line1,
                          const std::string& name, int money)
{
    std::string s;
    for (int v : {x, y, hp, hp, 20, 20, 0, 1, 5, 5, 3, 0, 0})
        s += std::to_string(v) + "\n";
    s += line0 + "\n" + line1 + "\n" + name + "\n";
    for (int v : {0, 0, 2, money})
        s += std::to_string(v) + "\n";
    return s;
}

void writeMiniGame(const WorkDir& wd, const std::string& dir, const std::string& title)
{
    std::string vars = title + "\n0\n0\n0\n0\n";
    for (int i = 0; i < 40; i++)
        vars += "0\n";
    vars += dir + "\n";
    wd.write(dir + "/vars.sav", vars);
    wd.write(dir + "/npcdef/0.def", characterFile(480, 480, 100, "Plyr", "", "Hero", 10));
    wd.write(dir + "/npcdef/1.def", characterFile(700, 480, 30, "Good day.", "Thanks!", "Tam"));
    wd.write(dir + "/idef/0.def", "1\n6\n30\n1\n0\n0\n0\nShort sword\nA plain blade\nsword\n0\n0\n");
    wd.write(dir + "/idef/1.def", "0\n0\n0\n0\n600\n600\n0\nLocket\nSomeone lost it\nlocket\n1\n");
    wd.write(dir + "/qdef/0.def", "Find my locket\nlocket\n25\n0\n3\n");
    std::string map;
    for (int r = 0; r < 350; r++) {
        std::string row(350, 'A');
        if (r == 0 || r == 349)
            row = std::string(350, 'B');
        row[0] = row[349] = 'B';
        map += row + "\n";
    }
    wd.write(dir + "/map.dat", map);
    wd.write(dir + "/intro.txt", "Welcome to " + title + ".\n\nPress a key.\n");
}

} // namespace qtest
