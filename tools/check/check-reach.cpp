// check-reach.cpp -- quorvane-check's walk from the start: doors, keys, shops, the floater and the sea, by TileReach's step rules.
#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include "check.h"
#include "tile-reach.h"

namespace {

const int N = MAP_SIZE;

bool inside(int x, int y) { return x >= 0 && y >= 0 && x < N && y < N; }
bool isLockedDoor(int t) { return t == TILE_LOCKED_DOOR || t == TILE_DOUBLE_DOOR; }

// Characters that never move stand in the way; wanderers step aside, and hostile ones are fought.
bool standsInTheWay(const CheckedGame& g, const Actor* a)
{
    return a != g.player && !a->bIsHostile && !a->bIsWanderer;
}

// What the player can get to: the tiles walked, with every door opened by the keys, room keys
// and lock-picks found on the way, and the sea once a floater is in hand. The search grows one
// tile at a time and things come within reach as the tiles around them are reached, so the whole
// walk costs about one pass over the map, whatever the number of doors, characters and items.
class Explorer
{
public:
    // `wall`, when given, is a character taken as never to be got past.
    explicit Explorer(CheckedGame& g, const Actor* wall = nullptr)
        : g_(g), dry_(*g.map, false), wet_(*g.map, true), reached_(N * N, 0), itemHad_(g.items.size(), 0),
          met_(g.actors.size(), 0), doorSeen_(N * N, 0), opened_(N * N, 0)
    {
        for (const Actor* a : g.actors)
            if (standsInTheWay(g, a) || a == wall) {
                dry_.blockAround(a);
                wet_.blockAround(a);
            }
        index();
    }

    void run()
    {
        for (size_t i = 0; i < g_.items.size(); i++)
            if (g_.items[i]->owner == OWNER_PLAYER)
                gain(i);
        int sx = tileOf(g_.player->x), sy = tileOf(g_.player->y);
        if (inside(sx, sy))
            reach(sy * N + sx);
        while (!queue_.empty()) {
            int c = queue_.front();
            queue_.pop_front();
            const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& s : steps) {
                int x = c % N + s[0], y = c / N + s[1];
                if (!inside(x, y))
                    continue;
                if (!reached_[y * N + x] && walk().passable(x, y))
                    reach(y * N + x);
            }
        }
    }

    bool at(int x, int y) const { return inside(x, y) && reached_[y * N + x]; }
    bool had(size_t item) const { return itemHad_[item] != 0; }
    bool met(size_t actor) const { return met_[actor] != 0; }
    bool doorOpened(int x, int y) const { return opened_[y * N + x] != 0; }
    bool doorSeen(int x, int y) const { return doorSeen_[y * N + x] != 0; }
    bool floating() const { return floating_; }
    bool shopMet() const { return shop_; }
    bool keyShopMet() const { return keyShop_; }
    int doorsOpened() const { return doorsOpened_; }
    int roomDoorsOpened() const { return roomDoorsOpened_; }
    int tiles() const { return (int)std::count(reached_.begin(), reached_.end(), 1); }
    const TileReach& walk() const { return floating_ ? wet_ : dry_; }
    void openDoor(int x, int y)
    {
        dry_.open(x, y);
        wet_.open(x, y);
    }

private:
    enum Kind { ITEM, ACTOR, DOOR };
    struct Thing
    {
        int tile, kind, which;
        bool operator<(const Thing& o) const { return tile < o.tile; }
    };

