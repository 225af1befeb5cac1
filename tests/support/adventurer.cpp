// adventurer.cpp -- a player's hands for long scripted plays: fights, shops, doors, beds, saves.
#include "adventurer.h"
#include "../gamefixture.h"
#include "pack-order.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace qtest {

Snapshot Snapshot::of(CGame& g)
{
    Snapshot s;
    s.player = *g.player;
    for (const Item* it : g.itemVec) {
        std::ostringstream o;
        o << it->shortName << " owner " << it->owner << " type " << it->type << (it->bIsEquipped ? " worn" : "");
        s.items.push_back(o.str());
    }
    for (const Quest* q : g.questList)
        s.quests.push_back(q->bIsCompleted);
    for (bool f : g.vars.flags)
        s.flags.push_back(f);
    s.floater = g.vars.hasFloater;
    for (const Actor* a : g.actorList)
        s.alive.push_back(a->myName);
    for (int r = 0; r < Map::SIZE; r++)
        for (int c = 0; c < Map::SIZE; c++)
            s.map.push_back(g.theMap->getTileAt(c, r));
    return s;
}

void expectSame(const Snapshot& a, const Snapshot& b)
{
    gamefix::expectSameActor(a.player, b.player);
    EXPECT_EQ(a.items, b.items);
    EXPECT_EQ(a.quests, b.quests);
    EXPECT_EQ(a.flags, b.flags);
    EXPECT_EQ(a.floater, b.floater);
    EXPECT_EQ(a.alive, b.alive) << "the dead stay dead, the living stay";
    size_t differ = 0;
    for (size_t i = 0; i < a.map.size() && i < b.map.size(); i++)
        differ += a.map[i] != b.map[i];
    EXPECT_EQ(0u, differ) << "map tiles changed by the save and load";
}

void Adventurer::play(Scenario& s)
{
    Scenario* steps = &s;
    onFrame = [this, steps] {
        frames++;
        steps->tick();
    };
    g->begin();
    onFrame = nullptr;
    releaseAllKeys();
}

void Adventurer::note(const std::string& line)
{
    log_.push_back(line);
}

std::string Adventurer::journal() const
{
    std::string s;
    for (const std::string& l : log_)
        s += "  " + l + "\n";
    return s;
}

bool Adventurer::exploring() const
{
    return g->bPlayingGame && g->player != nullptr && g->mode == 0;
}

bool Adventurer::free()
{
    return !fighting() && exploring();
}

void Adventurer::onMap(Scenario& s, const std::string& name, std::function<bool()> step)
{
    s.add(name, [this, step] { return free() && step(); });
}

bool Adventurer::talkTo(const std::string& name)
{
    return free() && walkUpAndTalk(*g, walker, name);
}

bool Adventurer::walkToItem(const std::string& shortName)
{
    if (!free())
        return false;
    Item* it = itemNamed(*g, shortName);
    if (!it) {
        ADD_FAILURE() << "no item called " << shortName;
        return true;
    }
    return walker.reach(*g, it);
}

namespace {

// Down to the row of a list and Return.
void chooseRow(int downs)
{
    for (int i = downs; i > 0; i--)
        press(SDLK_DOWN);
    press(SDLK_RETURN);
}

// The index of the item of that name in a shop list, or -1.
int indexOf(const std::vector<Item*>& list, const std::string& shortName)
{
    int at = -1;
    for (size_t i = 0; i < list.size(); i++)
        if (list[i]->shortName == shortName)
            at = (int)i;
    return at;
}

} // namespace

void Adventurer::usePacked(const Item* item)
{
    press(SDLK_ESCAPE);
    choosePacked(item);
}

void Adventurer::choosePacked(const Item* item)
{
    if (g->vars.bPackOrder)
        for (const Item* it : g->itemVec)
            if (it->owner == OWNER_PLAYER)
                press(SDLK_UP);
    chooseRow(packDowns(item));
}

int Adventurer::packDowns(const Item* item) const
{
    std::vector<Item*> pack;
    for (Item* it : g->itemVec)
        if (it->owner == OWNER_PLAYER && it->type != ITEM_USED_UP)
            pack.push_back(it);
    if (g->vars.bPackOrder) {
        const std::vector<PackRow> rows = packRows(pack);
        for (size_t i = 0; i < rows.size(); i++)
            if (packAlike(rows[i].item, item))
                return (int)(rows.size() - 1 - i);
        return -1;
    }
    for (size_t i = 0; i < pack.size(); i++)
        if (pack[i] == item)
            return (int)(pack.size() - 1 - i);
    return -1;
}

