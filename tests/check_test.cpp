// check_test.cpp -- quorvane-check: the shipped games pass clean, one fault per small folder is found at its file and line,
// the command's exit codes, and hostile folders never crash it.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <vector>
#include <sys/stat.h>
#include <sys/wait.h>
#include <gtest/gtest.h>
#include "check.h"
#include "checkassets.h"
#include "fakeassets.h"
#include "harness.h"
#include "hostile.h"
#include "records.h"

namespace {

const int N = MAP_SIZE;
const char DIR_NAME[] = "game";


std::vector<std::string> linesOf(const std::string& dir, const CheckResult& r)
{
    std::vector<std::string> v;
    for (const Diagnostic& d : r.diagnostics)
        v.push_back(formatDiagnostic(dir, d));
    return v;
}

std::string joined(const std::vector<std::string>& v)
{
    std::string s;
    for (const std::string& l : v)
        s += l + "\n";
    return s;
}

char tileChar(int t) { return (char)('A' + t); }

// A small game that passes clean: the player on tile (10, 10) of a walled meadow, a quest giver,
// a shop, the ending, a bed, the quest's ring on the grass, an intro and one slide.
struct Crafted
{
    qtest::GameFolder folder;
    std::vector<std::string> rows = std::vector<std::string>(N, std::string(N, tileChar(TILE_GRASS)));
    std::map<std::string, std::string> files;   // written over the folder's own, by name inside it
    std::vector<std::string> removed;
    std::string dirName = DIR_NAME;

    Crafted()
    {
        folder.vars = qtest::gameVars("Crafted", DIR_NAME);
        folder.actors.push_back(qtest::character(10 * 48, 10 * 48, 50, "Plyr", "", "Hero"));
        folder.actors.push_back(qtest::character(20 * 48, 10 * 48, 50, "Questy", "", "Mara"));
        folder.actors.push_back(qtest::character(20 * 48, 20 * 48, 50, "Shoppy", "", "Tam"));
        folder.actors.push_back(qtest::character(30 * 48, 10 * 48, 50, "Ending", "", "Gate"));
        Item ring = qtest::item(ITEM_PLAIN, 0, 5, OWNER_MAP, "Silver ring", "Small and bright.", "ring");
        ring.x = ring.y = 15 * 48;
        folder.items.push_back(ring);
        folder.items.push_back(qtest::item(ITEM_HEALING, 20, 10, OWNER_SHOP, "Healing potion", "Red.", "potion"));
        folder.quests.push_back(qtest::quest("Find my ring.", "ring", 10, 1));
        folder.intro = "Welcome to the meadow.\n";
        for (int i = 0; i < N; i++)
            rows[0][i] = rows[N - 1][i] = rows[i][0] = rows[i][N - 1] = tileChar(TILE_STONE_WALL);
        rows[10][40] = tileChar(TILE_BED_HEAD);
        rows[11][40] = tileChar(TILE_BED_FOOT);
        files["ending/0.png"] = qtest::readFile(qtest::sourceDir() + "/data/ending/0.png");
    }

    Actor& actor(int i) { return folder.actors[(size_t)i]; }
    // A wall of `tile` around the tiles x0..x1, y0..y1.
    void box(int x0, int y0, int x1, int y1, int tile = TILE_STONE_WALL)
    {
        for (int x = x0 - 1; x <= x1 + 1; x++)
            rows[y0 - 1][x] = rows[y1 + 1][x] = tileChar(tile);
        for (int y = y0 - 1; y <= y1 + 1; y++)
            rows[y][x0 - 1] = rows[y][x1 + 1] = tileChar(tile);
    }
    void fillColumns(int x0, int x1, int tile)
    {
        for (int y = 1; y < N - 1; y++)
            for (int x = x0; x <= x1; x++)
                rows[y][x] = tileChar(tile);
    }

