// quorvane-new.cpp -- the new-game scaffold: writes a small, complete game folder to start a game from.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include "Map.h"
#include "gamename.h"
#include "item.h"
#include "picture.h"
#include "player.h"
#include "quest.h"
#include "vars.h"

namespace {

const char* const USAGE =
    "usage: quorvane-new NAME\n"
    "\n"
    "Writes a small, complete game into the new folder NAME, beside the game's data folder:\n"
    "a player with a sword, a quest giver with one quest and the amulet it asks for, a\n"
    "shopkeeper with potions, a hostile rat, a bed, the warden who shows the one ending\n"
    "slide, an introduction, and a walled meadow in the top-left corner of the map.\n"
    "quorvane-check NAME finds nothing wrong with it; quorvane --game NAME plays it.\n"
    "\n"
    "NAME is what the custom-game prompt types: the letters a to z only, at most 50.\n"
    "An existing folder is never written over, and data, tutorial and save are the game's own.\n";

// The meadow: tiles 1..MEADOW_W, 1..MEADOW_H inside a stone wall, the rest of the map forest.
const int MEADOW_W = 22, MEADOW_H = 16;

float at(int tile) { return (float)(tile * TILE_SIZE); }

Actor character(int tx, int ty, const char* role, const char* line1, const char* name, int sprite, int hp,
                unsigned strength, unsigned dexterity, unsigned money)
{
    Actor a;
    a.x = at(tx);
    a.y = at(ty);
    a.stats.hp = a.stats.hp_max = hp;
    a.stats.mp = a.stats.mp_max = 20;
    a.stats.level = 1;
    a.stats.strength = strength;
    a.stats.dexterity = dexterity;
    a.stats.intelligence = 4;
    a.stats.money = money;
    a.flagId = 0;
    a.conversation[0] = role;
    a.conversation[1] = line1;
    a.myName = name;
    a.sprite = sprite;
    a.direction = FACE_DOWN;
    return a;
}

Item item(int type, int effect, int price, unsigned owner, const char* name, const char* about, const char* shortName,
          unsigned icon)
{
    Item it;
    it.type = type;
    it.maxEffect = effect;
    it.price = price;
    it.owner = owner;
    it.itemName = name;
    it.itemDescript = about;
    it.shortName = shortName;
    it.icon = icon;
    return it;
}

std::string upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
    return s;
}

bool writeText(const std::string& path, const std::string& text)
{
    FILE* f = fopen(path.c_str(), "wx");
    if (!f) {
        fprintf(stderr, "quorvane-new: cannot write %s: %s\n", path.c_str(), strerror(errno));
        return false;
    }
    bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = fclose(f) == 0 && ok;
    if (!ok)
        fprintf(stderr, "quorvane-new: cannot write %s\n", path.c_str());
    return ok;
}

// Each record through the engine's own writer, as a save would write it.
template <class Record> bool writeRecord(Record& r, const std::string& path)
{
    if (r.writeTo(path.c_str()))
        return true;
    fprintf(stderr, "quorvane-new: cannot write %s\n", path.c_str());
    return false;
}

template <class Record> bool writeSeries(std::vector<Record>& records, const std::string& folder)
{
    for (size_t i = 0; i < records.size(); i++)
        if (!writeRecord(records[i], folder + "/" + std::to_string(i) + ".def"))
            return false;
    return true;
}

std::unique_ptr<Map> meadow()
{
    std::unique_ptr<Map> m(new Map());
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++) {
            bool inside = x >= 1 && x <= MEADOW_W && y >= 1 && y <= MEADOW_H;
            bool wall = x <= MEADOW_W + 1 && y <= MEADOW_H + 1 && !inside;
            m->level[y][x] = inside ? TILE_GRASS : wall ? TILE_STONE_WALL : TILE_OAK;
        }
    for (int x = 6; x <= 10; x++)
        m->level[12][x] = TILE_FLOWERS;
    m->level[8][20] = TILE_BED_HEAD;
    m->level[9][20] = TILE_BED_FOOT;
    return m;
}

// The one ending slide: the window's size, the game's name and a line of thanks.
Image endingSlide(const std::string& name)
{
    Image img(NARROW_SCREEN_WIDTH, SCREEN_HEIGHT, rgb(24, 40, 66));
    img.rect(0, 420, img.w, img.h - 420, rgb(40, 92, 52));
    img.disc(690, 90, 45, rgb(250, 226, 150));
    std::string title = "THE END";
    titleText(img, (img.w - textWidth(title, 10)) / 2, 200, title, WHITE, rgb(230, 200, 120), INK, 10);
    std::string under = upper(name) + " IS DONE. THANK YOU FOR PLAYING!";
    int scale = textWidth(under, 3) <= img.w - 40 ? 3 : 2;
    text(img, (img.w - textWidth(under, scale)) / 2, 320, under, WHITE, scale);
    return img;
}

