// records.h -- the record files of test game folders, written by the engine's own writers, so that
// a fixture always holds what a save of the same record would.
#pragma once
#include <string>
#include <vector>
#include "harness.h"
#include "Map.h"
#include "item.h"
#include "player.h"
#include "quest.h"
#include "vars.h"

namespace qtest {

// The text of each record's file as its writeTo makes it.
std::string fileOf(const Actor& a);
std::string fileOf(const Item& it);
std::string fileOf(const Quest& q);
std::string fileOf(const MiscVars& v);

// A character: level 1 with 20 mana, strength and dexterity 5, intelligence 3, flag 0, peaceful,
// sprite 0, facing down.
Actor character(int x, int y, int hp, const std::string& line0, const std::string& line1, const std::string& name,
                unsigned money = 10);
// An item lying at (0, 0), not worn, with no range.
Item item(int type, int maxEffect, int price, unsigned owner, const std::string& name,
          const std::string& description, const std::string& shortName, unsigned icon = 0);
Quest quest(const std::string& description, const std::string& target, int reward, int flag);
// The variables of a new game called `name` whose home folder is `dir`.
MiscVars gameVars(const std::string& name, const std::string& dir);

// A whole game folder as records, written file by file with the engine's writers: character,
// item and quest n go to npcdef/n.def, idef/n.def and qdef/n.def (character 0 is the player).
struct GameFolder
{
    MiscVars vars;
    std::vector<Actor> actors;
    std::vector<Item> items;
    std::vector<Quest> quests;
    int tile = TILE_GRASS;   // the map: one tile all over,
    int ring = -1;           // ringed with another when not -1
    std::string intro;       // intro.txt, when not empty

    void write(const WorkDir& wd, const std::string& dir) const;
};

} // namespace qtest