    void write(const qtest::WorkDir& wd) const
    {
        folder.write(wd, dirName);
        std::string map;
        for (const std::string& r : rows)
            map += r + "\n";
        wd.write(dirName + "/map.dat", map);
        for (const auto& f : files)
            wd.write(dirName + "/" + f.first, f.second);
        for (const std::string& name : removed)
            std::remove((wd.path() + "/" + dirName + "/" + name).c_str());
    }
};

// Writes the game into a fresh working folder and checks it in-process.
struct Checked
{
    explicit Checked(const Crafted& c)
    {
        c.write(wd);
        result = checkGameFolder(c.dirName, qtest::repositoryAssets());
        lines = linesOf(c.dirName, result);
    }
    bool has(const std::string& prefix, const std::string& words) const
    {
        for (const std::string& l : lines)
            if (l.compare(0, prefix.size(), prefix) == 0 && l.find(words) != std::string::npos)
                return true;
        return false;
    }
    qtest::WorkDir wd;
    CheckResult result;
    std::vector<std::string> lines;
};

std::string withCrLf(const std::string& s)
{
    std::string out;
    for (char c : s)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::string firstLines(const std::string& s, int n)
{
    size_t at = 0;
    for (int i = 0; i < n && at != std::string::npos; i++)
        at = s.find('\n', at) + 1;
    return s.substr(0, at);
}

// The command's exit code, with its output in `out`; -1 when it did not exit by itself.
int runCommand(const std::string& args, std::string* out = nullptr)
{
    std::string cmd = std::string("'") + QUORVANE_CHECK_PATH + "' " + args + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return -1;
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        text.append(buf, n);
    int status = pclose(p);
    if (out)
        *out = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CheckShipped, TheGameAndTheTutorialGiveNoDiagnosticsAtAll)
{
    for (const char* dir : {"data", "tutorial"}) {
        std::string path = qtest::sourceDir() + "/" + dir;
        CheckResult r = checkGameFolder(path, qtest::repositoryAssets());
        EXPECT_TRUE(r.diagnostics.empty()) << joined(linesOf(dir, r));
        EXPECT_FALSE(r.bUnreadable);
        EXPECT_GT(r.reach.tilesReached, 1000) << dir;
    }
}

TEST(CheckCrafted, TheSmallGameIsClean)
{
    Checked c{Crafted()};
    EXPECT_TRUE(c.lines.empty()) << joined(c.lines);
}

struct Fault
{
    const char* name;
    std::function<void(Crafted&)> make;
    const char* where;   // the start of the line, after the folder: "/npcdef/0.def:14: error:"
    const char* words;
};

// Checks a crafted folder per fault: its line is reported, and errors are (or are not) counted.
enum class Errors { Some, Any, None };
static void expectReported(const std::vector<Fault>& faults, Errors errors)
{
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.name);
        Crafted crafted;
        f.make(crafted);
        Checked c(crafted);
        EXPECT_TRUE(c.has(crafted.dirName + f.where, f.words)) << joined(c.lines);
        if (errors == Errors::Some) {
            EXPECT_GT(c.result.errors(), 0);
        }
        if (errors == Errors::None) {
            EXPECT_EQ(0, c.result.errors()) << joined(c.lines);
        }
    }
}