// The smallest potion that outlasts the next blow, so the great ones are kept for the hardest
// fights; the largest when none does.
Item* Adventurer::bestPotion(int need) const
{
    Item* enough = nullptr;
    Item* largest = nullptr;
    for (Item* it : g->itemVec) {
        if (it->owner != OWNER_PLAYER || it->type != ITEM_HEALING)
            continue;
        if (!largest || it->maxEffect > largest->maxEffect)
            largest = it;
        if (it->maxEffect > need && (!enough || it->maxEffect < enough->maxEffect))
            enough = it;
    }
    return enough ? enough : largest;
}

// The player's turn: drink or heal when the next blow could kill, strike when next to the enemy,
// wait while it comes closer, and step toward it when it stopped coming.
void Adventurer::takeTurn()
{
    Actor* p = g->player;
    Actor* e = g->enemy;
    turns_++;
    bool moved = turns_ == 1 || e->x != lastEx_ || e->y != lastEy_;
    lastEx_ = e->x;
    lastEy_ = e->y;
    stillTurns_ = moved ? 0 : stillTurns_ + 1;
    // The best melee weapon in hand first; switching costs no turn.
    int best = -1;
    const std::vector<Item*>& w = g->fvars.weapons;
    for (size_t i = 0; i < w.size(); i++)
        if (w[i]->type == ITEM_MELEE && (best < 0 || w[i]->maxEffect > w[best]->maxEffect))
            best = (int)i;
    // V is the next weapon in list order; with "keepweapon" it goes down the list as drawn instead.
    const bool drawnOrder = g->vars.bKeepWeapon;
    const SDLKey later = drawnOrder ? SDLK_b : SDLK_v, earlier = drawnOrder ? SDLK_v : SDLK_b;
    for (int i = g->fvars.selectedWeapon; best >= 0 && i < best; i++)
        press(later);
    for (int i = g->fvars.selectedWeapon; best >= 0 && i > best; i--)
        press(earlier);
    int armour = g->fvars.playerArmour ? g->fvars.playerArmour->maxEffect : 0;
    int deadly = (int)e->stats.strength - armour;
    bool near = g->distance(p->x, p->y, e->x, e->y) < 96;
    static const bool trace = std::getenv("QUORVANE_SCRIPT_TRACE") != nullptr;
    if (trace)
        std::fprintf(stderr, "[fight] turn %d: health %d, %s %d, %.0f apart\n", turns_, p->stats.hp, e->myName.c_str(),
                     e->stats.hp, g->distance(p->x, p->y, e->x, e->y));
    if (p->stats.hp <= deadly) {
        if (Item* potion = bestPotion(deadly)) {
            note("drank the " + potion->shortName + " fighting " + e->myName);
            press(SDLK_x);
            choosePacked(potion);
            return;
        }
        if (p->stats.mp >= 10) {
            press(SDLK_c);
            press(SDLK_x);
            press(SDLK_c);
            return;
        }
    }
    if (near) {
        press(SDLK_z);
        return;
    }
    if (stillTurns_ > 0) {
        SDLKey k = walker.stepToward(*g, Walker::tileOf(e->x), Walker::tileOf(e->y));
        press(k == SDLK_UNKNOWN ? SDLK_SPACE : k);
        return;
    }
    press(SDLK_SPACE);
}