    // Which things come within reach at which tile: an item on the map from its own tile or
    // one beside it (the boxes touch); a character from the ring of tiles two away, where the
    // player walks up within talking distance; a door from a tile beside it.
    void index()
    {
        auto add = [&](int x, int y, int kind, int which) {
            if (inside(x, y))
                things_.push_back({y * N + x, kind, which});
        };
        for (size_t i = 0; i < g_.items.size(); i++) {
            const Item* it = g_.items[i];
            if (it->owner != OWNER_MAP)
                continue;
            int x = tileOf(it->x), y = tileOf(it->y);
            const int near[5][2] = {{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& d : near)
                add(x + d[0], y + d[1], ITEM, (int)i);
        }
        for (size_t i = 0; i < g_.actors.size(); i++) {
            int x = tileOf(g_.actors[i]->x), y = tileOf(g_.actors[i]->y);
            if (!inside(x, y))
                continue;
            for (int dy = -2; dy <= 2; dy++)
                for (int dx = -2; dx <= 2; dx++)
                    if (std::abs(dx) == 2 || std::abs(dy) == 2)
                        add(x + dx, y + dy, ACTOR, (int)i);
        }
        for (int y = 1; y < N - 1; y++)
            for (int x = 1; x < N - 1; x++) {
                int t = g_.map->level[y][x];
                if (isLockedDoor(t) || t == TILE_ROOM_DOOR) {
                    const int near[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
                    for (const auto& d : near)
                        add(x + d[0], y + d[1], DOOR, y * N + x);
                }
            }
        std::stable_sort(things_.begin(), things_.end());
    }

    void reach(int c)
    {
        reached_[c] = 1;
        queue_.push_back(c);
        auto from = std::lower_bound(things_.begin(), things_.end(), Thing{c, 0, 0});
        for (auto t = from; t != things_.end() && t->tile == c; ++t) {
            if (t->kind == ITEM)
                gain((size_t)t->which);
            else if (t->kind == ACTOR)
                meet((size_t)t->which);
            else if (!doorSeen_[t->which]) {
                doorSeen_[t->which] = 1;
                int tile = g_.map->level[t->which / N][t->which % N];
                (tile == TILE_ROOM_DOOR ? roomDoors_ : doors_).push_back(t->which);
                openDoors();
            }
        }
    }

    void meet(size_t i)
    {
        if (met_[i])
            return;
        met_[i] = 1;
        const std::string& role = g_.actors[i]->conversation[0];
        bool opensShop = role == "Shoppy" && !shop_, opensKeyShop = role == "Keyshop" && !keyShop_;
        shop_ = shop_ || role == "Shoppy";
        keyShop_ = keyShop_ || role == "Keyshop";
        if (!opensShop && !opensKeyShop)
            return;
        for (size_t k = 0; k < g_.items.size(); k++) {
            const Item* it = g_.items[k];
            if (it->owner != OWNER_SHOP)
                continue;
            bool keyGoods = it->type == ITEM_ROOM_KEY || it->type == ITEM_KEY_SHOP_GOODS;
            if (keyGoods ? opensKeyShop : opensShop)
                gain(k);
        }
    }

    void gain(size_t i)
    {
        if (itemHad_[i])
            return;
        itemHad_[i] = 1;
        const Item* it = g_.items[i];
        keys_ += it->type == ITEM_DOOR_KEY;
        picks_ += it->type == ITEM_LOCK_PICK;
        roomKeys_ += it->type == ITEM_ROOM_KEY;
        if (it->type == ITEM_FLOATER && !floating_) {
            // Every tile reached so far is looked at again: the sea beside it is open now.
            floating_ = true;
            for (int c = 0; c < N * N; c++)
                if (reached_[c])
                    queue_.push_back(c);
        }
        openDoors();
    }

    // A lock-pick opens a door before it breaks one time in two: two picks count as one key.
    void openDoors()
    {
        while (!doors_.empty() && doorsOpened_ < keys_ + picks_ / 2) {
            open(doors_.front());
            doors_.pop_front();
            doorsOpened_++;
        }
        while (!roomDoors_.empty() && roomDoorsOpened_ < roomKeys_) {
            open(roomDoors_.front());
            roomDoors_.pop_front();
            roomDoorsOpened_++;
        }
    }

    void open(int c)
    {
        opened_[c] = 1;
        openDoor(c % N, c / N);
        if (!reached_[c] && walk().passable(c % N, c / N))
            reach(c);
    }

    CheckedGame& g_;
    TileReach dry_, wet_;
    std::vector<char> reached_, itemHad_, met_, doorSeen_, opened_;
    std::vector<Thing> things_;
    std::deque<int> queue_;
    std::deque<int> doors_, roomDoors_;
    bool floating_ = false, shop_ = false, keyShop_ = false;
    int keys_ = 0, picks_ = 0, roomKeys_ = 0, doorsOpened_ = 0, roomDoorsOpened_ = 0;
};


// Why the item cannot be had, in a few words.
std::string whyNotHad(const Item* it)
{
    if (it->owner == OWNER_MAP)
        return "it lies out of reach on " + tileText(it->x, it->y) + pixelHint(it->x, it->y);
    if (it->owner == OWNER_SHOP)
        return it->type == ITEM_ROOM_KEY || it->type == ITEM_KEY_SHOP_GOODS ? "no key shop can be reached to buy it"
                                                                            : "no shop can be reached to buy it";
    return "it is held nowhere (owner " + std::to_string(it->owner) + ")";
}

// Characters that stand still in a passage: with nobody in the way the walk would get further.
// Each cut-off stretch of ground that holds something, or is more than a corner, is blamed on the
// characters on its edge.
void checkPassages(CheckedGame& g, const Explorer& e)
{
    TileReach open(*g.map, e.floating());
    for (int c = 0; c < N * N; c++)
        if (e.doorOpened(c % N, c / N))
            open.open(c % N, c / N);
    int sx = tileOf(g.player->x), sy = tileOf(g.player->y);
    open.search(sx, sy);
    std::vector<int> zoneOf(N * N, -1);
    for (size_t i = 0; i < g.actors.size(); i++) {
        const Actor* a = g.actors[i];
        if (!standsInTheWay(g, a))
            continue;
        int cx = tileOf(a->x), cy = tileOf(a->y);
        for (int y = cy - 1; y <= cy + 2; y++)
            for (int x = cx - 1; x <= cx + 2; x++)
                if (inside(x, y) && TileReach::touches(a, x, y) && zoneOf[y * N + x] < 0)
                    zoneOf[y * N + x] = (int)i;
    }
    std::vector<char> interesting(N * N, 0);
    for (const Item* it : g.items)
        if (it->owner == OWNER_MAP && inside(tileOf(it->x), tileOf(it->y)))
            interesting[tileOf(it->y) * N + tileOf(it->x)] = 1;
    for (const Actor* a : g.actors)
        if (inside(tileOf(a->x), tileOf(a->y)))
            interesting[tileOf(a->y) * N + tileOf(a->x)] = 1;
    std::vector<char> seen(N * N, 0);
    std::map<int, int> blamed;   // character -> a tile it cuts off
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (int c0 = 0; c0 < N * N; c0++) {
        if (seen[c0] || e.at(c0 % N, c0 / N) || !open.reached(c0 % N, c0 / N) || zoneOf[c0] >= 0)
            continue;
        std::vector<int> stretch = {c0};
        std::vector<int> edge;
        bool worth = false;
        seen[c0] = 1;
        for (size_t k = 0; k < stretch.size(); k++) {
            int c = stretch[k];
            worth = worth || interesting[c];
            for (const auto& s : steps) {
                int x = c % N + s[0], y = c / N + s[1];
                if (!inside(x, y))
                    continue;
                int n = y * N + x;
                if (zoneOf[n] >= 0)
                    edge.push_back(zoneOf[n]);
                if (!seen[n] && !e.at(x, y) && open.reached(x, y) && zoneOf[n] < 0) {
                    seen[n] = 1;
                    stretch.push_back(n);
                }
            }
        }
        if (!worth && stretch.size() <= 12)
            continue;
        for (int who : edge)
            blamed.emplace(who, c0);
    }
    for (const auto& b : blamed) {
        const Actor* a = g.actors[(size_t)b.first];
        g.warn(g.actorText[(size_t)b.first].name, 17,
               "the character stands still in a passage at " + tileText(a->x, a->y) + ": it cuts the player off from tile " +
                   std::to_string(b.second % N) + "," + std::to_string(b.second / N));
    }
}

long long most(long long a, long long b) { return a > b ? a : b; }

// The most gold a player can ever hold, or -1 when a gambler in reach makes it boundless: the
// purse it starts with, 50 a win, 1000 for every level's reward, every quest's reward, and half
// the price of everything it can sell.
long long mostMoney(const CheckedGame& g, const Explorer& e)
{
    long long gold = g.player->stats.money, wins = 0;
    for (size_t i = 0; i < g.actors.size(); i++) {
        const Actor* a = g.actors[i];
        if (a->conversation[0] == "Gamble" && !a->bIsHostile && e.met(i))
            return -1;
        wins += a != g.player && a->bIsHostile;
    }
    gold += 50 * wins + 1000 * (((long long)g.player->stats.xp + wins) / 4);
    for (const Quest* q : g.quests)
        gold += most(q->reward, 0);
    for (size_t k = 0; k < g.items.size() && e.shopMet(); k++)
        if (e.had(k) && g.items[k]->owner != OWNER_SHOP)
            gold += most(g.items[k]->price, 0) / 2;
    return gold;
}

// A quest item to be had only from a shop, at a price the player can never pay.
void checkAffordable(CheckedGame& g, const Explorer& e, size_t quest)
{
    long long cheapest = -1;
    for (size_t k : g.itemsNamed(g.quests[quest]->itemTarget)) {
        const Item* it = g.items[k];
        if (it->type == ITEM_USED_UP || !e.had(k))
            continue;
        if (it->owner != OWNER_SHOP)
            return;
        cheapest = cheapest < 0 ? it->price : std::min(cheapest, (long long)it->price);
    }
    long long gold = mostMoney(g, e);
    if (cheapest >= 0 && gold >= 0 && cheapest > gold)
        g.error(g.questText[quest].name, 2, "the quest item \"" + g.quests[quest]->itemTarget + "\" costs " +
                                                std::to_string(cheapest) + " gold in the shop, and the player can never "
                                                "have more than " + std::to_string(gold));
}

// A hostile creature no player can beat: with every level the game's fights can give put into
// health, strength, dexterity or intelligence alike, the best armour worn and the best weapon or
// spell used, its first blow still kills, and the player's blows in the turns before it cannot
// take its health.
bool unbeatable(const CheckedGame& g, const Actor* c)
{
    const CharacterStats& p = g.player->stats;
    long long wins = 0;
    for (const Actor* a : g.actors)
        wins += a != g.player && a->bIsHostile;
    long long ups = ((long long)p.xp + wins) / 4;
    long long armour = 0, melee = 0, ranged = 0;
    for (const Item* it : g.items) {
        if (it->type == ITEM_ARMOUR)
            armour = most(armour, it->maxEffect);
        if (it->type == ITEM_MELEE)
            melee = most(melee, (long long)it->maxEffect * 4);   // widened by drink
        if (it->type == ITEM_RANGED)
            ranged = most(ranged, 2LL * it->maxEffect);   // a critical hit
    }
    long long strength = (long long)p.strength + ups, intelligence = (long long)p.intelligence + ups;
    long long defence = (long long)p.dexterity + ups + armour;
    long long health = (long long)p.hp_max + 4 * ups;
    long long blow = (long long)c->stats.strength - defence;
    if (blow < defence || blow < health)
        return false;
    long long hit = most(most(melee, ranged) + 2 * strength, 30 + intelligence);
    // The player strikes first, and casts or shoots while the creature closes in from as far as
    // 200 pixels: a few turns at most before the blow.
    const long long turns = 5;
    return (long long)c->stats.hp > hit * turns;
}

// An unbeatable creature that stands where the only way to a quest's item, a quest giver or the
// ending passes: with it as a wall, the walk from the start loses one of them.
void checkGuards(CheckedGame& g, const Explorer& e)
{
    int looked = 0;
    for (size_t i = 0; i < g.actors.size() && looked < 16; i++) {
        const Actor* c = g.actors[i];
        if (c == g.player || !c->bIsHostile || !e.met(i) || !unbeatable(g, c))
            continue;
        looked++;
        Explorer without(g, c);
        without.run();
        std::string lost;
        for (const Quest* q : g.quests)
            for (size_t k : g.itemsNamed(q->itemTarget))
                if (lost.empty() && e.had(k) && !without.had(k))
                    lost = "the quest item \"" + q->itemTarget + "\"";
        for (size_t k = 0; k < g.actors.size() && lost.empty(); k++) {
            const std::string& role = g.actors[k]->conversation[0];
            if ((role == "Questy" || role == "Ending") && e.met(k) && !without.met(k))
                lost = roleName(role);
        }
        if (!lost.empty())
            g.warn(g.actorText[i].name, 13, "an unbeatable creature (health " + std::to_string(c->stats.hp) +
                                                ", strength " + std::to_string(c->stats.strength) +
                                                ") guards the only way to " + lost +
                                                ": no level the game's fights can give wins that fight");
    }
}

} // namespace

void checkReach(CheckedGame& g)
{
    if (!g.bMapRead || !g.player || !inside(tileOf(g.player->x), tileOf(g.player->y)))
        return;
    Explorer e(g);
    e.run();
    g.result.reach.doorsOpened = e.doorsOpened();
    g.result.reach.roomDoorsOpened = e.roomDoorsOpened();
    g.result.reach.bFloater = e.floating();
    g.result.reach.tilesReached = e.tiles();
    int errorsBefore = g.result.errors();

    for (size_t i = 0; i < g.quests.size(); i++) {
        const Quest* q = g.quests[i];
        const Item* candidate = nullptr;
        bool had = false;
        for (size_t k : g.itemsNamed(q->itemTarget)) {
            const Item* it = g.items[k];
            if (had || it->type == ITEM_USED_UP)
                continue;
            had = e.had(k);
            candidate = candidate ? candidate : it;
        }
        if (candidate && !had)
            g.error(g.questText[i].name, 2, "the quest item \"" + q->itemTarget + "\" cannot be had: " + whyNotHad(candidate));
        else if (had)
            checkAffordable(g, e, i);
    }
    bool giverMet = false, anyGiver = false;
    for (size_t i = 0; i < g.actors.size(); i++) {
        const Actor* a = g.actors[i];
        const std::string& role = a->conversation[0];
        if (role == "Questy" && !a->bIsHostile) {
            anyGiver = true;
            giverMet = giverMet || e.met(i);
        }
        if (a == g.player || a->bIsHostile || e.met(i))
            continue;
        std::string where = " at " + tileText(a->x, a->y) + " cannot be reached from the start";
        if (role == "Questy")
            g.error(g.actorText[i].name, 14, "the quest giver" + where);
        else if (role == "Shoppy" || role == "Keyshop")
            g.error(g.actorText[i].name, 14, (role == "Shoppy" ? "the shopkeeper" : "the key shop") + where);
        else if (role == "Ending")
            g.error(g.actorText[i].name, 14, "the character who shows the ending" + where);
        else
            g.warn(g.actorText[i].name, 1, "the character" + where);
    }
    if (anyGiver && !giverMet && !g.quests.empty())
        g.error(g.questText[0].name, 0, "no quest giver can be reached from the start: the quests are never given, and "
                                       "the ending waits for every one");
    std::set<std::string> wanted;   // out of reach, these are the quests' errors already
    for (const Quest* q : g.quests)
        wanted.insert(q->itemTarget);
    for (size_t k = 0; k < g.items.size(); k++) {
        const Item* it = g.items[k];
        if (it->owner == OWNER_MAP && !e.had(k) && !wanted.count(it->shortName))
            g.warn(g.itemText[k].name, 5, "the item on " + tileText(it->x, it->y) + " cannot be reached from the start");
    }

    bool anyBed = false, bedReached = false;
    for (int y = 1; y < N - 1; y++)
        for (int x = 1; x < N - 1; x++) {
            int t = g.map->level[y][x];
            if (t == TILE_BED_HEAD || t == TILE_BED_FOOT) {
                anyBed = true;
                for (int dy = -1; dy <= 1; dy++)
                    for (int dx = -1; dx <= 1; dx++)
                        bedReached = bedReached || ((dx || dy) && e.at(x + dx, y + dy));
            }
            if ((isLockedDoor(t) || t == TILE_ROOM_DOOR) && e.doorSeen(x, y) && !e.doorOpened(x, y))
                g.warn("map.dat", y + 1, std::string(t == TILE_ROOM_DOOR ? "the room door" : "the locked door") +
                                             " in column " + std::to_string(x) + " cannot be opened: no " +
                                             (t == TILE_ROOM_DOOR ? "room key" : "key") + " left for it");
        }
    if (!anyBed)
        g.warn("map.dat", 0, "there is no bed in the map: the player can never sleep");
    else if (!bedReached)
        g.error("map.dat", 0, "no bed can be reached from the start");
    if (!e.at(1, 1))
        g.warn("map.dat", 2, "the flee spell puts the player on tile 1,1, which is cut off from the start");
    // A start shut in on a few tiles is why nothing else can be reached: said first.
    const int SHUT_IN = 50;
    if (e.tiles() < SHUT_IN && g.result.errors() > errorsBefore) {
        size_t i = std::find(g.actors.begin(), g.actors.end(), g.player) - g.actors.begin();
        g.cause(g.actorText[i].name, 1, "the player is shut in on " + std::to_string(e.tiles()) + " tiles around its start at " +
                                            tileText(g.player->x, g.player->y) + ": nothing beyond them can be reached");
    }
    checkPassages(g, e);
    checkGuards(g, e);
}