TEST(CheckCrafted, EachFaultIsReportedAtItsFileAndLine)
{
    const std::vector<Fault> faults = {
        {"a player's file with CR-LF line ends",
         [](Crafted& c) { c.files["npcdef/0.def"] = withCrLf(qtest::fileOf(c.actor(0))); },
         "/npcdef/0.def:14: error:", "carriage return"},
        {"a quest giver's keyword with a carriage return",
         [](Crafted& c) { c.actor(1).conversation[0] = "Questy\r"; }, "/npcdef/1.def:14: error:", "\"Questy\""},
        {"no player at all", [](Crafted& c) { c.actor(0).conversation[0] = "Hero"; }, "/npcdef: error:",
         "no character is the player"},
        {"a gap in the characters' numbering",
         [](Crafted& c) { c.files["npcdef/6.def"] = qtest::fileOf(c.actor(1)); }, "/npcdef/6.def: error:",
         "never read"},
        {"a character file cut short",
         [](Crafted& c) { c.files["npcdef/1.def"] = firstLines(qtest::fileOf(c.actor(1)), 10); },
         "/npcdef/1.def:10: error:", "ends after 10 of the 20"},
        {"a sprite set past the ones the pictures hold",
         [](Crafted& c) { c.actor(1).sprite = 99; }, "/npcdef/1.def:18: error:", "sprite set 99"},
        {"a facing that does not exist", [](Crafted& c) { c.actor(2).direction = 7; }, "/npcdef/2.def:19: error:",
         "facing 7"},
        {"an ordinary character's flag beyond the 40",
         [](Crafted& c) { c.folder.actors.push_back(qtest::character(12 * 48, 30 * 48, 9, "Hi.", "Bye.", "Pip")); c.folder.actors.back().flagId = 40; },
         "/npcdef/4.def:12: error:", "flag 40"},
        {"a strength that wraps around",
         [](Crafted& c) {
             std::string f = qtest::fileOf(c.actor(2));
             size_t at = 0;
             for (int i = 0; i < 8; i++)
                 at = f.find('\n', at) + 1;
             c.files["npcdef/2.def"] = f.substr(0, at) + "-3" + f.substr(f.find('\n', at));
         },
         "/npcdef/2.def:9: error:", "strength -3 is negative"},
        {"an item type that does not exist", [](Crafted& c) { c.folder.items[1].type = 13; }, "/idef/1.def:1: error:",
         "type 13"},
        {"an item picture that does not exist", [](Crafted& c) { c.folder.items[1].icon = 9999; },
         "/idef/1.def:11: error:", "picture 9999"},
        {"a ranged weapon that reaches nobody",
         [](Crafted& c) { c.folder.items.push_back(qtest::item(ITEM_RANGED, 5, 10, OWNER_SHOP, "Bow", "Yew.", "bow")); },
         "/idef/2.def:12: error:", "range 0"},
        {"a quest for an item nobody has", [](Crafted& c) { c.folder.quests[0].itemTarget = "rnig"; },
         "/qdef/0.def:2: error:", "no item has the short name \"rnig\""},
        {"a quest flag beyond the 40", [](Crafted& c) { c.folder.quests[0].flagId = FLAG_COUNT; },
         "/qdef/0.def:5: error:", "flag 40"},
        {"no vars.sav", [](Crafted& c) { c.removed.push_back("vars.sav"); }, "/vars.sav: error:", "missing"},
        {"a short map row", [](Crafted& c) { c.rows[5].resize(100); }, "/map.dat:6: error:", "holds 100 of 350"},
        {"a character that is no tile", [](Crafted& c) { c.rows[7][3] = ' '; }, "/map.dat:8: error:",
         "no tile, the first 0x20 in column 3"},
        {"a map cut short", [](Crafted& c) { c.rows.resize(200); }, "/map.dat:200: error:", "ends after 200 of 350"},
        {"the player's start in a wall", [](Crafted& c) { c.rows[10][10] = tileChar(TILE_OAK); },
         "/npcdef/0.def:1: error:", "does not let it stand"},
        {"a walled-off quest giver", [](Crafted& c) { c.box(18, 8, 22, 12); }, "/npcdef/1.def:14: error:",
         "quest giver at tile 20,10 cannot be reached"},
        {"a walled-off shop", [](Crafted& c) { c.box(18, 18, 22, 22); }, "/npcdef/2.def:14: error:", "shopkeeper"},
        {"a walled-off ending", [](Crafted& c) { c.box(28, 8, 32, 12); }, "/npcdef/3.def:14: error:",
         "shows the ending"},
        {"the quest's ring behind a locked door with no key",
         [](Crafted& c) {
             c.box(14, 14, 16, 16);
             c.rows[13][15] = tileChar(TILE_LOCKED_DOOR);
         },
         "/qdef/0.def:2: error:", "\"ring\" cannot be had: it lies out of reach on tile 15,15"},
        {"the quest's ring across the sea with no floater",
         [](Crafted& c) {
             c.fillColumns(100, 110, TILE_SEA);
             c.folder.items[0].x = 120 * 48;
         },
         "/qdef/0.def:2: error:", "cannot be had"},
        {"the quest's ring sold with no shop in reach",
         [](Crafted& c) {
             c.folder.items[0].owner = OWNER_SHOP;
             c.box(18, 18, 22, 22);
         },
         "/qdef/0.def:2: error:", "no shop can be reached"},
        {"a bed out of reach", [](Crafted& c) { c.box(39, 9, 41, 12); }, "/map.dat: error:", "no bed can be reached"},
        {"a sign with no signpost under it", [](Crafted& c) { c.files["signs.txt"] = "// a sign\n12 12 North.\n"; },
         "/signs.txt:2: error:", "no signpost stands on tile 12,12"},
        {"a sign without its row", [](Crafted& c) { c.files["signs.txt"] = "12 North.\n"; }, "/signs.txt:1: error:",
         "expected a row"},
        {"an intro line the scrolling screen cuts",
         [](Crafted& c) { c.folder.intro = "Hello.\n" + std::string(130, 'x') + "\nMore.\n"; }, "/intro.txt:2: error:",
         "longer than 124"},
        {"no ending slides", [](Crafted& c) { c.files.erase("ending/0.png"); }, "/ending/0.png: error:",
         "no ending slides"},
        {"a slide that is no picture", [](Crafted& c) { c.files["ending/1.png"] = "not a picture"; },
         "/ending/1.png: error:", "does not decode"},
    };
    expectReported(faults, Errors::Some);
}

