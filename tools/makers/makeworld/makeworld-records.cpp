// makeworld-records.cpp -- characters.txt, items.txt and quests.txt into the engine's records.
#include <cstdlib>
#include <cmath>
#include <map>
#include "Map.h"
#include "makeworld.h"

namespace {

// One block of "key: value" lines; blocks are separated by blank lines.
class Block
{
public:
    int line = 0;
    std::map<std::string, std::string> values;
    std::map<std::string, int> lines;
};

std::vector<Block> readBlocks(const std::string& path)
{
    std::vector<Block> blocks;
    std::vector<std::string> lines;
    if (!readLines(path, lines))
        return blocks;
    Block cur;
    for (size_t i = 0; i <= lines.size(); i++) {
        std::string l = i < lines.size() ? lines[i] : "";
        if (trim(l).rfind("//", 0) == 0)
            continue;
        if (trim(l).empty()) {
            if (!cur.values.empty())
                blocks.push_back(cur);
            cur = Block();
            continue;
        }
        size_t colon = l.find(':');
        if (colon == std::string::npos) {
            problem(path, (int)i + 1, "expected \"key: value\"");
            continue;
        }
        std::string key = trim(l.substr(0, colon));
        if (cur.values.empty())
            cur.line = (int)i + 1;
        if (cur.values.count(key))
            problem(path, (int)i + 1, "\"" + key + "\" is given twice");
        cur.values[key] = trim(l.substr(colon + 1));
        cur.lines[key] = (int)i + 1;
    }
    return blocks;
}

class Reader
{
public:
    Reader(const std::string& file, const Block& b) : file_(file), b_(b) {}

