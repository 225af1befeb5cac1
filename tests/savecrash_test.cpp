// savecrash_test.cpp -- saves killed half-way (swapped or in place), two copies saving at once, full disks, read-only, missing and blocked save folders.
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <gtest/gtest.h>
#include "fakeassets.h"
#include "game.h"
#include "gamefixture.h"
#include "savefiles.h"

using qtest::WorkDir;
typedef std::map<std::string, std::string> Snapshot;

namespace {

std::string describe(const Snapshot& s)
{
    std::string out;
    for (const auto& kv : s)
        out += kv.first + " (" + std::to_string(kv.second.size()) + ")\n";
    return out;
}

// One loaded game that can be switched between two states: the earlier game
// ("old") and a later one ("new") in which an enemy was killed, a flag raised,
// an item bought and a door opened.
// The moments of the kills are random; the seed is printed, and QUORVANE_SEED=N repeats a run.
unsigned killSeed()
{
    const char* given = getenv("QUORVANE_SEED");
    unsigned seed = given ? (unsigned)strtoul(given, nullptr, 10) : std::random_device()();
    printf("kill moments from seed %u (QUORVANE_SEED=%u repeats them)\n", seed, seed);
    return seed;
}

// Forks; the child's standard output goes nowhere and its standard error to errFile.
pid_t forkSilent(const char* errFile = "/dev/null")
{
    // A fork while the earlier save's copy is still being emptied on its own thread could
    // leave the child waiting forever on a lock that thread held.
    finishSpareFolders();
    fflush(stdout);
    fflush(stderr);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(open("/dev/null", O_WRONLY), 1);
        dup2(open(errFile, O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    }
    return pid;
}

class TwoGames : public testing::Test
{
protected:
    TwoGames() : wd("", false)
    {
        qtest::writeFakeAssets(wd.path(), qtest::FakeAssets());
        gamefix::writeGame(wd, "data", 6, 10, 3);
        qtest::quietly([&] {
            game.reset(new CGame());
            game->loadGame("data");
        });
        killed = game->actorList.back();
        for (const char* f : {"oldref", "newref", "save"})
            for (const char* sub : {"/npcdef/.gitkeep", "/idef/.gitkeep", "/qdef/.gitkeep"})
                wd.write(std::string(f) + sub, "");
        setState(false);
        quietSave("oldref");
        setState(true);
        quietSave("newref");
        oldGame = gamefix::snapshot("oldref");
        newGame = gamefix::snapshot("newref");
        setState(false);
        quietSave("save");
    }

    ~TwoGames()
    {
        // The game object deletes the characters in its list; the killed one may be outside it.
        if (game)
            setState(false);
    }

    void setState(bool later)
    {
        bool present = game->actorList.back() == killed;
        if (later && present)
            game->actorList.pop_back();
        if (!later && !present)
            game->actorList.push_back(killed);
        game->vars.flags[5] = later;
        game->vars.frames = later ? 2 : 1;
        game->itemVec[3]->owner = later ? OWNER_PLAYER : OWNER_SHOP;
        game->theMap->setTileAt(10, 10, later ? TILE_OPEN_DOOR : TILE_LOCKED_DOOR);
    }

    // The game object goes, and a fresh one loads dir with the old game's six characters.
    void expectLoadsAfresh(const char* dir)
    {
        game.reset();
        qtest::quietly([&] {
            CGame back;
            EXPECT_EQ(0, back.loadGame(dir));
            EXPECT_EQ(6u, back.actorList.size());
        });
    }

    // Times a save, then `runs` times starts a copy of the game saving the two
    // games in turn and kills it at a random moment; after each kill, `look`
    // gives what a load would find. Counts the old and new games found, and
    // fails on anything else.
    void killSavesAtRandom(int runs, const std::function<Snapshot()>& look, int* asOld, int* asNew, long* perSave)
    {
        auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < 4; i++) {
            setState(i % 2 == 0);
            quietSave("save");
        }
        setState(false);
        ASSERT_TRUE(quietSave("save"));
        ASSERT_EQ(oldGame, gamefix::snapshot("save"));
        *perSave = (long)std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0)
                       .count() / 5;
        unsigned seed = killSeed();
        std::mt19937 rng(seed);
        for (int run = 0; run < runs; run++) {
            pid_t pid = forkSilent();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                for (int k = 0;; k++) {
                    setState(k % 2 == 0);
                    game->saveGame("save");
                }
            }
            usleep((useconds_t)(rng() % (unsigned long)(3 * *perSave + 2000)));
            kill(pid, SIGKILL);
            waitpid(pid, NULL, 0);
            Snapshot now = look();
            if (now == oldGame) {
                (*asOld)++;
            } else if (now == newGame) {
                (*asNew)++;
            } else {
                ADD_FAILURE() << "run " << run << " (seed " << seed << ") left a mixed save:\n" << describe(now);
                return;
            }
        }
    }

    // A save that must fail; returns what it reported on standard error.
    std::string saveThatFails(const char* dir)
    {
        return qtest::quietly([&] { EXPECT_FALSE(game->saveGame(dir)); });
    }

    bool quietSave(const char* dir)
    {
        bool ok = false;
        qtest::quietly([&] { ok = game->saveGame(dir); });
        return ok;
    }

    WorkDir wd;
    std::unique_ptr<CGame> game;
    Actor* killed = NULL;
    Snapshot oldGame, newGame;
};

} // namespace