// Games that load and play but can never be finished.
TEST(CheckCrafted, EachWayToAnUnfinishableGameIsAnError)
{
    const std::vector<Fault> faults = {
        {"a keyword in lower case", [](Crafted& c) { c.actor(1).conversation[0] = "questy"; },
         "/npcdef/1.def:14: error:", "did you mean \"Questy\"?"},
        {"a keyword misspelt", [](Crafted& c) { c.actor(2).conversation[0] = "Shopy"; }, "/npcdef/2.def:14: error:",
         "did you mean \"Shoppy\"?"},
        {"a keyword with a blank after it", [](Crafted& c) { c.actor(3).conversation[0] = "Ending "; },
         "/npcdef/3.def:14: error:", "did you mean \"Ending\"?"},
        {"a keyword on the second line",
         [](Crafted& c) {
             c.actor(1).conversation[0] = "Welcome, traveller.";
             c.actor(1).conversation[1] = "Questy";
         },
         "/npcdef/1.def:15: error:", "lines 14 and 15 swapped"},
        {"quests and nobody to give them", [](Crafted& c) { c.actor(1).conversation[0] = "Lovely day."; },
         "/qdef/0.def: error:", "no quest giver"},
        {"a quest giver behind walls", [](Crafted& c) { c.box(18, 8, 22, 12); }, "/qdef/0.def: error:",
         "no quest giver can be reached"},
        {"a hostile quest giver", [](Crafted& c) { c.actor(1).bIsHostile = true; }, "/npcdef/1.def:13: error:",
         "the quest giver is hostile"},
        {"only hostile quest givers", [](Crafted& c) { c.actor(1).bIsHostile = true; }, "/qdef/0.def: error:",
         "every quest giver is hostile"},
        {"a hostile ending", [](Crafted& c) { c.actor(3).bIsHostile = true; }, "/npcdef/3.def:13: error:", "is hostile"},
        {"no ending at all", [](Crafted& c) { c.actor(3).conversation[0] = "Farewell."; }, "/npcdef: error:",
         "can never end"},
        {"a quest's short name mistyped", [](Crafted& c) { c.folder.quests[0].itemTarget = "Ring"; },
         "/qdef/0.def:2: error:", "did you mean \"ring\" (idef/0.def line 10)?"},
        {"a quest item no purse can pay for",
         [](Crafted& c) {
             c.folder.items[0].owner = OWNER_SHOP;
             c.folder.items[0].price = 100000;
         },
         "/qdef/0.def:2: error:", "costs 100000 gold in the shop"},
        {"the player's start given as a tile, not in pixels",
         [](Crafted& c) { c.actor(0).x = c.actor(0).y = 10; }, "/npcdef/0.def:1: error:",
         "map pixels, 48 to a tile: tile 10,10 is 480,480"},
        {"two quests for the one ring",
         [](Crafted& c) { c.folder.quests.push_back(qtest::quest("Find it again.", "ring", 5, 2)); },
         "/qdef/1.def:2: error:", "this quest can never be done"},
        {"a folder name the prompt cannot type", [](Crafted& c) { c.dirName = "MyQuest2"; }, ": error:",
         "cannot be typed at the custom-game prompt"},
    };
    expectReported(faults, Errors::Any);
}