bool Adventurer::fighting()
{
    CGame& G = *g;
    if (!G.player)
        return true;
    if (G.player->stats.hp <= 0) {
        // Nothing after this can go on: say where and how, and end the test program.
        std::fprintf(stderr, "The player died fighting %s at (%.0f, %.0f) after %d turns. The route so far:\n%s",
                     foe_.c_str(), G.player->x, G.player->y, turns_, journal().c_str());
        std::fflush(stderr);
        std::_Exit(3);
    }
    if (G.mode == 1 && !G.bPlayingGame && G.enemy) {
        if (!inFight_) {
            inFight_ = true;
            fights++;
            rewardTaken_ = false;
            turns_ = 0;
            stillTurns_ = 0;
            foe_ = G.enemy->myName;
            levelBefore_ = G.player->stats.level;
            walker.reset();
        }
        if (G.vars.bYourTurn)
            takeTurn();
        return true;
    }
    if (!inFight_)
        return false;
    if (G.enemy == nullptr) {
        if (!rewardTaken_) {
            // The reward screen: a level-up reward, strength and dexterity by turns.
            rewardTaken_ = true;
            wins++;
            bool levelled = G.player->stats.level > levelBefore_;
            std::ostringstream o;
            o << "won against " << foe_ << " in " << turns_ << " turns, health " << G.player->stats.hp << "/"
              << G.player->stats.hp_max;
            if (levelled) {
                press(levelUps % 2 == 0 ? SDLK_s : SDLK_d);
                o << "; level " << G.player->stats.level << ", " << (levelUps % 2 == 0 ? "strength" : "dexterity") << " up";
                levelUps++;
            } else {
                press(SDLK_RETURN);
            }
            note(o.str());
            return true;
        }
        inFight_ = false;
        return false;
    }
    if (G.mode == 0) {
        note("got away from " + foe_ + ": " + G.vars.currentTalk);
        inFight_ = false;
        walker.reset();
    }
    return false;
}

void Adventurer::talk(Scenario& s, const std::string& name)
{
    s.add("talk to " + name, [this, name] { return talkTo(name); });
    onMap(s, "hear " + name, [this, name] {
        note("talked to " + name + ": " + g->vars.currentTalk);
        return true;
    });
}

void Adventurer::fetch(Scenario& s, const std::string& shortName, int nearX, int nearY)
{
    auto target = std::make_shared<Item*>(nullptr);
    onMap(s, "walk to the " + shortName, [this, shortName, nearX, nearY, target] {
        if (!*target) {
            float best = 1e30f;
            for (Item* i : g->itemVec) {
                if (i->shortName != shortName || i->owner != OWNER_MAP)
                    continue;
                float d = nearX < 0 ? 0 : g->distance(i->x, i->y, nearX * (float)TILE_SIZE, nearY * (float)TILE_SIZE);
                if (d <= best) {
                    best = d;
                    *target = i;
                }
            }
            if (!*target) {
                ADD_FAILURE() << "no " << shortName << " lies on the map";
                return true;
            }
        }
        return walker.reach(*g, *target);
    });
    onMap(s, "pick up the " + shortName, [this] {
        press(SDLK_SPACE);
        return true;
    });
    onMap(s, "carry the " + shortName, [this, shortName, target] {
        EXPECT_TRUE(*target && (*target)->owner == OWNER_PLAYER)
            << shortName << " was not picked up at (" << g->player->x << ", " << g->player->y << ")";
        note("picked up the " + shortName + ": " + g->vars.currentTalk);
        return true;
    });
}

void Adventurer::buy(Scenario& s, const std::string& keeper, const std::vector<std::string>& shortNames, bool keyShop)
{
    s.add("walk to " + keeper, [this, keeper] { return talkTo(keeper); });
    s.add("choose Buy item", [] {
        press(SDLK_RETURN);
        return true;
    });
    for (const std::string& name : shortNames) {
        s.add("buy the " + name, [this, name, keyShop] {
            std::vector<Item*> stock;
            g->rebuildShopVector(stock, g->itemVec, 2, keyShop ? 11 : -1);
            int at = indexOf(stock, name);
            if (at < 0) {
                ADD_FAILURE() << "the shops have no " << name;
                return true;
            }
            if ((long long)g->player->stats.money < stock[at]->price) {
                ADD_FAILURE() << "too little money for the " << name << ": " << g->player->stats.money << " of "
                              << stock[at]->price;
                return true;
            }
            chooseRow((int)stock.size() - 1 - at);
            note("bought the " + name + " for " + std::to_string(stock[at]->price));
            return true;
        });
    }
    s.add("leave the shop", [] {
        press(SDLK_ESCAPE);
        return true;
    });
}