TEST_F(TwoGames, ASaveKilledAtRandomLeavesTheOldGameOrTheNew)
{
    ASSERT_NE(oldGame, newGame);
    const int runs = 200;
    int asOld = 0, asNew = 0, leftovers = 0;
    long perSave = 0;
    auto start = std::chrono::steady_clock::now();
    killSavesAtRandom(runs, [&]() {
        if (access(".save.swap", F_OK) == 0)
            leftovers++;
        return gamefix::snapshot("save");
    }, &asOld, &asNew, &perSave);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("%d kills in %.1f s (one save takes %ld us): %d left the old game, %d the new one, "
           "%d left a staging folder behind\n", runs, seconds, perSave, asOld, asNew, leftovers);
    EXPECT_EQ(runs, asOld + asNew);

    // The next save clears what an interrupted one left, and the game loads.
    EXPECT_TRUE(quietSave("save"));
    EXPECT_FALSE(wd.exists(".save.swap"));
    EXPECT_EQ(oldGame, gamefix::snapshot("save"));
    expectLoadsAfresh("save");
}

// The file size limit stands in for a full disk: map.dat, the last file of a
// save, cannot be written.
TEST_F(TwoGames, AFullDiskIsReportedAndTheOldSaveStays)
{
    pid_t pid = forkSilent("err.txt");
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit lim = {50000, 50000};
        setrlimit(RLIMIT_FSIZE, &lim);
        setState(true);
        _exit(game->saveGame("save") ? 1 : 3);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(3, WEXITSTATUS(status)) << "saveGame did not report the failure";
    std::string err = wd.read("err.txt");
    EXPECT_NE(std::string::npos, err.find("/map.dat: File too large")) << err;
    EXPECT_NE(std::string::npos, err.find("Saving into save failed; the earlier save there is unchanged")) << err;
    EXPECT_EQ(oldGame, gamefix::snapshot("save"));
    EXPECT_FALSE(wd.exists(".save.swap"));
}

// A folder the owner made read-only: by permission bits, or for root (who
// ignores them) by the file system's immutable flag.
class ReadOnly
{
public:
    explicit ReadOnly(const std::string& path) : path_(path)
    {
        if (geteuid() != 0) {
            ok_ = chmod(path.c_str(), 0555) == 0;
            return;
        }
        fd_ = open(path.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd_ >= 0 && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            ok_ = ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
        }
    }
    ~ReadOnly()
    {
        if (fd_ >= 0) {
            int flags = 0;
            if (ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ioctl(fd_, FS_IOC_SETFLAGS, &flags);
            }
            close(fd_);
        } else if (ok_) {
            chmod(path_.c_str(), 0755);
        }
    }
    bool ok() const { return ok_; }

private:
    std::string path_;
    int fd_ = -1;
    bool ok_ = false;
};

