// records.cpp -- record files through the engine's writers.
#include "records.h"
#include "harness.h"
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <fcntl.h>
#include <unistd.h>

namespace qtest {

namespace {

// Writes the record to a temporary file with its own writer and reads the file back.
template <class Record> std::string written(Record& r)
{
    char path[] = "/tmp/quorvane-record-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        return "";
    close(fd);
    if (!r.writeTo(path))
        fprintf(stderr, "could not write the record file %s\n", path);
    std::string text = readFile(path);
    unlink(path);
    return text;
}

// map.dat of a map of one tile, ringed with another when ring >= 0.
std::string mapFile(int tile, int ring)
{
    std::unique_ptr<Map> m(new Map());
    for (int r = 0; r < Map::SIZE; r++)
        for (int c = 0; c < Map::SIZE; c++) {
            bool edge = r == 0 || c == 0 || r == Map::SIZE - 1 || c == Map::SIZE - 1;
            m->level[r][c] = edge && ring >= 0 ? ring : tile;
        }
    // The map's writer reports on standard output; tests that read the game's output must not
    // see a fixture's map in it.
    fflush(stdout);
    int out = dup(1);
    int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, 1);
    std::string text = written(*m);
    fflush(stdout);
    dup2(out, 1);
    close(out);
    close(devnull);
    return text;
}

} // namespace

// The writers are not const; each writes a copy.
std::string fileOf(const Actor& a) { Actor r = a; return written(r); }
std::string fileOf(const Item& it) { Item r = it; return written(r); }
std::string fileOf(const Quest& q) { Quest r = q; return written(r); }
std::string fileOf(const MiscVars& v) { MiscVars r = v; return written(r); }

Actor character(int x, int y, int hp, const std::string& line0, const std::string& line1, const std::string& name,
                unsigned money)
{
    Actor a;
    a.x = (float)x;
    a.y = (float)y;
    a.stats.hp = a.stats.hp_max = hp;
    a.stats.mp = a.stats.mp_max = 20;
    a.stats.level = 1;
    a.stats.strength = a.stats.dexterity = 5;
    a.stats.intelligence = 3;
    a.stats.money = money;
    a.flagId = 0;
    a.conversation[0] = line0;
    a.conversation[1] = line1;
    a.myName = name;
    a.direction = FACE_DOWN;
    return a;
}

Item item(int type, int maxEffect, int price, unsigned owner, const std::string& name,
          const std::string& description, const std::string& shortName, unsigned icon)
{
    Item it;
    it.type = type;
    it.maxEffect = maxEffect;
    it.price = price;
    it.owner = owner;
    it.itemName = name;
    it.itemDescript = description;
    it.shortName = shortName;
    it.icon = icon;
    return it;
}

Quest quest(const std::string& description, const std::string& target, int reward, int flag)
{
    Quest q;
    q.description = description;
    q.itemTarget = target;
    q.reward = reward;
    q.flagId = flag;
    return q;
}

MiscVars gameVars(const std::string& name, const std::string& dir)
{
    MiscVars v;
    v.gameName = name;
    v.dir = dir;
    return v;
}

void GameFolder::write(const WorkDir& wd, const std::string& dir) const
{
    wd.write(dir + "/vars.sav", fileOf(vars));
    for (size_t i = 0; i < actors.size(); i++)
        wd.write(dir + "/npcdef/" + std::to_string(i) + ".def", fileOf(actors[i]));
    for (size_t i = 0; i < items.size(); i++)
        wd.write(dir + "/idef/" + std::to_string(i) + ".def", fileOf(items[i]));
    for (size_t i = 0; i < quests.size(); i++)
        wd.write(dir + "/qdef/" + std::to_string(i) + ".def", fileOf(quests[i]));
    wd.write(dir + "/map.dat", mapFile(tile, ring));
    if (!intro.empty())
        wd.write(dir + "/intro.txt", intro);
}

} // namespace qtest
