// gamedir_test.cpp -- loading a whole game folder, the fatal exits, and saving one back: what a save keeps and leaves alone.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <gtest/gtest.h>
#include "fakeassets.h"
#include "game.h"
#include "gamefixture.h"
#include "seam.h"

using gamefix::literal;
using qtest::WorkDir;

using qtest::refuseExchange;

namespace {

class GameDir : public testing::Test
{
protected:
    GameDir() : wd("", false)
    {
        qtest::writeFakeAssets(wd.path(), qtest::FakeAssets());
        freshGame();
    }

    void freshGame()
    {
        game.reset();
        qtest::quietly([&] { game.reset(new CGame()); });
    }

    // Loads dir into a fresh game object, throwing away what it prints.
    std::unique_ptr<CGame> freshLoad(const std::string& dir, int* result = NULL)
    {
        game.reset();
        std::unique_ptr<CGame> g;
        int r = 0;
        qtest::quietly([&] {
            g.reset(new CGame());
            r = g->loadGame(dir.c_str());
        });
        if (result)
            *result = r;
        return g;
    }

    bool quietSave(CGame& g, const char* dir)
    {
        bool ok = false;
        qtest::quietly([&] { ok = g.saveGame(dir); });
        return ok;
    }

    int quietLoad(const char* dir)
    {
        int r = 0;
        qtest::quietly([&] { r = game->loadGame(dir); });
        return r;
    }

    WorkDir wd;
    std::unique_ptr<CGame> game;
};

Item* itemAt(CGame& g, size_t i) { return i < g.itemVec.size() ? g.itemVec[i] : NULL; }

} // namespace

TEST_F(GameDir, ASeriesEndsAtTheFirstMissingNumber)
{
    gamefix::writeGame(wd, "g", 2, 3, 1);
    wd.write("g/npcdef/3.def", gamefix::actorFile("Grr", "Never read"));
    std::string out;
    std::string err = qtest::quietly([&] { EXPECT_EQ(0, game->loadGame("g")); }, &out);
    ASSERT_EQ(2u, game->actorList.size());
    EXPECT_EQ("Rat 1", game->actorList.back()->myName);
    EXPECT_EQ(3u, game->itemVec.size());
    EXPECT_EQ(1u, game->questList.size());
    EXPECT_EQ(game->actorList.front(), game->player);
    EXPECT_EQ("***WARNING*** Input file g/npcdef/2.def missing on actor serialization load\n"
              "You can probably ignore this.\n"
              "***WARNING*** file g/idef/3.def not found. You can probably ignore this\n",
              err);
    EXPECT_NE(std::string::npos, out.find("Weapon is a long-range item, checking range\n"));
    EXPECT_NE(std::string::npos, out.find("map loaded...."));
    EXPECT_EQ(6, game->itemVec[2]->range);
    EXPECT_EQ("data", game->vars.dir);
    EXPECT_TRUE(game->vars.flags[3]);
}