TEST_F(TwoGames, AReadOnlySaveFolderIsReportedAndLeftAsItWas)
{
    setState(true);
    for (const char* folder : {"save", "save/idef"}) {
        ReadOnly lock(folder);
        if (!lock.ok())
            GTEST_SKIP() << "cannot make a folder read-only here";
        std::string err = saveThatFails("save");
        EXPECT_EQ(0u, err.find(std::string("Could not save ") + folder + ": ")) << err;
        EXPECT_EQ(oldGame, gamefix::snapshot("save"));
    }
    EXPECT_TRUE(quietSave("save"));
    EXPECT_EQ(newGame, gamefix::snapshot("save"));
}

// F1 in play: a save that fails says so on the message line, and the earlier
// save still loads.
TEST_F(TwoGames, AFailedQuickSaveTellsThePlayerAndTheOldSaveLoads)
{
    setState(true);
    ASSERT_TRUE(game->player);
    {
        ReadOnly lock("save");
        if (!lock.ok())
            GTEST_SKIP() << "cannot make a folder read-only here";
        qtest::clearEvents();
        qtest::pushKey(SDLK_F1);
        qtest::quietly([&] { game->getInput(); });
    }
    EXPECT_EQ("Could not save the game!", game->vars.currentTalk);
    EXPECT_GT(game->vars.talkTimer, 0.0f);
    EXPECT_EQ(oldGame, gamefix::snapshot("save"));
    setState(false);
    expectLoadsAfresh("save");
}

// A missing save folder is made; a plain file where the folder should be is
// reported and left alone.
TEST_F(TwoGames, AMissingSaveFolderIsMadeAndAFileInTheWayIsLeftAlone)
{
    EXPECT_TRUE(quietSave("later/save"));

    wd.write("blocked", "not a folder");
    std::string err = saveThatFails("blocked");
    EXPECT_NE(std::string::npos, err.find("blocked")) << err;
    EXPECT_EQ("not a folder", wd.read("blocked"));

    expectLoadsAfresh("later/save");
}

namespace {

// The snapshot without the ".part" files a save cut off before its commit
// leaves (no load reads them; the next save removes them), and how many.
Snapshot withoutLeftovers(const Snapshot& s, int* leftovers)
{
    Snapshot out;
    for (const auto& kv : s) {
        if (kv.first.size() > 5 && kv.first.compare(kv.first.size() - 5, 5, ".part") == 0)
            (*leftovers)++;
        else
            out.insert(kv);
    }
    return out;
}

// A tmpfs mounted at a path for the life of the object, where the test may mount one.
class SmallDisk
{
public:
    SmallDisk(const std::string& path, const char* size) : path_(path)
    {
        qtest::mkdirs(path);
        ok_ = mount("tmpfs", path.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
    }
    ~SmallDisk()
    {
        if (ok_)
            umount2(path_.c_str(), MNT_DETACH);
    }
    bool ok() const { return ok_; }

private:
    std::string path_;
    bool ok_ = false;
};

// Fills the file system holding path until it is full, then frees about `leave` bytes.
void fillUp(const std::string& path, size_t leave)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    char block[4096] = {0};
    off_t size = 0;
    while (write(fd, block, sizeof block) == (ssize_t)sizeof block)
        size += sizeof block;
    ASSERT_EQ(0, ftruncate(fd, size > (off_t)leave ? size - (off_t)leave : 0));
    close(fd);
}

} // namespace

// Kills at random a save that has to be written in place (the folder that
// holds the save folder is read-only, so nothing can be staged beside it).
// What is left is the old game or the new one once the commit list of a save
// cut off after its commit is carried out, as the next load does.
TEST_F(TwoGames, ASaveInPlaceKilledAtRandomLeavesTheOldGameOrTheNew)
{
    ReadOnly parent(".");
    if (!parent.ok())
        GTEST_SKIP() << "cannot make the working folder read-only here";
    const int runs = 120;
    int asOld = 0, asNew = 0, committed = 0, leftovers = 0;
    long perSave = 0;
    killSavesAtRandom(runs, [&]() {
        if (access("save/.commit", F_OK) == 0)
            committed++;
        EXPECT_TRUE(finishInterruptedSave("save"));
        return withoutLeftovers(gamefix::snapshot("save"), &leftovers);
    }, &asOld, &asNew, &perSave);
    printf("%d kills in place (one save takes %ld us): %d left the old game, %d the new one, %d a commit to "
           "finish, %d leftover files\n", runs, perSave, asOld, asNew, committed, leftovers);
    EXPECT_EQ(runs, asOld + asNew);
    EXPECT_TRUE(quietSave("save"));
    EXPECT_EQ(oldGame, gamefix::snapshot("save"));
}

