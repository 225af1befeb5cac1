// check-world.cpp -- quorvane-check on map.dat and on where the characters and items stand in it.
#include <cstdio>
#include <set>
#include "check.h"
#include "readfile.h"

namespace {

const int N = MAP_SIZE;

std::string hexByte(unsigned char c)
{
    char buf[8];
    snprintf(buf, sizeof buf, "0x%02x", c);
    return buf;
}

// One row of map.dat as written: what is wrong with its length and its characters.
void checkRow(CheckedGame& g, int r, const std::string& row)
{
    int line = r + 1;
    size_t len = row.size();
    if (len > 0 && row[len - 1] == '\r')
        len--;
    if ((int)len < N)
        g.error("map.dat", line, "row " + std::to_string(r) + " holds " + std::to_string(len) + " of " +
                                     std::to_string(N) + " tiles; the rest read as 0");
    else if ((int)len > N)
        g.warn("map.dat", line, "row " + std::to_string(r) + " is " + std::to_string(len) + " characters long; those after the " +
                                    std::to_string(N) + "th are ignored");
    int unknown = 0, firstUnknown = -1, noPicture = 0, firstNoPicture = -1;
    for (int c = 0; c < N && c < (int)len; c++) {
        int t = (signed char)row[c] - 65;
        if (t < 0) {
            if (unknown++ == 0)
                firstUnknown = c;
        } else if (t >= g.assets.tilePictures) {
            if (noPicture++ == 0)
                firstNoPicture = c;
        }
    }
    if (unknown > 0)
        g.error("map.dat", line, std::to_string(unknown) + " character(s) that are no tile, the first " +
                                     hexByte((unsigned char)row[firstUnknown]) + " in column " + std::to_string(firstUnknown) +
                                     "; tiles are written A (0) to " + std::string(1, (char)(65 + TILE_COUNT - 1)) + " (" +
                                     std::to_string(TILE_COUNT - 1) + "), and these read as 0");
    if (noPicture > 0)
        g.error("map.dat", line, std::to_string(noPicture) + " tile(s) with no picture, the first " +
                                     std::to_string((signed char)row[firstNoPicture] - 65) + " in column " +
                                     std::to_string(firstNoPicture) + "; tile pictures are 0.." +
                                     std::to_string(g.assets.tilePictures - 1));
}

} // namespace

void readAndCheckMap(CheckedGame& g)
{
    std::string bytes;
    if (!readNeededFile(g, "map.dat", MAP_FILE_MAX, bytes, Severity::Error, "the engine will not load the game")) {
        g.result.diagnostics.back().rank = 0;
        return;
    }
    {
        QuietOutput quiet;
        g.map->loadMap(g.dir.c_str());
    }
    g.bMapRead = true;
    size_t at = 0;
    int r = 0;
    for (; at < bytes.size(); r++) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        if (r < N) {
            checkRow(g, r, bytes.substr(at, end - at));
        } else {
            g.warn("map.dat", r + 1, "the map has " + std::to_string(N) + " rows; lines from here on are never read");
            break;
        }
        at = end + 1;
    }
    if (r < N)
        g.error("map.dat", r > 0 ? r : 1, "the map ends after " + std::to_string(r) + " of " + std::to_string(N) +
                                              " rows; the rest read as 0");
    for (int y = 0; y < N; y++)
        for (int x = 0; x < N; x++)
            if (g.map->level[y][x] == TILE_BED_HEAD && g.map->getTileAt(x, y + 1) != TILE_BED_FOOT)
                g.warn("map.dat", y + 1, "the bed head in column " + std::to_string(x) + " has no foot below it");
}

void checkPlacement(CheckedGame& g)
{
    if (!g.bMapRead)
        return;
    Map& m = *g.map;
    if (g.player) {
        const Actor* p = g.player;
        size_t i = 0;
        while (g.actors[i] != p)
            i++;
        if (!m.boxFits(p->x, p->y, g.vars.hasFloater))
            g.cause(g.actorText[i].name, 1, "the player starts on " + tileText(p->x, p->y) +
                                                ", where the map does not let it stand" + pixelHint(p->x, p->y));
    }
    std::set<std::pair<int, int>> taken;
    for (size_t i = 0; i < g.actors.size(); i++) {
        const Actor* a = g.actors[i];
        const std::string& file = g.actorText[i].name;
        int tx = tileOf(a->x), ty = tileOf(a->y);
        if (tx < 0 || ty < 0 || tx >= N || ty >= N)
            continue;
        if (a->x != (float)(tx * TILE_SIZE) || a->y != (float)(ty * TILE_SIZE))
            g.warn(file, 1, "the character stands between tiles (" + std::to_string((int)a->x) + "," +
                                std::to_string((int)a->y) + "); fighters step from whole tile to whole tile" +
                                pixelHint(a->x, a->y));
        if (!taken.insert({tx, ty}).second)
            g.warn(file, 1, "another character stands on " + tileText(a->x, a->y) + " already");
        if (a == g.player)
            continue;
        if (isSeaMonster(a)) {
            if (m.getTileAt(tx, ty) != TILE_SEA)
                g.warn(file, 15, "a sea creature that starts on " + tileText(a->x, a->y) + ", which is not open sea");
        } else if (m.isSea(a->x, a->y) || m.isSea(a->x + 47, a->y + 47)) {
            g.warn(file, 1, "the character stands in the sea at " + tileText(a->x, a->y));
        } else if (m.isSolid(a->x, a->y) || m.isSolid(a->x + 47, a->y + 47)) {
            g.warn(file, 1, "the character stands in a wall at " + tileText(a->x, a->y));
        }
        if (a->bIsHostile && g.player) {
            float dx = a->x - g.player->x, dy = a->y - g.player->y;
            if (dx * dx + dy * dy < 200.0f * 200.0f)
                g.warn(file, 13, "a hostile character fewer than 200 pixels from the player's start");
        }
    }
    for (size_t i = 0; i < g.items.size(); i++) {
        const Item* it = g.items[i];
        if (it->owner != OWNER_MAP)
            continue;
        if (m.isSea(it->x + 24, it->y + 24))
            g.warn(g.itemText[i].name, 5, "the item lies in the sea at " + tileText(it->x, it->y));
        else if (m.isSolid(it->x + 24, it->y + 24))
            g.warn(g.itemText[i].name, 5, "the item lies on a solid tile at " + tileText(it->x, it->y) + pixelHint(it->x, it->y));
    }
}