void Adventurer::sell(Scenario& s, const std::string& keeper, const std::vector<std::string>& shortNames)
{
    s.add("walk to " + keeper + " to sell", [this, keeper] { return talkTo(keeper); });
    s.add("choose Sell item", [] {
        press(SDLK_DOWN);
        press(SDLK_RETURN);
        return true;
    });
    for (const std::string& name : shortNames) {
        s.add("sell the " + name, [this, name] {
            std::vector<Item*> pack;
            g->rebuildShopVector(pack, g->itemVec, 1, -1);
            int at = indexOf(pack, name);
            if (at < 0) {
                ADD_FAILURE() << "no " << name << " to sell";
                return true;
            }
            chooseRow((int)pack.size() - 1 - at);
            note("sold the " + name + " for " + std::to_string(pack[at]->price / 2));
            return true;
        });
    }
    s.add("leave the shop", [] {
        press(SDLK_ESCAPE);
        return true;
    });
}

void Adventurer::wear(Scenario& s, const std::string& shortName)
{
    onMap(s, "put on the " + shortName, [this, shortName] {
        Item* it = nullptr;
        for (Item* i : g->itemVec)
            if (i->shortName == shortName && i->owner == OWNER_PLAYER)
                it = i;
        if (!it) {
            ADD_FAILURE() << "no " << shortName << " carried";
            return true;
        }
        usePacked(it);
        press(SDLK_ESCAPE);
        return true;
    });
    onMap(s, "wearing the " + shortName, [this, shortName] {
        bool worn = false;
        for (Item* i : g->itemVec)
            worn = worn || (i->shortName == shortName && i->owner == OWNER_PLAYER && i->bIsEquipped);
        EXPECT_TRUE(worn) << shortName;
        note("put on the " + shortName);
        return true;
    });
}

void Adventurer::hunt(Scenario& s, const std::string& name, int count)
{
    for (int k = 0; k < count; k++) {
        auto winsAtStart = std::make_shared<int>(-1);
        auto chosen = std::make_shared<Actor*>(nullptr);
        s.add("hunt a " + name, [this, name, winsAtStart, chosen] {
            if (*winsAtStart < 0)
                *winsAtStart = wins;
            if (!free())
                return false;
            if (wins > *winsAtStart)
                return true;
            bool alive = false;
            for (Actor* a : g->actorList)
                alive = alive || a == *chosen;
            if (alive) {
                walker.walkTo(*g, Walker::tileOf((*chosen)->x), Walker::tileOf((*chosen)->y));
                return false;
            }
            // The nearest one there is a way to (not one behind a locked door).
            Actor* prey = nullptr;
            float best = 1e30f;
            for (Actor* a : g->actorList) {
                if (a->myName != name || !a->bIsHostile)
                    continue;
                float d = g->distance(a->x, a->y, g->player->x, g->player->y);
                if (d < best && walker.reachable(*g, Walker::tileOf(a->x), Walker::tileOf(a->y))) {
                    best = d;
                    prey = a;
                }
            }
            if (!prey) {
                ADD_FAILURE() << "no " << name << " left within reach of (" << g->player->x << ", " << g->player->y
                              << ")\n" << journal();
                return true;
            }
            *chosen = prey;
            walker.walkTo(*g, Walker::tileOf(prey->x), Walker::tileOf(prey->y));
            return false;
        });
    }
}

void Adventurer::walkTo(Scenario& s, int x, int y)
{
    s.add("walk to tile " + std::to_string(x) + "," + std::to_string(y),
          [this, x, y] { return free() && walker.walkTo(*g, x, y); });
}

void Adventurer::openDoor(Scenario& s, int x, int y)
{
    std::string where = std::to_string(x) + "," + std::to_string(y);
    auto side = std::make_shared<std::pair<int, int>>(-1, -1);
    onMap(s, "walk to the door at " + where, [this, x, y, side] {
        if (side->first < 0) {
            const int beside[4][2] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}};
            for (const auto& b : beside)
                if (walker.reachable(*g, x + b[0], y + b[1])) {
                    *side = {x + b[0], y + b[1]};
                    break;
                }
            if (side->first < 0) {
                ADD_FAILURE() << "no way to the door at " << x << "," << y << " from (" << g->player->x << ", "
                              << g->player->y << ")";
                return true;
            }
        }
        return walker.walkTo(*g, side->first, side->second);
    });
    onMap(s, "unlock the door at " + where, [this, x, y] {
        int tile = g->theMap->getTileAt(x, y);
        int keyType = tile == TILE_ROOM_DOOR ? ITEM_ROOM_KEY : ITEM_DOOR_KEY;
        Item* key = nullptr;
        for (Item* i : g->itemVec)
            if (i->owner == OWNER_PLAYER && i->type == keyType)
                key = i;
        if (!key) {
            ADD_FAILURE() << "no key for the door at " << x << "," << y << " (tile " << tile << ")";
            return true;
        }
        usePacked(key);
        note("opened the door at " + std::to_string(x) + "," + std::to_string(y) + " with the " + key->shortName);
        return true;
    });
    onMap(s, "the door at " + where + " is open", [this, x, y] {
        EXPECT_EQ(TILE_OPEN_DOOR, g->theMap->getTileAt(x, y)) << "the door at " << x << "," << y << " is still shut";
        walker.reset();
        return true;
    });
}