// Games that can be finished, with something likely wrong.
TEST(CheckCrafted, EachLikelyMistakeIsAWarning)
{
    auto sea = [](Crafted& c) { c.fillColumns(100, 110, TILE_SEA); };
    const std::vector<Fault> faults = {
        {"a shop with nothing to sell", [](Crafted& c) { c.folder.items.erase(c.folder.items.begin() + 1); },
         "/npcdef/2.def:14: warning:", "nothing to sell"},
        {"two quests on one flag",
         [](Crafted& c) {
             c.folder.items[1].shortName = "potion";
             c.folder.quests.push_back(qtest::quest("Buy me a potion.", "potion", 5, 1));
         },
         "/qdef/1.def:5: warning:", "story flag 1 is raised by qdef/0.def too"},
        {"a quest for the player's only weapon",
         [](Crafted& c) {
             c.folder.items.push_back(qtest::item(ITEM_MELEE, 5, 10, OWNER_PLAYER, "Sword", "Sharp.", "sword"));
             c.folder.quests[0].itemTarget = "sword";
         },
         "/qdef/0.def:2: warning:", "the player's only weapon"},
        {"a quest for a worn item",
         [](Crafted& c) {
             c.folder.items[0].owner = OWNER_PLAYER;
             c.folder.items[0].bIsEquipped = true;
         },
         "/qdef/0.def:2: warning:", "wears from the start"},
        {"a quest item's short name shared",
         [](Crafted& c) { c.folder.items[1].shortName = "ring"; }, "/qdef/0.def:2: warning:",
         "belongs to 2 items (idef/0.def, idef/1.def)"},
        {"a character in the sea",
         [&](Crafted& c) {
             sea(c);
             c.folder.actors.push_back(qtest::character(105 * 48, 50 * 48, 9, "Blub.", "", "Diver"));
         },
         "/npcdef/4.def:1: warning:", "stands in the sea at tile 105,50"},
        {"a sea creature's keyword misspelt",
         [](Crafted& c) { c.folder.actors.push_back(qtest::character(40 * 48, 40 * 48, 9, "Blub.", "SeaMonster", "Eel")); },
         "/npcdef/4.def:15: warning:", "did you mean \"Seamonster\"?"},
        {"an item in the sea",
         [&](Crafted& c) {
             sea(c);
             c.folder.items[1].owner = OWNER_MAP;
             c.folder.items[1].x = c.folder.items[1].y = 105 * 48;
         },
         "/idef/1.def:5: warning:", "lies in the sea"},
        {"an unbeatable creature in the only way to the quest's ring",
         [](Crafted& c) {
             c.box(14, 14, 16, 16);
             c.rows[13][15] = tileChar(TILE_GRASS);
             c.folder.actors.push_back(qtest::character(15 * 48, 13 * 48, 1000000, "Grr.", "", "Wyrm"));
             c.folder.actors.back().bIsHostile = true;
             c.folder.actors.back().stats.strength = 100000;
         },
         "/npcdef/4.def:13: warning:", "unbeatable creature (health 1000000, strength 100000) guards the only way to "
                                       "the quest item \"ring\""},
    };
    expectReported(faults, Errors::None);
}

TEST(CheckReport, ABrokenStartIsReportedBeforeWhatFollowsFromIt)
{
    Crafted c;
    c.rows[10][10] = tileChar(TILE_OAK);
    c.box(39, 9, 41, 12);   // the bed walled off too: an error of its own, reported after
    Checked checked(c);
    ASSERT_GE(checked.lines.size(), 2u) << joined(checked.lines);
    EXPECT_EQ(0u, checked.lines[0].find("game/npcdef/0.def:1: error: the player starts on")) << joined(checked.lines);

    Crafted shutIn;
    shutIn.box(9, 9, 11, 11);
    Checked walled(shutIn);
    EXPECT_EQ(0u, walled.lines[0].find("game/npcdef/0.def:1: error: the player is shut in on 9 tiles")) << joined(walled.lines);
    EXPECT_GT(walled.result.errors(), 3);
}

TEST(CheckCrafted, KeysFloatersAndShopsOpenTheWay)
{
    Crafted locked;
    locked.box(14, 14, 16, 16);
    locked.rows[13][15] = tileChar(TILE_LOCKED_DOOR);
    Item key = qtest::item(ITEM_DOOR_KEY, 0, 5, OWNER_MAP, "Brass key", "Opens a door.", "key");
    key.x = key.y = 30 * 48;
    locked.folder.items.push_back(key);
    Checked withKey(locked);
    EXPECT_TRUE(withKey.lines.empty()) << joined(withKey.lines);
    EXPECT_EQ(1, withKey.result.reach.doorsOpened);

    Crafted sea;
    sea.fillColumns(100, 110, TILE_SEA);
    sea.folder.items[0].x = 120 * 48;
    sea.folder.items.push_back(qtest::item(ITEM_FLOATER, 0, 20, OWNER_SHOP, "Cork float", "Keeps you up.", "float"));
    Checked afloat(sea);
    EXPECT_TRUE(afloat.lines.empty()) << joined(afloat.lines);
    EXPECT_TRUE(afloat.result.reach.bFloater);

    // The room key comes from a key shop, and opens only a room door.
    Crafted room;
    room.box(14, 14, 16, 16);
    room.rows[13][15] = tileChar(TILE_ROOM_DOOR);
    room.folder.actors.push_back(qtest::character(40 * 48, 30 * 48, 50, "Keyshop", "", "Orrin"));
    room.folder.items.push_back(qtest::item(ITEM_ROOM_KEY, 0, 5, OWNER_SHOP, "Room key", "Room 1.", "roomkey"));
    Checked roomKey(room);
    EXPECT_TRUE(roomKey.lines.empty()) << joined(roomKey.lines);
    EXPECT_EQ(1, roomKey.result.reach.roomDoorsOpened);
}

