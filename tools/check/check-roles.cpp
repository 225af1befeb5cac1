// check-roles.cpp -- quorvane-check on who does what: role keywords and their near misses, hostile role holders, quest givers, shops, quests, and the folder's own name.
#include <algorithm>
#include <cctype>
#include <map>
#include "check.h"

namespace {

const char* const SEA_KEYWORD = "Seamonster";

std::string lower(std::string s)
{
    for (char& c : s)
        c = (char)tolower((unsigned char)c);
    return s;
}

// The line as a typing slip leaves it: blanks and carriage returns around it dropped, and a
// single blank inside ("Sea monster") closed up. Empty when it reads as a spoken line instead.
std::string asOneWord(const std::string& line)
{
    size_t a = line.find_first_not_of(" \t\r"), b = line.find_last_not_of(" \t\r");
    if (a == std::string::npos || b - a + 1 > 16)
        return "";
    std::string w = line.substr(a, b - a + 1);
    size_t blank = w.find(' ');
    if (blank != std::string::npos && w.find(' ', blank + 1) == std::string::npos)
        w.erase(blank, 1);
    for (char c : w)
        if (!isalpha((unsigned char)c))
            return "";
    return w;
}

// Letters to add, drop, change or swap with a neighbour to turn a into b.
int slips(const std::string& a, const std::string& b)
{
    size_t n = a.size(), m = b.size();
    std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1, 0));
    for (size_t i = 0; i <= n; i++)
        d[i][0] = (int)i;
    for (size_t j = 0; j <= m; j++)
        d[0][j] = (int)j;
    for (size_t i = 1; i <= n; i++)
        for (size_t j = 1; j <= m; j++) {
            int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[n][m];
}

// The keyword among `keywords` that `line` nearly is ("questy", "Shopy", "Ending "), or empty
// when the line is one of them exactly or reads as an ordinary line. A keyword with only a
// carriage return after it is left to the line-end check.
std::string nearMiss(const std::string& line, std::initializer_list<const char*> keywords)
{
    std::string bare = line;
    if (!bare.empty() && bare.back() == '\r')
        bare.pop_back();
    for (const char* k : keywords)
        if (bare == k)
            return "";
    std::string w = lower(asOneWord(line));
    if (w.empty())
        return "";
    std::string best;
    int bestSlips = 3;
    for (const char* k : keywords) {
        std::string kw = k;
        int allowed = kw.size() >= 6 ? 2 : 1;
        int s = slips(w, lower(kw));
        if (s <= allowed && s < bestSlips) {
            best = kw;
            bestSlips = s;
        }
    }
    return best;
}

std::string quotedLine(const std::string& s)
{
    std::string q;
    for (char c : s)
        q += c == '\r' ? std::string("\\r") : std::string(1, c);
    return "\"" + q + "\"";
}

bool isKeyGoods(const Item* it) { return it->type == ITEM_ROOM_KEY || it->type == ITEM_KEY_SHOP_GOODS; }

void checkKeywords(CheckedGame& g)
{
    const std::initializer_list<const char*> roles = {"Plyr", "Questy", "Shoppy", "Keyshop", "Gamble", "Ending"};
    for (size_t i = 0; i < g.actors.size(); i++) {
        const Actor* a = g.actors[i];
        const std::string& file = g.actorText[i].name;
        const std::string& first = a->conversation[0];
        const std::string& second = a->conversation[1];
        bool hasRole = isRoleKeyword(first);
        std::string meant = nearMiss(first, roles);
        if (!meant.empty())
            g.error(file, 14, quotedLine(first) + " is no role keyword, so the character only talks: did you mean \"" +
                                  meant + "\"? Keywords are matched exactly, capitals and spaces included");
        if (!hasRole && meant.empty() && (isRoleKeyword(second) || !nearMiss(second, roles).empty())) {
            std::string k = isRoleKeyword(second) ? second : nearMiss(second, roles);
            g.error(file, 15, "\"" + k + "\" on line 15 gives no role: did you mean it for line 14, where role keywords go? "
                                         "(lines 14 and 15 swapped)");
        }
        // A sea creature on land is odd, not the end of the game.
        if (first == SEA_KEYWORD || (nearMiss(first, {SEA_KEYWORD}) != "" && !hasRole))
            g.warn(file, 14, "\"Seamonster\" on line 14 makes no sea creature: did you mean it for line 15?");
        else if (!nearMiss(second, {SEA_KEYWORD}).empty())
            g.warn(file, 15, quotedLine(second) + " makes no sea creature: did you mean \"Seamonster\"?");
    }
}

// A role holder that fights is met with a fight at first sight, and its role dies with it.
void checkHostileRoles(CheckedGame& g)
{
    for (size_t i = 0; i < g.actors.size(); i++) {
        const Actor* a = g.actors[i];
        std::string role = roleName(a->conversation[0]);
        if (a == g.player || role.empty() || !a->bIsHostile)
            continue;
        g.error(g.actorText[i].name, 13, role + " is hostile: it starts a fight at first sight and its role dies with it; "
                                                "write 0 on line 13");
    }
}

void checkQuestGivers(CheckedGame& g)
{
    bool giver = false, peacefulGiver = false, ending = false;
    for (const Actor* a : g.actors) {
        giver = giver || a->conversation[0] == "Questy";
        peacefulGiver = peacefulGiver || (a->conversation[0] == "Questy" && !a->bIsHostile);
        ending = ending || a->conversation[0] == "Ending";
    }
    if (!ending && !g.actors.empty())
        g.error("npcdef", 0, "no character has the role \"Ending\" on line 14: the game can never end");
    if (!giver && !g.quests.empty())
        g.error(g.questText[0].name, 0, "there are quests but no quest giver (\"Questy\" on line 14): nobody gives them, "
                                       "and the ending waits for every one");
    else if (giver && !peacefulGiver && !g.quests.empty())
        g.error(g.questText[0].name, 0, "every quest giver is hostile: nobody gives the quests, and the ending waits "
                                       "for every one");
}