    bool has(const std::string& key) const { return b_.values.count(key) > 0; }
    int lineOf(const std::string& key) const
    {
        auto it = b_.lines.find(key);
        return it == b_.lines.end() ? b_.line : it->second;
    }
    std::string text(const std::string& key, const std::string& fallback = "")
    {
        used_.push_back(key);
        auto it = b_.values.find(key);
        if (it == b_.values.end())
            return fallback;
        if (it->second.size() > 400)
            problem(file_, lineOf(key), "longer than a record line may be (400 characters)");
        return it->second;
    }
    std::string need(const std::string& key)
    {
        if (!has(key))
            problem(file_, b_.line, "the record has no \"" + key + "\"");
        return text(key);
    }
    int number(const std::string& key, int fallback, int lo, int hi)
    {
        std::string s = text(key);
        if (s.empty())
            return fallback;
        char* end = nullptr;
        long v = strtol(s.c_str(), &end, 10);
        if (*end != '\0' || v < lo || v > hi) {
            problem(file_, lineOf(key), "\"" + key + "\" must be a number from " + std::to_string(lo) + " to " +
                                            std::to_string(hi));
            return fallback;
        }
        return (int)v;
    }
    bool yes(const std::string& key)
    {
        std::string s = text(key, "no");
        if (s != "yes" && s != "no")
            problem(file_, lineOf(key), "\"" + key + "\" is yes or no");
        return s == "yes";
    }
    // Every key of the block must have been asked for: a typo is a problem, not a silent default.
    void finish()
    {
        for (const auto& kv : b_.values) {
            bool known = false;
            for (const std::string& u : used_)
                known = known || u == kv.first;
            if (!known)
                problem(file_, lineOf(kv.first), "unknown key \"" + kv.first + "\"");
        }
    }
    const std::string& file() const { return file_; }

private:
    std::string file_;
    const Block& b_;
    std::vector<std::string> used_;
};

// A record's position in map pixels. Places are drawn by hand, so a position inside one is
// taken as written; a position in the generated wilds moves to the nearest fitting tile within
// three steps, so that a change of seed or shape does not strand a wolf inside a tree.
bool place(const WorldPlan& plan, Map& map, Reader& r, bool sea, float& x, float& y)
{
    int tx = 0, ty = 0;
    std::string at = r.need("at");
    if (!resolveAt(plan, at, r.file(), r.lineOf("at"), tx, ty))
        return false;
    auto fits = [&](int cx, int cy) {
        if (sea)
            return map.getTileAt(cx, cy) == TILE_SEA;
        return !map.isSolid((float)cx * Map::TILE, (float)cy * Map::TILE);
    };
    if (words(at).size() == 2 && !fits(tx, ty)) {
        for (int radius = 1; radius <= 3; radius++) {
            bool found = false;
            for (int dy = -radius; dy <= radius && !found; dy++)
                for (int dx = -radius; dx <= radius && !found; dx++)
                    if ((std::abs(dx) == radius || std::abs(dy) == radius) && fits(tx + dx, ty + dy)) {
                        tx += dx;
                        ty += dy;
                        found = true;
                    }
            if (found)
                break;
        }
    }
    if (tx < 0 || ty < 0 || tx >= Map::SIZE - 1 || ty >= Map::SIZE - 1) {
        problem(r.file(), r.lineOf("at"), "lies outside the map");
        return false;
    }
    x = (float)(tx * Map::TILE);
    y = (float)(ty * Map::TILE);
    return true;
}

const char* ROLES[] = {"Plyr", "Questy", "Shoppy", "Keyshop", "Gamble", "Ending"};

void readCharacters(const std::string& path, const WorldPlan& plan, Map& map, Records& out)
{
    for (const Block& b : readBlocks(path)) {
        Reader r(path, b);
        std::unique_ptr<Actor> a(new Actor());
        a->myName = r.need("name");
        bool sea = r.yes("seamonster");
        a->bIsHostile = r.yes("hostile");
        place(plan, map, r, sea, a->x, a->y);
        a->sprite = r.number("sprite", 1, 0, SPRITE_SETS_MAX - 1);
        a->direction = r.number("facing", FACE_DOWN, FACE_UP, FACE_LEFT);
        std::string role = r.text("role");
        if (!role.empty()) {
            bool known = false;
            for (const char* k : ROLES)
                known = known || role == k;
            if (!known)
                problem(path, r.lineOf("role"), "unknown role \"" + role + "\"");
            a->conversation[0] = role;
            a->conversation[1] = r.text("line1", "...");
        } else if (a->bIsHostile && !r.has("line0")) {
            a->conversation[0] = a->conversation[1] = "It glares at you and does not answer.";
        } else {
            a->conversation[0] = r.need("line0");
            a->conversation[1] = r.text("line1", a->conversation[0]);
        }
        if (sea)
            a->conversation[1] = "Seamonster";
        a->flagId = r.number("flag", 0, 0, FLAG_COUNT - 1);
        a->bIsWanderer = r.yes("wanders");
        a->stats.hp = a->stats.hp_max = r.number("hp", 20, 1, 100000);
        a->stats.mp = a->stats.mp_max = r.number("mp", 0, 0, 100000);
        a->stats.level = (unsigned)r.number("level", 1, 0, 1000);
        a->stats.xp = 0;
        a->stats.strength = (unsigned)r.number("str", 3, 0, 1000);
        a->stats.dexterity = (unsigned)r.number("dex", 3, 1, 1000);
        a->stats.intelligence = (unsigned)r.number("int", 3, 0, 1000);
        a->stats.money = (unsigned)r.number("money", 0, 0, 1000000);
        r.finish();
        int tx = (int)a->x / Map::TILE, ty = (int)a->y / Map::TILE;
        int tile = map.getTileAt(tx, ty);
        if (sea ? tile != TILE_SEA : map.isSolid(a->x, a->y))
            problem(path, b.line, a->myName + (sea ? " must swim in open sea" : " stands on a solid tile") +
                                      " (" + std::to_string(tx) + ", " + std::to_string(ty) + ", tile " +
                                      std::to_string(tile) + ")");
        for (const auto& o : out.actors)
            if (o->x == a->x && o->y == a->y)
                problem(path, b.line, a->myName + " stands on " + o->myName + "'s tile");
        out.actors.push_back(std::move(a));
    }
}

ItemOwner ownerCode(Reader& r)
{
    std::string s = r.text("owner", "map");
    if (s == "map")
        return OWNER_MAP;
    if (s == "player")
        return OWNER_PLAYER;
    if (s == "shop")
        return OWNER_SHOP;
    problem(r.file(), r.lineOf("owner"), "owner is map, player or shop");
    return OWNER_MAP;
}

void readItems(const std::string& path, const WorldPlan& plan, Map& map, Records& out)
{
    for (const Block& b : readBlocks(path)) {
        Reader r(path, b);
        std::unique_ptr<Item> it(new Item());
        it->itemName = r.need("name");
        it->type = r.number("type", ITEM_PLAIN, ITEM_PLAIN, ITEM_KEY_SHOP_GOODS);
        if (it->type == ITEM_USED_UP)
            problem(path, r.lineOf("type"), "type 5 marks a used-up item and is never shipped");
        it->maxEffect = r.number("effect", 0, 0, 100000);
        it->price = r.number("price", 0, 0, 1000000);
        it->owner = ownerCode(r);
        it->shortName = r.need("short");
        it->itemDescript = r.need("about");
        it->icon = (unsigned)r.number("icon", 0, 0, ITEM_PICTURES - 1);
        it->range = r.number("range", 0, 0, 50);
        it->bIsEquipped = r.yes("equipped");
        if (it->owner == OWNER_MAP) {
            if (place(plan, map, r, false, it->x, it->y) && map.isSolid(it->x, it->y))
                problem(path, b.line, it->itemName + " lies on a solid tile");
        } else if (r.has("at")) {
            problem(path, r.lineOf("at"), "only items lying on the map have a place");
        }
        if (isWeapon(it.get()) && it->maxEffect <= 0)
            problem(path, b.line, "a weapon needs an effect above 0");
        if (it->type == ITEM_RANGED && it->range <= 0)
            problem(path, b.line, "a ranged weapon needs a range");
        if (it->type != ITEM_RANGED && r.has("range"))
            problem(path, r.lineOf("range"), "only ranged weapons (type 8) have a range");
        if ((it->type == ITEM_ROOM_KEY || it->type == ITEM_KEY_SHOP_GOODS) && it->owner != OWNER_SHOP)
            problem(path, b.line, "room keys and key-shop goods are sold by the key shop (owner shop)");
        r.finish();
        out.items.push_back(std::move(it));
    }
}

void readQuests(const std::string& path, Records& out)
{
    for (const Block& b : readBlocks(path)) {
        Reader r(path, b);
        std::unique_ptr<Quest> q(new Quest());
        q->description = r.need("text");
        q->itemTarget = r.need("target");
        q->reward = r.number("reward", 0, 0, 1000000);
        q->flagId = r.number("flag", 0, 0, FLAG_COUNT - 1);
        q->bIsCompleted = false;
        r.finish();
        bool found = false;
        for (const auto& it : out.items)
            found = found || it->shortName == q->itemTarget;
        if (!found)
            problem(path, b.line, "no item has the short name \"" + q->itemTarget + "\"");
        out.quests.push_back(std::move(q));
    }
}

} // namespace

bool readRecords(const std::string& dir, const WorldPlan& plan, Map& map, Records& out)
{
    int before = problemCount();
    readCharacters(dir + "/characters.txt", plan, map, out);
    readItems(dir + "/items.txt", plan, map, out);
    readQuests(dir + "/quests.txt", out);
    if (out.actors.empty() || out.actors[0]->conversation[0] != "Plyr")
        problem(dir + "/characters.txt", 1, "the first character must be the player (role Plyr)");
    if (out.items.empty() || out.quests.empty())
        problem(dir, 0, "a game needs at least one item and one quest");
    return problemCount() == before;
}