TEST(CheckCrafted, WarningsAloneLeaveTheGameClean)
{
    Crafted c;
    c.folder.intro.clear();
    c.folder.vars.flags[3] = true;
    // A townsman who stands still in the only way into the quest giver's yard.
    c.box(18, 8, 22, 12);
    c.rows[13][20] = tileChar(TILE_GRASS);
    for (int y = 13; y <= 16; y++)
        c.rows[y][19] = c.rows[y][21] = tileChar(TILE_STONE_WALL);
    c.folder.actors.push_back(qtest::character(20 * 48, 15 * 48, 9, "Hi.", "Bye.", "Bart"));
    Checked checked(c);
    EXPECT_TRUE(checked.has("game/intro.txt: warning:", "missing")) << joined(checked.lines);
    EXPECT_TRUE(checked.has("game/vars.sav:9: warning:", "story flag 3 is up")) << joined(checked.lines);
    EXPECT_TRUE(checked.has("game/npcdef/4.def:17: warning:", "stands still in a passage")) << joined(checked.lines);
    EXPECT_TRUE(checked.has("game/npcdef/1.def:14: error:", "cannot be reached")) << joined(checked.lines);
}

TEST(CheckReport, DiagnosticsAreSortedAndSummedUp)
{
    Crafted c;
    c.folder.quests[0].flagId = -1;
    c.rows[20][5] = ' ';
    c.folder.intro.clear();
    Checked checked(c);
    ASSERT_EQ(3u, checked.lines.size()) << joined(checked.lines);
    EXPECT_EQ(0u, checked.lines[0].find("game/intro.txt: warning: missing"));
    EXPECT_EQ(0u, checked.lines[1].find("game/map.dat:21: error:"));
    EXPECT_EQ(0u, checked.lines[2].find("game/qdef/0.def:5: error: flag -1 is outside 0..39"));
    EXPECT_EQ("game: 2 errors, 1 warning", summaryLine("game", checked.result));
    EXPECT_EQ(1, exitCodeOf(checked.result));
}

TEST(CheckCommand, ExitCodesTellCleanFromErrorsFromNoFolder)
{
    std::string out;
    EXPECT_EQ(0, runCommand("--help", &out));
    EXPECT_NE(std::string::npos, out.find("usage: quorvane-check"));

    Crafted clean;
    clean.folder.intro.clear();   // a warning alone still exits 0
    qtest::WorkDir wd;
    clean.write(wd);
    EXPECT_EQ(0, runCommand(DIR_NAME, &out)) << out;
    EXPECT_NE(std::string::npos, out.find("game/intro.txt: warning: missing")) << out;
    EXPECT_NE(std::string::npos, out.find("game: 0 errors, 1 warning")) << out;

    wd.write("broken/vars.sav", qtest::fileOf(qtest::gameVars("Broken", "broken")));
    EXPECT_EQ(1, runCommand("broken", &out)) << out;
    EXPECT_NE(std::string::npos, out.find("broken/npcdef/0.def: error: missing")) << out;

    EXPECT_EQ(2, runCommand("nowhere", &out)) << out;
    EXPECT_NE(std::string::npos, out.find("nowhere: cannot be read: no such folder")) << out;
    wd.write("empty/readme.txt", "nothing here\n");
    EXPECT_EQ(2, runCommand("empty", &out)) << out;
    EXPECT_EQ(2, runCommand("game/map.dat", &out)) << out;
    EXPECT_EQ(2, runCommand("", &out)) << out;
    EXPECT_EQ(2, runCommand("--assets /nowhere game", &out)) << out;
    EXPECT_EQ(0, runCommand("'" + qtest::sourceDir() + "/tutorial'", &out)) << out;
    EXPECT_NE(std::string::npos, out.find("tutorial: clean")) << out;
}