void checkShops(CheckedGame& g)
{
    bool stock = false, keyStock = false;
    for (const Item* it : g.items)
        if (it->owner == OWNER_SHOP && it->type != ITEM_USED_UP)
            (isKeyGoods(it) ? keyStock : stock) = true;
    bool shopTold = false, keyShopTold = false;
    for (size_t i = 0; i < g.actors.size(); i++) {
        const std::string& role = g.actors[i]->conversation[0];
        if (role == "Shoppy" && !stock && !shopTold) {
            shopTold = true;
            g.warn(g.actorText[i].name, 14, "the shop has nothing to sell: no item but room keys has owner 2 (line 4)");
        } else if (role == "Keyshop" && !keyStock && !keyShopTold) {
            keyShopTold = true;
            g.warn(g.actorText[i].name, 14, "the key shop has nothing to sell: no room key (type 11) or key-shop goods "
                                            "(type 12) has owner 2 (line 4)");
        }
    }
}

void checkQuests(CheckedGame& g)
{
    std::map<int, size_t> flagRaisedBy;
    std::map<std::string, std::vector<size_t>> askedBy;   // short name -> the quests asking for it
    int playerWeapons = 0;
    for (const Item* it : g.items)
        playerWeapons += it->owner == OWNER_PLAYER && isWeapon(it);
    for (size_t i = 0; i < g.quests.size(); i++) {
        const Quest* q = g.quests[i];
        const std::string& file = g.questText[i].name;
        if (q->flagId >= 0 && q->flagId < FLAG_COUNT) {
            auto first = flagRaisedBy.emplace(q->flagId, i);
            if (!first.second)
                g.warn(file, 5, "story flag " + std::to_string(q->flagId) + " is raised by " +
                                    g.questText[first.first->second].name +
                                    " too: whatever waits on it cannot tell the two quests apart");
        }
        const std::vector<size_t>& named = g.itemsNamed(q->itemTarget);
        // A handed-in item still counts as existing, so a quest after the copies run out stays
        // open for ever, and the ending waits for it.
        std::vector<size_t>& asking = askedBy[q->itemTarget];
        asking.push_back(i);
        size_t copies = (size_t)std::count_if(named.begin(), named.end(),
                                              [&](size_t k) { return g.items[k]->type != ITEM_USED_UP; });
        if (copies > 0 && asking.size() > copies)
            g.error(file, 2, "\"" + q->itemTarget + "\" is asked for by " + g.questText[asking.front()].name +
                                 " too, and there " + (copies == 1 ? "is 1 of it" : "are " + std::to_string(copies)) +
                                 ": once handed in it is gone, and this quest can never be done; give it an item of "
                                 "its own");
        if (named.size() > 1) {
            std::string which;
            for (size_t k : named)
                which += (which.empty() ? "" : ", ") + g.itemText[k].name;
            g.warn(file, 2, "the short name \"" + q->itemTarget + "\" belongs to " + std::to_string(named.size()) +
                                " items (" + which + "): the hand-in takes the first the player carries");
        }
        for (size_t k : named) {
            const Item* it = g.items[k];
            if (it->type == ITEM_USED_UP)
                continue;
            if (it->bIsEquipped)
                g.warn(file, 2, "the quest asks for \"" + q->itemTarget + "\", which the player wears from the start (" +
                                    g.itemText[k].name + " line 7)");
            else if (it->owner == OWNER_PLAYER && isWeapon(it) && playerWeapons == 1)
                g.warn(file, 2, "the quest asks for \"" + q->itemTarget + "\", the player's only weapon (" +
                                    g.itemText[k].name + "): handing it in leaves the player unarmed");
        }
    }
}

void checkFolderName(CheckedGame& g)
{
    std::string name = folderNameOf(g.dir);
    if (!promptCanType(name))
        g.error("", 0, "the folder's name \"" + name + "\" cannot be typed at the custom-game prompt, which takes the "
                       "letters a to z only, " + std::to_string(GAME_NAME_MAX) + " at most: rename the folder (and "
                       "line 46 of vars.sav with it)");
    else if (name == "save")
        g.warn("", 0, "the folder is called \"save\": the game saves into that folder, over this game");
}

} // namespace

std::string nearestName(const std::string& word, const std::vector<std::string>& names)
{
    std::string w = lower(word);
    size_t a = w.find_first_not_of(" \t\r"), b = w.find_last_not_of(" \t\r");
    w = a == std::string::npos ? "" : w.substr(a, b - a + 1);
    std::string best;
    int bestSlips = 3;
    for (const std::string& n : names) {
        if (n.empty() || n == word || n.size() > 40 || w.size() > 40)
            continue;
        int allowed = n.size() >= 6 ? 2 : 1;
        int s = slips(w, lower(n));
        if (s <= allowed && s < bestSlips) {
            best = n;
            bestSlips = s;
        }
    }
    return best;
}

void checkRoles(CheckedGame& g)
{
    checkFolderName(g);
    checkKeywords(g);
    checkHostileRoles(g);
    checkQuestGivers(g);
    checkShops(g);
    checkQuests(g);
}
