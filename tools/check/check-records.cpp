// check-records.cpp -- quorvane-check on the record files: numbered series, line counts, values in range, vars.sav.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <set>
#include <sys/stat.h>
#include "check.h"
#include "game-layout.h"
#include "readfile.h"
#include "recordlines.h"

namespace {

const int ACTOR_LINES = 20, ITEM_LINES = 11, RANGED_ITEM_LINES = 12, QUEST_LINES = 5, VARS_LINES = 46;

bool exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> linesOf(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        lines.push_back(bytes.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

// Reads a record file as the engine's reader does (readfile.h), quietly. `refused` tells a file
// that is there but cannot be read from one that is not there at all.
bool readRecordText(const std::string& dir, const std::string& name, RecordText& t, bool& refused)
{
    std::string bytes;
    bool present;
    bool ok = readGameFile(dir, name, RECORD_FILE_MAX, bytes, present);
    refused = !ok && present;
    t.name = name;
    t.lines = ok ? linesOf(bytes) : std::vector<std::string>();
    return ok;
}

std::string quoted(const std::string& s)
{
    std::string q = "\"";
    for (char c : s.substr(0, 60)) {
        if (c == '\r')
            q += "\\r";
        else if ((unsigned char)c < 32)
            q += "?";
        else
            q += c;
    }
    return q + (s.size() > 60 ? "...\"" : "\"");
}

// The line-by-line look at one record file, beside the values the engine's reader gave.
class LineCheck
{
public:
    LineCheck(CheckedGame& g, const RecordText& t, const char* kind) : g_(g), t_(t), kind_(kind) {}

    // The file must hold `needed` lines; the engine reads every missing one as 0 or empty.
    // Lines after `written` (the most the engine's writer puts there) are never read.
    void needs(int needed, int written = 0)
    {
        written = written > needed ? written : needed;
        int n = (int)t_.lines.size();
        if (n < needed)
            g_.error(t_.name, n > 0 ? n : 1, "ends after " + std::to_string(n) + " of the " + std::to_string(needed) +
                                                 " lines " + kind_ + " needs; the rest read as 0 or empty");
        else if (n > written && !(n == written + 1 && t_.lines.back().empty()))
            g_.warn(t_.name, written + 1, "lines from here on are never read");
    }

    bool has(int n) const { return n >= 1 && n <= (int)t_.lines.size(); }
    const std::string& raw(int n) const { return t_.lines[n - 1]; }

    // A number line: written plainly, within the int range. Answers the value it reads as.
    long long number(int n, const char* field)
    {
        if (!has(n))
            return 0;
        cut(n);
        std::string s = raw(n).substr(0, RECORD_LINE_MAX);
        int value = numberFromLine(s);
        std::string plain = s;
        if (!plain.empty() && plain.back() == '\r')
            plain.pop_back();
        size_t i = plain[0] == '-' ? 1 : 0;
        bool digits = plain.size() > i;
        for (size_t k = i; k < plain.size(); k++)
            digits = digits && plain[k] >= '0' && plain[k] <= '9';
        if (!digits) {
            g_.warn(t_.name, n, std::string(field) + ": " + quoted(s) + " is not a plain number; it reads as " +
                                    std::to_string(value));
        } else if (plain.size() - i > 10 || std::atoll(plain.c_str()) > INT_MAX || std::atoll(plain.c_str()) < INT_MIN) {
            g_.warn(t_.name, n, std::string(field) + ": " + plain + " is beyond the int range; it reads as " +
                                    std::to_string(value));
        }
        return value;
    }

    // A number line that must lie in lo..hi.
    long long ranged(int n, const char* field, long long lo, long long hi, Severity s, const std::string& why = "")
    {
        long long v = number(n, field);
        if (has(n) && (v < lo || v > hi))
            g_.report(t_.name, n, s, std::string(field) + " " + std::to_string(v) + " is outside " + std::to_string(lo) +
                                        ".." + std::to_string(hi) + (why.empty() ? "" : ": " + why));
        return v;
    }

    // A yes-or-no line, written 1 or 0.
    void yesNo(int n, const char* field)
    {
        long long v = number(n, field);
        if (has(n) && v != 0 && v != 1)
            g_.warn(t_.name, n, std::string(field) + " " + std::to_string(v) + " should be 1 or 0; it reads as " +
                                    (v > 0 ? "yes" : "no"));
    }

    // An unsigned field: a negative line wraps around to a huge number.
    void unsignedField(int n, const char* field, Severity s)
    {
        long long v = number(n, field);
        if (has(n) && v < 0)
            g_.report(t_.name, n, s, std::string(field) + " " + std::to_string(v) + " is negative; it reads as " +
                                        std::to_string((unsigned int)(int)v));
    }

    void text(int n)
    {
        if (has(n))
            cut(n);
    }

    // A line longer than the engine keeps.
    void cut(int n)
    {
        if ((int)raw(n).size() > (int)RECORD_LINE_MAX && cutReported_.insert(n).second)
            g_.warn(t_.name, n, "longer than " + std::to_string(RECORD_LINE_MAX) + " characters; the rest is cut off");
    }

    // Carriage returns (a file saved with CR-LF line ends) stay on the end of every text the
    // engine reads; reported once, at the first line that has one.
    void carriageReturns()
    {
        for (size_t i = 0; i < t_.lines.size(); i++)
            if (t_.lines[i].find('\r') != std::string::npos) {
                g_.warn(t_.name, (int)i + 1, "carriage return at the end of the line: the file has CR-LF line ends, "
                                             "and every text keeps the \\r; save it with plain line feeds");
                return;
            }
    }

private:
    CheckedGame& g_;
    const RecordText& t_;
    const char* kind_;
    std::set<int> cutReported_;
};

// A role keyword or "Seamonster" that a trailing carriage return keeps from matching.
void keywordWithReturn(CheckedGame& g, const RecordText& t, int n, bool seaLine)
{
    if (n > (int)t.lines.size())
        return;
    std::string s = t.lines[n - 1];
    if (s.empty() || s.back() != '\r')
        return;
    s.pop_back();
    bool keyword = seaLine ? s == "Seamonster" : isRoleKeyword(s);
    if (keyword)
        g.error(t.name, n, "\"" + s + "\" ends in a carriage return, so the engine does not see \"" + s +
                               "\"; save the file with plain line feeds");
}

void checkActor(CheckedGame& g, const Actor* a, const RecordText& t)
{
    LineCheck c(g, t, "a character");
    c.needs(ACTOR_LINES);
    c.carriageReturns();
    bool role = isRoleKeyword(a->conversation[0]);
    bool isPlayer = a->conversation[0] == "Plyr";
    const long long far = (long long)(MAP_SIZE - 1) * TILE_SIZE;
    size_t before = g.result.diagnostics.size();
    c.ranged(1, "x", 0, far, Severity::Error, "the character stands off the map");
    c.ranged(2, "y", 0, far, Severity::Error, "the character stands off the map");
    long long hp = c.number(3, "health");
    if (c.has(3) && hp <= 0)
        g.report(t.name, 3, isPlayer ? Severity::Error : Severity::Warning,
                 "health " + std::to_string(hp) + ": the character starts with none");
    // A player who starts off the map or dead is why everything after it goes wrong.
    for (size_t k = before; isPlayer && k < g.result.diagnostics.size(); k++)
        if (g.result.diagnostics[k].severity == Severity::Error)
            g.result.diagnostics[k].rank = 0;
    long long hpMax = c.number(4, "most health");
    if (c.has(4) && hpMax < hp)
        g.warn(t.name, 4, "most health " + std::to_string(hpMax) + " is below the health it starts with");
    c.ranged(5, "mana", 0, INT_MAX, Severity::Warning);
    c.ranged(6, "most mana", 0, INT_MAX, Severity::Warning);
    c.unsignedField(7, "fights won", Severity::Warning);
    c.unsignedField(8, "level", Severity::Warning);
    c.unsignedField(9, "strength", Severity::Error);
    c.unsignedField(10, "dexterity", Severity::Error);
    if (c.has(10) && a->stats.dexterity == 0)
        g.warn(t.name, 10, "dexterity 0: every blow aimed at this character lands");
    c.unsignedField(11, "intelligence", Severity::Error);
    c.ranged(12, "flag", 0, FLAG_COUNT - 1, role || isSeaMonster(a) ? Severity::Warning : Severity::Error,
             "story flags are 0.." + std::to_string(FLAG_COUNT - 1));
    c.yesNo(13, "hostile");
    c.text(14);
    c.text(15);
    c.text(16);
    keywordWithReturn(g, t, 14, false);
    keywordWithReturn(g, t, 15, true);
    if (c.has(16) && a->myName.empty())
        g.warn(t.name, 16, "the character has no name");
    c.yesNo(17, "wanders");
    c.ranged(18, "sprite set", 0, g.assets.spriteSets - 1, Severity::Error,
             "no such set among the pictures; the character is not drawn");
    c.ranged(19, "facing", FACE_UP, FACE_LEFT, Severity::Error, "0 up, 1 right, 2 down, 3 left");
    c.unsignedField(20, "money", Severity::Warning);
}

void checkItem(CheckedGame& g, const Item* it, const RecordText& t)
{
    LineCheck c(g, t, it->type == ITEM_RANGED ? "a ranged weapon" : "an item");
    c.needs(it->type == ITEM_RANGED ? RANGED_ITEM_LINES : ITEM_LINES, RANGED_ITEM_LINES);
    c.carriageReturns();
    long long type = c.ranged(1, "type", ITEM_PLAIN, ITEM_KEY_SHOP_GOODS, Severity::Error, "item types are 0..12");
    if (c.has(1) && type == ITEM_USED_UP)
        g.warn(t.name, 1, "type 5 is a used-up item: it is nowhere from the start");
    long long effect = c.number(2, "effect");
    bool weapon = isWeapon(it);
    if (c.has(2) && effect <= 0 && (weapon || it->type == ITEM_HEALING || it->type == ITEM_MANA))
        g.warn(t.name, 2, "effect " + std::to_string(effect) + (weapon ? ": the weapon does no harm" : ": the potion does nothing"));
    c.ranged(3, "price", 0, INT_MAX, Severity::Warning);
    long long owner = c.number(4, "owner");
    if (c.has(4)) {
        if (owner < 0)
            g.warn(t.name, 4, "owner " + std::to_string(owner) + " reads as " + std::to_string(it->owner));
        if (it->owner == OWNER_QUEST)
            g.warn(t.name, 4, "owner 6: the item is handed in already, and is nowhere");
        else if (it->owner != OWNER_MAP && it->owner != OWNER_PLAYER && it->owner != OWNER_SHOP)
            g.warn(t.name, 4, "owner " + std::to_string(it->owner) +
                                  " holds the item nowhere: 0 on the map, 1 carried, 2 in the shops");
        bool keyGoods = it->type == ITEM_ROOM_KEY || it->type == ITEM_KEY_SHOP_GOODS;
        if (keyGoods && it->owner != OWNER_SHOP)
            g.warn(t.name, 4, "room keys and key-shop goods are meant for the key shops' stock (owner 2)");
    }
    const long long far = (long long)(MAP_SIZE - 1) * TILE_SIZE;
    if (it->owner == OWNER_MAP) {
        c.ranged(5, "x", 0, far, Severity::Error, "the item lies off the map");
        c.ranged(6, "y", 0, far, Severity::Error, "the item lies off the map");
    } else {
        c.number(5, "x");
        c.number(6, "y");
    }
    c.yesNo(7, "worn");
    if (c.has(7) && it->bIsEquipped)
        g.warn(t.name, 7, "the item is worn from the start");
    c.text(8);
    c.text(9);
    c.text(10);
    if (c.has(8) && it->itemName.empty())
        g.warn(t.name, 8, "the item has no name");
    long long icon = c.number(11, "picture");
    if (c.has(11) && (icon < 0 || it->icon >= (unsigned)g.assets.itemPictures))
        g.error(t.name, 11, "picture " + std::to_string(it->icon) + " does not exist: item pictures are 0.." +
                                std::to_string(g.assets.itemPictures - 1));
    if (it->type == ITEM_RANGED && c.has(12)) {
        long long range = c.number(12, "range");
        if (range <= 0)
            g.error(t.name, 12, "range " + std::to_string(range) + ": the shot reaches nobody");
    }
}

// `names`: every item's short name, empty for used-up ones; `hintsLeft`: how many more quests
// may be given a "did you mean" (each costs a look at every name).
void checkQuest(CheckedGame& g, const Quest* q, const RecordText& t, const std::vector<std::string>& names,
                int& hintsLeft)
{
    LineCheck c(g, t, "a quest");
    c.needs(QUEST_LINES);
    c.carriageReturns();
    c.text(1);
    c.text(2);
    if (c.has(1) && q->description.empty())
        g.warn(t.name, 1, "the quest has no description: the quest giver says nothing");
    c.ranged(3, "reward", 0, INT_MAX, Severity::Warning);
    c.yesNo(4, "done");
    if (c.has(4) && q->bIsCompleted)
        g.warn(t.name, 4, "the quest is done from the start: it is never offered");
    c.ranged(5, "flag", 0, FLAG_COUNT - 1, Severity::Error, "story flags are 0.." + std::to_string(FLAG_COUNT - 1));
    if (c.has(2)) {
        bool found = false;
        for (size_t k : g.itemsNamed(q->itemTarget))
            found = found || g.items[k]->type != ITEM_USED_UP;
        std::string meant = found || hintsLeft-- <= 0 ? "" : nearestName(q->itemTarget, names);
        size_t which = std::find(names.begin(), names.end(), meant) - names.begin();
        if (!found)
            g.error(t.name, 2, "no item has the short name " + quoted(q->itemTarget) +
                                   ": the quest giver gives the quest up" +
                                   (meant.empty() ? "" : "; did you mean " + quoted(meant) + " (" +
                                                             g.itemText[which].name + " line 10)?"));
    }
}

void checkVars(CheckedGame& g, const RecordText& t)
{
    LineCheck c(g, t, "vars.sav");
    c.needs(VARS_LINES);
    c.carriageReturns();
    c.text(1);
    if (g.vars.gameName.empty())
        g.warn(t.name, 1, "the game has no name for the main menu");
    c.number(2, "menu screen");
    c.number(3, "frames");
    long long drunk = c.number(4, "drunkenness");
    if (c.has(4) && drunk >= 3)
        g.warn(t.name, 4, "the player starts too drunk to be understood (3 or more)");
    c.yesNo(5, "floater worn");
    for (int f = 0; f < FLAG_COUNT; f++) {
        c.yesNo(6 + f, "flag");
        if (c.has(6 + f) && g.vars.flags[f])
            g.warn(t.name, 6 + f, "story flag " + std::to_string(f) + " is up from the start");
    }
    c.text(VARS_LINES);
    std::string own = folderNameOf(g.dir);
    if (g.vars.dir != own && g.vars.dir != g.dir)
        g.warn(t.name, c.has(VARS_LINES) ? VARS_LINES : 0,
               "the ending slides are taken from the folder " + quoted(g.vars.dir) + ", not from this folder (" +
                   quoted(own) + ")");
}

// Numbered files a series never reaches: the engine stops at the first number missing. One
// error, at the lowest of them.
void reportGap(CheckedGame& g, const char* folder, int count)
{
    std::string where = g.dir + "/" + folder;
    DIR* d = opendir(where.c_str());
    if (!d)
        return;
    int first = -1, others = 0;
    while (struct dirent* e = readdir(d)) {
        long n = 0;
        if (!isRecordFileName(e->d_name, false, &n) || n <= count || n > 999999999)
            continue;
        if (first >= 0)
            others++;
        if (first < 0 || n < first)
            first = (int)n;
    }
    closedir(d);
    if (first < 0)
        return;
    g.error(std::string(folder) + "/" + recordFileName(first), 0,
            "never read" + (others > 0 ? ", nor the " + std::to_string(others) + " numbered after it" : std::string()) +
                ": " + folder + "/" + std::to_string(count) + ".def is missing, and the engine stops reading the series there");
}

// Reads one numbered series with the engine's record reader, keeping each file's lines.
template <class Record>
void readSeries(CheckedGame& g, const char* folder, const char* what, std::vector<Record*>& into,
                std::vector<RecordText>& texts)
{
    for (int i = 0;; i++) {
        std::string name = std::string(folder) + "/" + recordFileName(i);
        RecordText t;
        bool refused = false;
        if (!readRecordText(g.dir, name, t, refused)) {
            if (refused)
                g.error(name, 0, "cannot be read (not a plain file, unreadable or too large); the engine takes it as "
                                 "missing");
            if (i == 0)
                g.cause(name, 0, std::string("missing: the engine will not load a game without ") + what + " 0");
            else
                reportGap(g, folder, i);
            return;
        }
        Record* r = new Record();
        int got;
        {
            QuietOutput quiet;
            got = r->serializeFrom((g.dir + "/" + name).c_str(), g.dir.c_str());
        }
        if (got != 0) {
            delete r;
            return;
        }
        into.push_back(r);
        texts.push_back(t);
    }
}

} // namespace

bool readAndCheckRecords(CheckedGame& g)
{
    const char* parts[] = {"vars.sav", "npcdef", "idef", "qdef", "map.dat"};
    bool any = false;
    for (const char* p : parts)
        any = any || exists(g.dir + "/" + p);
    if (!any) {
        g.result.bUnreadable = true;
        g.result.unreadableWhy = "no game here (no vars.sav, npcdef, idef, qdef or map.dat)";
        return false;
    }

    if (exists(g.dir + "/.commit"))
        g.warn(".commit", 0, "a save into this folder was cut off after its commit; the game finishes it when it "
                             "next loads the folder, so these files are not yet the ones it will play");

    RecordText varsText;
    bool refused = false;
    // As a new game object starts before vars.sav is read.
    g.vars.gameName = "Brassfinch Cloudbarrow University";
    g.vars.dir = "data";
    if (readRecordText(g.dir, "vars.sav", varsText, refused)) {
        QuietOutput quiet;
        g.bVarsRead = g.vars.serializeFrom((g.dir + "/vars.sav").c_str(), g.dir.c_str()) == 0;
    }
    if (!g.bVarsRead)
        g.cause("vars.sav", 0, refused ? "cannot be read (not a plain file, unreadable or too large): the engine "
                                         "will not load the game"
                                       : "missing: the engine will not load the game without it");

    readSeries(g, CHARACTER_FOLDER, "character file", g.actors, g.actorText);
    readSeries(g, ITEM_FOLDER, "item file", g.items, g.itemText);
    readSeries(g, QUEST_FOLDER, "quest file", g.quests, g.questText);

    if (g.bVarsRead)
        checkVars(g, varsText);
    size_t playerAt = 0;
    for (size_t i = 0; i < g.actors.size(); i++) {
        checkActor(g, g.actors[i], g.actorText[i]);
        if (g.actors[i]->conversation[0] != "Plyr")
            continue;
        if (!g.player) {
            g.player = g.actors[i];
            playerAt = i;
        } else {
            g.warn(g.actorText[i].name, 14, "a second \"Plyr\": talking to it hands the player over to this body; " +
                                                g.actorText[playerAt].name + " is the player");
        }
    }
    if (!g.player && !g.actors.empty())
        g.cause("npcdef", 0, "no character is the player: none has \"Plyr\" on line 14");
    for (size_t i = 0; i < g.items.size(); i++)
        checkItem(g, g.items[i], g.itemText[i]);
    std::vector<std::string> names;
    for (const Item* it : g.items)
        names.push_back(it->type != ITEM_USED_UP ? it->shortName : std::string());
    int hintsLeft = 20;
    for (size_t i = 0; i < g.quests.size(); i++)
        checkQuest(g, g.quests[i], g.questText[i], names, hintsLeft);
    return true;
}