// The generated folders of the reliability tests, checked in-process and by the command, on the
// small stand-in assets (whose 47 tiles and 3 item pictures the data may overstep).
TEST(CheckHostile, EveryGeneratedFolderIsCheckedWithoutACrash)
{
    const char* env = getenv("QUORVANE_HOSTILE_DIRS");
    int count = env && atoi(env) > 0 ? atoi(env) * 4 : 24;
    qtest::WorkDir wd("", false);
    qtest::writeFakeAssets(wd.path(), qtest::FakeAssets());
    CheckAssets fake;
    std::string why;
    ASSERT_TRUE(fake.load("data/assets", why)) << why;
    int withErrors = 0;
    for (int i = 0; i < count; i++) {
        unsigned seed = 1000 + (unsigned)(i % 4) * 1000 + (unsigned)(i / 4);
        std::string dir = "hostile" + std::to_string(seed);
        qtest::writeHostileFolder(wd, dir, seed);
        CheckResult r = checkGameFolder(dir, fake);
        EXPECT_FALSE(r.bUnreadable) << dir;
        withErrors += r.errors() > 0;
        std::string out;
        int code = runCommand(dir, &out);
        EXPECT_TRUE(code == 0 || code == 1) << dir << " exit " << code << "\n" << out;
        EXPECT_EQ(exitCodeOf(r), code) << dir;
        EXPECT_NE(std::string::npos, out.find(summaryLine(dir, r))) << dir;
    }
    EXPECT_GT(withErrors, count / 2) << "hostile folders are full of faults";
}

// Pipes and folders where files should be: read as the engine reads them (as missing), never waited on.
TEST(CheckHostile, PipesAndFoldersInPlaceOfFilesAreReportedNotWaitedOn)
{
    Crafted crafted;
    qtest::WorkDir wd;
    crafted.write(wd);
    std::string game = wd.path() + "/" + DIR_NAME;
    for (const char* f : {"/npcdef/2.def", "/intro.txt", "/map.dat"})
        std::remove((game + f).c_str());
    ASSERT_EQ(0, mkfifo((game + "/npcdef/2.def").c_str(), 0644));
    ASSERT_EQ(0, mkfifo((game + "/intro.txt").c_str(), 0644));
    ASSERT_EQ(0, mkfifo((game + "/ending/1.png").c_str(), 0644));
    qtest::mkdirs(game + "/map.dat");
    CheckResult r = checkGameFolder(DIR_NAME, qtest::repositoryAssets());
    std::vector<std::string> lines = linesOf(DIR_NAME, r);
    std::string all = joined(lines);
    EXPECT_NE(std::string::npos, all.find("game/npcdef/2.def: error: cannot be read")) << all;
    EXPECT_NE(std::string::npos, all.find("game/npcdef/3.def: error: never read")) << all;
    EXPECT_NE(std::string::npos, all.find("game/map.dat: error: cannot be read")) << all;
    EXPECT_NE(std::string::npos, all.find("game/intro.txt: warning: cannot be read")) << all;
    EXPECT_NE(std::string::npos, all.find("game/ending/1.png: error: does not decode")) << all;
}

// A crowd: thousands of characters and items on a map of rooms and doors, which the walk from
// the start must get through in about one pass over the map.
TEST(CheckHostile, ACrowdedFolderIsCheckedToTheEnd)
{
    Crafted c;
    for (int i = 0; i < 3000; i++) {
        int x = 50 + (i % 60) * 4, y = 50 + (i / 60) * 4;
        c.folder.actors.push_back(qtest::character(x * 48, y * 48, 9, "Hello.", "Bye.", "Crowd"));
        Item it = qtest::item(ITEM_DOOR_KEY, 0, 1, OWNER_MAP, "Key", "A key.", "key");
        it.x = (float)((x + 2) * 48);
        it.y = (float)((y + 2) * 48);
        c.folder.items.push_back(it);
        c.rows[(size_t)y + 1][(size_t)x + 1] = tileChar(TILE_LOCKED_DOOR);
    }
    Checked checked(c);
    EXPECT_FALSE(checked.result.bUnreadable);
    EXPECT_GT(checked.result.reach.doorsOpened, 100);
}

} // namespace