bool writeGame(const std::string& dir)
{
    MiscVars vars;
    vars.gameName = dir;
    vars.dir = dir;

    std::vector<Actor> actors = {
        character(3, 3, "Plyr", "", "Hero", 0, 60, 8, 6, 30),
        character(8, 3, "Questy", "", "Mira", 4, 30, 3, 3, 0),
        character(13, 3, "Shoppy", "", "Tobin", 3, 30, 3, 3, 0),
        character(18, 3, "Ending", "", "Old Warden", 5, 30, 3, 3, 0),
        character(16, 13, "Squeak!", "", "Rat", 6, 12, 3, 2, 5),
    };
    actors[4].bIsHostile = true;

    Item amulet = item(ITEM_PLAIN, 0, 5, OWNER_MAP, "Mira's amulet", "A gold locket on a chain.", "amulet", 34);
    amulet.x = at(5);
    amulet.y = at(12);
    std::vector<Item> items = {
        item(ITEM_MELEE, 6, 20, OWNER_PLAYER, "Short sword", "A plain iron blade.", "sword", 1),
        amulet,
        item(ITEM_HEALING, 20, 10, OWNER_SHOP, "Healing potion", "Mends 20 health.", "potion", 15),
        item(ITEM_HEALING, 20, 10, OWNER_SHOP, "Healing potion", "Mends 20 health.", "potion", 15),
    };

    Quest q;
    q.description = "I lost my amulet among the flowers. Would you find it for me?";
    q.itemTarget = "amulet";
    q.reward = 50;
    q.flagId = 1;
    std::vector<Quest> quests = {q};

    std::string intro = "Welcome to " + dir + ".\n"
                        "\n"
                        "Mira has lost her amulet somewhere in the meadow.\n"
                        "Find it, bring it back to her, then see the Old Warden.\n"
                        "\n"
                        "Arrows walk, Return talks, Space picks things up.\n";

    for (const char* sub : {"/npcdef", "/idef", "/qdef", "/ending"})
        if (mkdir((dir + sub).c_str(), 0755) != 0) {
            fprintf(stderr, "quorvane-new: cannot make %s%s: %s\n", dir.c_str(), sub, strerror(errno));
            return false;
        }
    std::unique_ptr<Map> map = meadow();
    return writeRecord(vars, dir + "/vars.sav") && writeSeries(actors, dir + "/npcdef") &&
           writeSeries(items, dir + "/idef") && writeSeries(quests, dir + "/qdef") &&
           writeRecord(*map, dir + "/map.dat") && writeText(dir + "/intro.txt", intro) &&
           savePng(endingSlide(dir), dir + "/ending/0.png");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
        fputs(USAGE, stdout);
        return 0;
    }
    if (argc != 2) {
        fputs(USAGE, stderr);
        return 2;
    }
    std::string name = argv[1];
    if (!promptCanType(name)) {
        fprintf(stderr, "quorvane-new: \"%s\" cannot be typed at the custom-game prompt, which takes the letters a to z "
                        "only, %d at most; choose a name like \"mygame\"\n",
                name.c_str(), GAME_NAME_MAX);
        return 2;
    }
    if (name == "save" || name == "data" || name == "tutorial") {
        fprintf(stderr, "quorvane-new: \"%s\" is the game's own folder (New Game, Tutorial, Load Game); choose "
                        "another name\n", name.c_str());
        return 2;
    }
    if (mkdir(name.c_str(), 0755) != 0) {
        if (errno == EEXIST)
            fprintf(stderr, "quorvane-new: %s exists already; it is left as it is\n", name.c_str());
        else
            fprintf(stderr, "quorvane-new: cannot make the folder %s: %s\n", name.c_str(), strerror(errno));
        return 1;
    }
    // The map's writer reports on standard output, as the engine's save does.
    fflush(stdout);
    if (!writeGame(name)) {
        fprintf(stderr, "quorvane-new: %s is incomplete; remove it and try again\n", name.c_str());
        return 1;
    }
    printf("quorvane-new: wrote the game %s. Check it with: quorvane-check %s; play it with: quorvane --game %s\n",
           name.c_str(), name.c_str(), name.c_str());
    return 0;
}