// Two copies of the game save into the same folder over and over and are
// killed at a random moment: the save is always one of the two games, whole.
TEST_F(TwoGames, TwoCopiesSavingAtOnceLeaveOneWholeGame)
{
    unsigned seed = killSeed();
    std::mt19937 rng(seed);
    const int rounds = 40;
    int asOld = 0, asNew = 0;
    for (int round = 0; round <= rounds; round++) {
        bool toTheEnd = round == rounds;   // the last round: both finish their saves
        pid_t pids[2];
        for (int k = 0; k < 2; k++) {
            pids[k] = forkSilent();
            ASSERT_GE(pids[k], 0);
            if (pids[k] == 0) {
                setState(k == 1);
                bool ok = true;
                for (int n = 0; !toTheEnd || n < 10; n++)
                    ok = game->saveGame("save") && ok;
                removeSpareFolders();
                _exit(ok ? 0 : 1);
            }
        }
        if (!toTheEnd) {
            usleep((useconds_t)(rng() % 150000));
            kill(pids[0], SIGKILL);
            kill(pids[1], SIGKILL);
        }
        for (pid_t pid : pids) {
            int status = 0;
            waitpid(pid, &status, 0);
            if (toTheEnd) {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
            }
        }
        Snapshot now = gamefix::snapshot("save");
        if (now == oldGame) {
            asOld++;
        } else if (now == newGame) {
            asNew++;
        } else {
            ADD_FAILURE() << "round " << round << " (seed " << seed << ") left:\n" << describe(now);
            break;
        }
    }
    printf("%d rounds of two copies saving at once: %d left one game, %d the other\n", rounds + 1, asOld, asNew);
    EXPECT_EQ(rounds + 1, asOld + asNew);
    // Neither copy left a folder of its own behind, nor one of the killed copies.
    for (const auto& kv : gamefix::snapshot("."))
        EXPECT_NE(0u, kv.first.find(".save.")) << kv.first;
}

// A save folder that is a small disk of its own: a first save that does not
// fit leaves nothing a load would take for a game, and a later one that does
// not fit leaves the earlier game whole, with the door's key and the door
// from the same game.
TEST_F(TwoGames, ASaveOnAFullDiskLeavesTheEarlierGameWhole)
{
    removeTree("save");
    {
        SmallDisk disk("save", "64k");
        if (!disk.ok())
            GTEST_SKIP() << "cannot mount a small file system here";
        std::string err = saveThatFails("save");
        EXPECT_NE(std::string::npos, err.find("No space left on device")) << err;
        EXPECT_FALSE(wd.exists("save/vars.sav"));
        // Load Game says "That save game doesn't exist" rather than ending the game.
        qtest::quietly([&] { EXPECT_EQ(-1, game->loadGame("save")); });
    }
    SmallDisk disk("save", "1m");
    ASSERT_TRUE(disk.ok());
    for (const char* sub : {"save/npcdef/.gitkeep", "save/idef/.gitkeep", "save/qdef/.gitkeep"})
        wd.write(sub, "");
    EXPECT_TRUE(quietSave("save"));
    EXPECT_TRUE(oldGame == gamefix::snapshot("save"));
    fillUp("save/filler", 40000);
    setState(true);
    std::string err = saveThatFails("save");
    EXPECT_NE(std::string::npos, err.find("Saving into save failed; the earlier save there is unchanged")) << err;
    Snapshot now = gamefix::snapshot("save");
    now.erase("filler");
    EXPECT_TRUE(oldGame == now) << describe(now);
    setState(false);
    expectLoadsAfresh("save");
}
