// serializer-masters.cpp -- the per-kind loops: numbered character, item and quest files of a game folder.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include "game.h"
#include "game-layout.h"
#include "savefiles.h"

// Reads files 0, 1, 2, ... of one series into fresh records appended to
// `into`, up to the first file that cannot be opened (its reader reports
// it). Returns how many were read.
template <class Record, class Container>
static int loadSeries(const char* dir, const char* folder, Container& into)
{
    int i = 0;
    for (;; i++) {
        std::string path = recordFile(dir, folder, i);
        Record* r = new Record();
        if (r->serializeFrom(path.c_str(), dir) != 0) {
            delete r;
            return i;
        }
        into.push_back(r);
    }
}

// Removes the higher-numbered files an earlier, larger save left behind (so
// that a killed enemy cannot come back), then writes the records as files 0
// to n-1, each through a temporary file. Creates the folder when missing.
// Carries on past a file that fails (it is reported) and returns false then.
template <class Container>
static bool saveSeries(SaveBatch& batch, const char* dir, const char* folder, const Container& records)
{
    std::string where = std::string(dir) + "/" + folder;
    if (!makeSaveFolder(batch, where))
        return false;
    bool ok = removeStaleRecords(batch, where, (int)records.size());
    int i = 0;
    for (auto* r : records) {
        ok = writeFileSafely(batch, recordFile(dir, folder, i), [r](std::ostream& out) { return r->writeTo(out); }) && ok;
        i++;
    }
    return ok;
}

void CGame::loadActors(const char* dir)
{
    if (loadSeries<Actor>(dir, CHARACTER_FOLDER, actorList) == 0) {
        fprintf(stderr, "*** ERROR *** DATA DIR %s IS MISSING filename %s\n", dir,
                recordFile(dir, CHARACTER_FOLDER, 0).c_str());
        exit(1);
    }
}

void CGame::loadItems(const char* dir)
{
    if (loadSeries<Item>(dir, ITEM_FOLDER, itemVec) == 0) {
        fprintf(stderr, "*** ERROR *** DATA DIR %s IS MISSING\n", dir);
        fprintf(stderr, "(the game needs the file %s)\n", recordFile(dir, ITEM_FOLDER, 0).c_str());
        exit(1);
    }
}

void CGame::loadQuests(const char* dir)
{
    if (loadSeries<Quest>(dir, QUEST_FOLDER, questList) == 0) {
        fprintf(stderr, "*** ERROR *** DATA DIR %s IS MISSING\n", dir);
        fprintf(stderr, "(the game needs the file %s)\n", recordFile(dir, QUEST_FOLDER, 0).c_str());
        exit(1);
    }
}

// The character the player controls is written first, the rest in list
// order: a load takes the first "Plyr" as the player, so control handed to
// another body comes back with that body.
bool CGame::saveActors(SaveBatch& batch, const char* dir)
{
    std::vector<Actor*> order;
    if (player && std::find(actorList.begin(), actorList.end(), player) != actorList.end())
        order.push_back(player);
    for (Actor* a : actorList)
        if (a != player)
            order.push_back(a);
    return saveSeries(batch, dir, CHARACTER_FOLDER, order);
}

bool CGame::saveItems(SaveBatch& batch, const char* dir)
{
    printf("There are %i items in the item vector\n", (int)itemVec.size());
    return saveSeries(batch, dir, ITEM_FOLDER, itemVec);
}

bool CGame::saveQuests(SaveBatch& batch, const char* dir)
{
    return saveSeries(batch, dir, QUEST_FOLDER, questList);
}