TEST_F(GameDir, LoadingSaveBeforeAnySaveLoadsNothing)
{
    // As in a fresh clone: the folders exist, holding only their placeholders.
    for (const char* f : {"save/npcdef/.gitkeep", "save/idef/.gitkeep", "save/qdef/.gitkeep"})
        wd.write(f, "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(-1, game->loadGame("save"));
    EXPECT_EQ("*** ERROR *** File not found: save/vars.sav\nSave game nonexistant at save/vars.sav\n",
              testing::internal::GetCapturedStderr());
    EXPECT_TRUE(game->actorList.empty());
    EXPECT_TRUE(game->itemVec.empty());
    EXPECT_TRUE(game->questList.empty());
    EXPECT_EQ(NULL, game->player);
}

TEST_F(GameDir, ThePlayerIsTheFirstExactPlyrAndWithoutOneTheResultIsOne)
{
    gamefix::writeGame(wd, "none", 3, 1, 1);
    wd.write("none/npcdef/0.def", gamefix::actorFile("Plyr ", "Almost"));
    EXPECT_EQ(1, quietLoad("none"));
    EXPECT_EQ(NULL, game->player);
    EXPECT_EQ(3u, game->actorList.size());
    EXPECT_EQ(1u, game->itemVec.size());

    freshGame();
    gamefix::writeGame(wd, "two", 4, 1, 1);
    wd.write("two/npcdef/0.def", gamefix::actorFile("Plyr\r", "Carriage"));
    wd.write("two/npcdef/2.def", gamefix::actorFile("Plyr", "First"));
    wd.write("two/npcdef/3.def", gamefix::actorFile("Plyr", "Second"));
    EXPECT_EQ(0, quietLoad("two"));
    ASSERT_NE(nullptr, game->player);
    EXPECT_EQ("First", game->player->myName);
}

TEST_F(GameDir, MissingFirstFilesAndMapEndTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");   // the game object runs sound threads
    gamefix::writeGame(wd, "noactor", 0, 1, 1);
    gamefix::writeGame(wd, "noitem", 1, 0, 1);
    gamefix::writeGame(wd, "noquest", 1, 1, 0);
    gamefix::writeGame(wd, "nomap", 1, 1, 1);
    unlink("nomap/map.dat");
    EXPECT_EXIT(game->loadGame("noactor"), testing::ExitedWithCode(1),
                literal("*** ERROR *** DATA DIR noactor IS MISSING filename noactor/npcdef/0.def\n"));
    EXPECT_EXIT(game->loadGame("noitem"), testing::ExitedWithCode(1),
                literal("*** ERROR *** DATA DIR noitem IS MISSING\n"));
    EXPECT_EXIT(game->loadGame("noquest"), testing::ExitedWithCode(1),
                literal("*** ERROR *** DATA DIR noquest IS MISSING\n"));
    EXPECT_EXIT(game->loadGame("nomap"), testing::ExitedWithCode(1), literal("map file nomap/map.dat is missing\n"));
}

TEST_F(GameDir, ASavedGameLoadsBackAsTheSameGame)
{
    gamefix::writeGame(wd, "data", 4, 9, 3);
    ASSERT_EQ(0, quietLoad("data"));
    CGame& g = *game;
    g.player->x = 100.9f;
    g.player->stats.money = 777;
    g.vars.flags[17] = true;
    g.vars.drunkenness = 2.7f;
    g.vars.frames = 4242;
    g.vars.hasFloater = true;
    g.questList.back()->bIsCompleted = true;
    for (int t = 0; t < 63; t++)
        g.theMap->setTileAt(t, t % 350, t);
    g.theMap->setTileAt(349, 349, TILE_SEA);
    // The rat at the end of the list was killed in a fight.
    delete g.actorList.back();
    g.actorList.pop_back();
    // Item 7 was bought and drunk.
    g.itemVec[7]->owner = OWNER_PLAYER;
    g.itemVec[7]->type = ITEM_USED_UP;

    std::string out;
    qtest::quietly([&] { EXPECT_TRUE(g.saveGame("save")); }, &out);
    EXPECT_NE(std::string::npos, out.find("There are 9 items in the item vector\n"));
    EXPECT_NE(std::string::npos, out.find("Written. closing\n"));
    EXPECT_FALSE(wd.exists("save/npcdef/3.def"));
    EXPECT_TRUE(wd.exists("save/npcdef/2.def"));
    EXPECT_EQ("5\n4\n30\n1\n", wd.read("save/idef/7.def").substr(0, 9));
    EXPECT_EQ("100\n", wd.read("save/npcdef/0.def").substr(0, 4));

    // Keep copies of what was saved before the game object goes.
    std::vector<Actor> actors;
    for (Actor* a : g.actorList)
        actors.push_back(*a);
    std::vector<Item> items;
    for (Item* i : g.itemVec)
        items.push_back(*i);
    std::vector<Quest> quests;
    for (Quest* q : g.questList)
        quests.push_back(*q);
    MiscVars vars = g.vars;
    std::unique_ptr<Map> map(new Map(*g.theMap));

    int r = -2;
    std::unique_ptr<CGame> back = freshLoad("save", &r);
    EXPECT_EQ(0, r);
    ASSERT_EQ(actors.size(), back->actorList.size());
    size_t n = 0;
    for (Actor* a : back->actorList)
        gamefix::expectSameActor(actors[n++], *a);
    ASSERT_EQ(items.size(), back->itemVec.size());
    for (n = 0; n < items.size(); n++)
        gamefix::expectSameItem(items[n], *back->itemVec[n]);
    EXPECT_EQ(1u, itemAt(*back, 7)->owner);
    EXPECT_EQ(5, itemAt(*back, 7)->type);
    ASSERT_EQ(quests.size(), back->questList.size());
    n = 0;
    for (Quest* q : back->questList)
        gamefix::expectSameQuest(quests[n++], *q);
    gamefix::expectSameVars(vars, back->vars);
    EXPECT_EQ("data", back->vars.dir);   // the endings still come from the folder the game began in
    EXPECT_FLOAT_EQ(100.0f, back->player->x);
    EXPECT_EQ(0, memcmp(map->level, back->theMap->level, sizeof map->level));

    // Saving what was loaded writes the very same files.
    auto first = gamefix::snapshot("save");
    EXPECT_TRUE(quietSave(*back, "save"));
    EXPECT_EQ(first, gamefix::snapshot("save"));
}

TEST_F(GameDir, ASaveLeavesExactlyItsOwnFilesAndKeepsTheRest)
{
    gamefix::writeGame(wd, "data", 3, 4, 2);
    ASSERT_EQ(0, quietLoad("data"));
    // An earlier, larger save, the folder placeholders and files that are not the game's.
    gamefix::writeGame(wd, "save", 6, 8, 4);
    wd.write("save/npcdef/.gitkeep", "");
    wd.write("save/idef/.gitkeep", "");
    wd.write("save/qdef/.gitkeep", "");
    wd.write("save/intro.txt", "Once upon a time\n");
    wd.write("save/ending/0.png", "slide");
    wd.write("save/npcdef/notes.txt", "mine");
    // Leftovers of a save that was killed half-way.
    gamefix::writeGame(wd, ".save.swap", 9, 9, 9);
    wd.write("save/idef/2.def.part", "half");

    EXPECT_TRUE(quietSave(*game, "save"));
    auto files = gamefix::names(gamefix::snapshot("save"));
    std::vector<std::string> want = {"ending/", "ending/0.png", "idef/", "idef/.gitkeep", "idef/0.def", "idef/1.def",
                                     "idef/2.def", "idef/3.def", "intro.txt", "map.dat", "npcdef/",
                                     "npcdef/.gitkeep", "npcdef/0.def", "npcdef/1.def", "npcdef/2.def",
                                     "npcdef/notes.txt", "qdef/", "qdef/.gitkeep", "qdef/0.def", "qdef/1.def",
                                     "vars.sav"};
    EXPECT_EQ(want, files);
    EXPECT_EQ("Once upon a time\n", wd.read("save/intro.txt"));
    EXPECT_FALSE(wd.exists(".save.swap"));

    int r = -2;
    std::unique_ptr<CGame> back = freshLoad("save", &r);
    EXPECT_EQ(0, r);
    EXPECT_EQ(3u, back->actorList.size());
    EXPECT_EQ(4u, back->itemVec.size());
    EXPECT_EQ(2u, back->questList.size());
}

// Only "N.def" names belong to a series: a save, swapped or in place, leaves
// the player's files with names close to them alone and removes a stale
// record numbered past every series.
TEST_F(GameDir, OnlyRecordNamesCountAsRecords)
{
    gamefix::writeGame(wd, "data", 2, 1, 1);
    ASSERT_EQ(0, quietLoad("data"));
    const char* mine[] = {"03.def", "+3.def", "-3.def", "3.def.bak", "3.DEF", " 3.def", "3.def~", "x3.def"};
    for (bool inPlace : {false, true}) {
        gamefix::writeGame(wd, "save", 2, 1, 1);
        for (const char* name : mine)
            wd.write(std::string("save/npcdef/") + name, "mine");
        wd.write("save/npcdef/12345678901.def", "stale");
        refuseExchange = inPlace;
        EXPECT_TRUE(quietSave(*game, "save"));
        refuseExchange = false;
        for (const char* name : mine)
            EXPECT_EQ("mine", wd.read(std::string("save/npcdef/") + name)) << name << (inPlace ? " in place" : "");
        EXPECT_FALSE(wd.exists("save/npcdef/12345678901.def"));
        EXPECT_FALSE(wd.exists("save/npcdef/2.def"));
    }
}

TEST_F(GameDir, MissingFoldersAreCreatedForAnyDirectoryName)
{
    gamefix::writeGame(wd, "data", 2, 2, 1);
    ASSERT_EQ(0, quietLoad("data"));
    std::string deep = "saves/" + std::string(50, 'x') + "/" + std::string(200, 'y');
    EXPECT_TRUE(quietSave(*game, deep.c_str()));
    EXPECT_TRUE(wd.exists(deep + "/npcdef/1.def"));
    EXPECT_TRUE(wd.exists(deep + "/qdef/0.def"));
    EXPECT_TRUE(quietSave(*game, "save/"));
    EXPECT_TRUE(wd.exists("save/map.dat"));
    EXPECT_EQ(gamefix::snapshot(deep), gamefix::snapshot("save"));
}

// Where folders cannot be swapped (saving into the working folder itself, or a
// file system that cannot exchange them) every file is replaced on its own,
// with the same result, and the game is written once and says so once.
TEST_F(GameDir, WithoutFolderExchangeTheGameIsWrittenOnceInPlace)
{
    gamefix::writeGame(wd, "data", 3, 4, 2);
    ASSERT_EQ(0, quietLoad("data"));
    EXPECT_TRUE(quietSave(*game, "ref"));
    gamefix::writeGame(wd, "inplace", 5, 6, 3);
    wd.write("inplace/npcdef/1.def.part", "half");
    ASSERT_EQ(0, chdir("inplace"));
    bool ok = quietSave(*game, ".");
    ASSERT_EQ(0, chdir(wd.path().c_str()));
    EXPECT_TRUE(ok);
    EXPECT_EQ(gamefix::snapshot("ref"), gamefix::snapshot("inplace"));
    EXPECT_FALSE(wd.exists("..inplace.swap"));

    gamefix::writeGame(wd, "save", 5, 6, 3);
    refuseExchange = true;
    std::string out;
    qtest::quietly([&] { ok = game->saveGame("save"); }, &out);
    refuseExchange = false;
    EXPECT_TRUE(ok);
    auto count = [&out](const std::string& what) {
        int n = 0;
        for (size_t p = 0; (p = out.find(what, p)) != std::string::npos; p++)
            n++;
        return n;
    };
    EXPECT_EQ(1, count("There are 4 items in the item vector\n")) << out;
    EXPECT_EQ(1, count("Written. closing\n")) << out;
    EXPECT_EQ(gamefix::snapshot("ref"), gamefix::snapshot("save"));
    EXPECT_FALSE(wd.exists(".save.swap"));
}

// A save replaces the folder's contents, not its owner's choice of who may
// read it, nor the owner (where the process may give it).
TEST_F(GameDir, ASaveKeepsTheSaveFolderPermissions)
{
    gamefix::writeGame(wd, "data", 2, 2, 1);
    ASSERT_EQ(0, quietLoad("data"));
    EXPECT_TRUE(quietSave(*game, "save"));
    for (mode_t mode : {0700, 0750, 0777}) {
        ASSERT_EQ(0, chmod("save", mode));
        ASSERT_EQ(0, chmod("save/npcdef", mode));
        EXPECT_TRUE(quietSave(*game, "save"));
        struct stat st, sub;
        ASSERT_EQ(0, stat("save", &st));
        ASSERT_EQ(0, stat("save/npcdef", &sub));
        EXPECT_EQ(mode, st.st_mode & 07777);
        EXPECT_EQ(mode, sub.st_mode & 07777);
        EXPECT_TRUE(wd.exists("save/npcdef/1.def"));
    }
    if (geteuid() != 0)
        return;
    ASSERT_EQ(0, chown("save", 4321, 4322));
    EXPECT_TRUE(quietSave(*game, "save"));
    struct stat st;
    ASSERT_EQ(0, stat("save", &st));
    EXPECT_EQ(4321u, st.st_uid);
    EXPECT_EQ(4322u, st.st_gid);
}

TEST_F(GameDir, ASaveThatCannotBeWrittenIsReportedAndSaysSo)
{
    gamefix::writeGame(wd, "data", 2, 2, 1);
    ASSERT_EQ(0, quietLoad("data"));
    wd.write("blocker", "a file where a folder should be");
    std::string err = qtest::quietly([&] {
        EXPECT_FALSE(game->saveGame("blocker/save"));
        EXPECT_FALSE(game->saveGame("blocker"));
    });
    // The path reported is the one in the way, with the reason.
    EXPECT_NE(std::string::npos, err.find("Could not save blocker: Not a directory\nSaving into blocker/save failed"))
        << err;
    EXPECT_NE(std::string::npos, err.rfind("Could not save blocker: Not a directory\n")) << err;
    EXPECT_EQ("a file where a folder should be", wd.read("blocker"));
}

// A save folder that is a symbolic link stays one, and the folder it points
// to is written into, not replaced: nothing appears beside it.
TEST_F(GameDir, ALinkedSaveFolderStaysALink)
{
    gamefix::writeGame(wd, "data", 2, 2, 1);
    ASSERT_EQ(0, quietLoad("data"));
    qtest::mkdirs(wd.path() + "/elsewhere/saves");
    wd.write("elsewhere/saves/npcdef/5.def", gamefix::actorFile("Grr", "Stale"));
    wd.write("elsewhere/saves/mine.txt", "kept");
    struct stat before, after;
    ASSERT_EQ(0, stat("elsewhere/saves", &before));
    ASSERT_EQ(0, symlink("elsewhere/saves", "save"));
    EXPECT_TRUE(quietSave(*game, "save"));
    EXPECT_TRUE(quietSave(*game, "save"));
    struct stat st;
    ASSERT_EQ(0, lstat("save", &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(0, stat("elsewhere/saves", &after));
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_TRUE(wd.exists("elsewhere/saves/npcdef/1.def"));
    EXPECT_FALSE(wd.exists("elsewhere/saves/npcdef/5.def"));
    EXPECT_EQ("kept", wd.read("elsewhere/saves/mine.txt"));
    std::vector<std::string> beside;
    for (const std::string& name : gamefix::names(gamefix::snapshot("elsewhere")))
        if (name.find('/') + 1 >= name.size())
            beside.push_back(name);
    EXPECT_EQ(std::vector<std::string>{"saves/"}, beside);
    int r = -2;
    std::unique_ptr<CGame> back = freshLoad("save", &r);
    EXPECT_EQ(0, r);
    EXPECT_EQ(2u, back->actorList.size());
}

// What sits in the save folder and is not the game's is left alone: a file
// the save could not even read, and another file system mounted there (where
// the test may mount one).
TEST_F(GameDir, ASaveLeavesWhatIsNotTheGamesAlone)
{
    gamefix::writeGame(wd, "data", 3, 2, 1);
    ASSERT_EQ(0, quietLoad("data"));
    EXPECT_TRUE(quietSave(*game, "save"));
    wd.write("save/secret.txt", "not yours");
    ASSERT_EQ(0, chmod("save/secret.txt", 0));
    // Root reads everything; an immutable file is one it cannot link either.
    int fd = open("save/secret.txt", O_RDONLY);
    int flags = 0;
    bool immutable = geteuid() == 0 && fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                     (flags |= FS_IMMUTABLE_FL, ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    qtest::mkdirs(wd.path() + "/save/music");
    bool mounted = mount("tmpfs", "save/music", "tmpfs", 0, "size=64k") == 0;
    if (mounted)
        wd.write("save/music/theme.ogg", "tune");

    EXPECT_EQ("", qtest::quietly([&] { EXPECT_TRUE(game->saveGame("save")); }));
    if (mounted) {
        EXPECT_EQ("tune", wd.read("save/music/theme.ogg"));
    }
    if (immutable) {
        flags &= ~FS_IMMUTABLE_FL;
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0)
        close(fd);
    if (mounted)
        umount2("save/music", MNT_DETACH);
    ASSERT_EQ(0, chmod("save/secret.txt", 0644));
    EXPECT_EQ("not yours", wd.read("save/secret.txt"));
    int r = -2;
    std::unique_ptr<CGame> back = freshLoad("save", &r);
    EXPECT_EQ(0, r);
    EXPECT_EQ(3u, back->actorList.size());
    if (!mounted)
        GTEST_SKIP() << "cannot mount a file system here; the unreadable file was checked";
}

// A save written in place that was cut off after its commit list reached the
// disk is finished by the next load: the load reads the new game, whole.
TEST_F(GameDir, TheNextLoadFinishesASaveCutOffAfterItsCommit)
{
    gamefix::writeGame(wd, "save", 4, 3, 1);
    // As left on the disk: the new item 0 and character 1 staged, the killed
    // rat's file still there, and the list of what the commit does.
    wd.write("save/idef/0.def.part", qtest::fileOf(gamefix::item(ITEM_USED_UP, OWNER_PLAYER, "used")));
    wd.write("save/npcdef/1.def.part", gamefix::actorFile("Grr", "Moved", 200, 200, true));
    wd.write("save/.commit", "idef/0.def\nnpcdef/1.def\n-npcdef/3.def\n-npcdef/4.def\n");
    ASSERT_EQ(0, quietLoad("save"));
    EXPECT_EQ(3u, game->actorList.size());
    EXPECT_EQ(5, game->itemVec[0]->type);
    EXPECT_EQ(1, game->itemVec[0]->owner);
    EXPECT_EQ("Moved", (*std::next(game->actorList.begin()))->myName);
    EXPECT_FALSE(wd.exists("save/.commit"));
    EXPECT_FALSE(wd.exists("save/idef/0.def.part"));
}