void Adventurer::sleepNear(Scenario& s, int x, int y)
{
    auto bed = std::make_shared<std::pair<int, int>>(-1, -1);
    onMap(s, "walk to a bed", [this, x, y, bed] {
        if (bed->first < 0) {
            int best = 1 << 30;
            for (int r = y - 20; r <= y + 20; r++)
                for (int c = x - 20; c <= x + 20; c++) {
                    int t = g->theMap->getTileAt(c, r);
                    if (t != TILE_BED_HEAD && t != TILE_BED_FOOT)
                        continue;
                    for (int dy = -1; dy <= 1; dy++)
                        for (int dx = -1; dx <= 1; dx++) {
                            int d = (c + dx - x) * (c + dx - x) + (r + dy - y) * (r + dy - y);
                            if (d < best && walker.reachable(*g, c + dx, r + dy)) {
                                best = d;
                                *bed = {c + dx, r + dy};
                            }
                        }
                }
            if (bed->first < 0) {
                ADD_FAILURE() << "no bed within reach of " << x << "," << y;
                return true;
            }
        }
        return walker.walkTo(*g, bed->first, bed->second);
    });
    onMap(s, "sleep", [this] {
        press(SDLK_r);
        return true;
    });
    onMap(s, "wake up", [this] {
        EXPECT_EQ(g->player->stats.hp_max, g->player->stats.hp) << "did not sleep: " << g->vars.currentTalk;
        note("slept: " + g->vars.currentTalk);
        return true;
    });
}

void Adventurer::expectQuestsDone(Scenario& s, int n)
{
    onMap(s, "quests done: " + std::to_string(n), [this, n] {
        int done = 0;
        for (const Quest* q : g->questList)
            done += q->bIsCompleted;
        EXPECT_EQ(n, done) << journal();
        note("quests done: " + std::to_string(done) + ", money " + std::to_string(g->player->stats.money) +
             ", level " + std::to_string(g->player->stats.level));
        return true;
    });
}

void Adventurer::saveAndQuit(Scenario& s, Snapshot& saved)
{
    onMap(s, "save with F1", [this] {
        press(SDLK_F1);
        return true;
    });
    onMap(s, "saved", [this, &saved] {
        saved = Snapshot::of(*g);
        EXPECT_NE("Could not save the game!", g->vars.currentTalk);
        note("saved at (" + std::to_string((int)saved.player.x) + ", " + std::to_string((int)saved.player.y) + ")");
        press(SDLK_F2);
        if (g->vars.bConfirmations)
            press(SDLK_y);   // "Quit to the menu?"
        return true;
    });
}

void Adventurer::loadGame(Scenario& s, const Snapshot& saved)
{
    s.add("go to Load Game", [] {
        press(SDLK_DOWN);
        press(SDLK_DOWN);
        press(SDLK_RETURN);
        return true;
    });
    onMap(s, "the game is as it was saved", [this, &saved] {
        expectSame(saved, Snapshot::of(*g));
        note("loaded the save on a fresh game object");
        walker.reset();
        return true;
    });
}

void Adventurer::watchEnding(Scenario& s, const std::string& keeper)
{
    s.add("talk to " + keeper, [this, keeper] {
        if (!talkTo(keeper))
            return false;
        note("talked to " + keeper + " for the ending");
        return true;
    });
    Every now_and_then(40);
    s.add("watch the slides", [now_and_then]() mutable {
        if (now_and_then())
            press(SDLK_SPACE);
        return false;
    });
}

} // namespace qtest
