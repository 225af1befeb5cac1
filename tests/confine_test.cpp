// confine_test.cpp -- planted links, pipes and crafted files in a game folder, a save, a recording or a map import stay where they are.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <ctime>
#include <functional>
#include <memory>
#include <gtest/gtest.h>
#include "fakeassets.h"
#include "game.h"
#include "gamefixture.h"
#include "replay.h"
#include "savefiles.h"
#include "tmx-xml.h"
#include "tmx.h"

using qtest::WorkDir;

namespace {

// Runs f in a child process with its output sent nowhere; f's answer, or -1
// when the child was still running after `seconds` (it is killed then).
int inChild(int seconds, const std::function<int()>& f)
{
    finishSpareFolders();
    fflush(stdout);
    fflush(stderr);
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        int rc = f();
        finishSpareFolders();
        removeSpareFolders();
        _exit(rc);
    }
    for (int i = 0; i < seconds * 100; i++) {
        int st = 0;
        if (waitpid(pid, &st, WNOHANG) == pid)
            return WIFEXITED(st) ? WEXITSTATUS(st) : -2;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

bool isLink(const std::string& p)
{
    struct stat st;
    return lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool isPlainFile(const std::string& p)
{
    struct stat st;
    return lstat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A small game in "data" and, beside it, a folder of someone else's ("outside")
// that nothing of the game may read, change or remove.
struct Confined : testing::Test
{
    Confined() : wd("", false)
    {
        qtest::writeFakeAssets(wd.path(), qtest::FakeAssets());
        gamefix::writeGame(wd, "data", 6, 10, 3);
        wd.write("outside/precious.txt", "keep me");
        wd.write("outside/notes.part", "mine");
        wd.write("outside/secret.def", gamefix::actorFile("Secret line", "Secret Name"));
        outside = gamefix::snapshot("outside");
        qtest::quietly([&] {
            game.reset(new CGame());
            game->loadGame("data");
        });
    }

    bool save(const char* dir = "save")
    {
        bool ok = false;
        qtest::quietly([&] { ok = game->saveGame(dir); });
        return ok;
    }

    // Loads dir in a fresh game object: its characters, or -1 when the load failed.
    static int loadedActors(const char* dir)
    {
        int n = -1;
        qtest::quietly([&] {
            CGame back;
            if (back.loadGame(dir) == 0)
                n = (int)back.actorList.size();
        });
        return n;
    }

    void expectOutsideUntouched() { EXPECT_EQ(outside, gamefix::snapshot("outside")); }

    WorkDir wd;
    std::unique_ptr<CGame> game;
    std::map<std::string, std::string> outside;
};

// The game's own files of a folder (its shared pictures left out).
std::map<std::string, std::string> gameFiles(const char* dir)
{
    std::map<std::string, std::string> out;
    for (const auto& f : gamefix::snapshot(dir))
        if (f.first.compare(0, 7, "assets/") != 0)
            out.insert(f);
    return out;
}

std::string outsidePath(const WorkDir& wd, const char* name) { return wd.path() + "/outside/" + name; }

// Each case plants something in a save folder that was saved once, then saves
// or loads it again: nothing outside moves, and the save comes back whole.
TEST_F(Confined, PlantedEntriesInASaveNeverReachOutside)
{
    struct Case
    {
        const char* what;
        std::function<void(Confined&)> plant;
        bool saveAfter;
        int loads = 6;   // the characters a load finds afterwards; -2 for a load that gives up
    };
    const Case cases[] = {
        {"a spare folder linked outside",
         [](Confined& t) { symlink(outsidePath(t.wd, "").c_str(), ".save.spare"); }, true},
        {"a commit list that is a named pipe", [](Confined&) { mkfifo("save/.commit", 0644); }, false},
        {"a commit list linked to an endless device", [](Confined&) { symlink("/dev/zero", "save/.commit"); }, false},
        {"a commit list removing through a linked series folder",
         [](Confined& t) {
             system("rm -rf save/qdef");
             symlink(outsidePath(t.wd, "").c_str(), "save/qdef");
             t.wd.write("save/.commit", "-qdef/precious.txt\nqdef/notes\n");
         },
         false, -2},
        {"a series folder replaced by a file",
         [](Confined& t) {
             system("rm -rf save/npcdef");
             t.wd.write("save/npcdef", "not a folder");
         },
         true},
        {"a record's temporary name linked outside",
         [](Confined& t) { symlink(outsidePath(t.wd, "precious.txt").c_str(), "save/npcdef/2.def.part"); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        system("rm -rf save .save.* outside/*");
        for (const auto& f : outside)
            wd.write("outside/" + f.first, f.second);
        ASSERT_TRUE(save());
        c.plant(*this);
        if (c.saveAfter) {
            EXPECT_EQ(0, inChild(30, [&] { return save() ? 0 : 1; }));
            EXPECT_FALSE(isLink("save"));
        }
        int loaded = inChild(30, [] { return loadedActors("save") == 6 ? 6 : -2; });
        if (c.loads == 6)
            EXPECT_EQ(6, loaded);
        else
            EXPECT_NE(-1, loaded);
        expectOutsideUntouched();
    }
    // The save folder itself may be a link the player made: it is written through and stays one.
    system("rm -rf save .save.* && mkdir elsewhere");
    ASSERT_EQ(0, symlink("elsewhere", "save"));
    EXPECT_TRUE(save());
    EXPECT_TRUE(isLink("save"));
    EXPECT_EQ(6, loadedActors("elsewhere"));
    expectOutsideUntouched();
}

// A record file of a game folder linked to a file outside it is not read (the
// series ends there, and the next save holds nothing of it); a link to another
// file of the same folder is.
TEST_F(Confined, RecordLinksAreReadOnlyInsideTheirFolder)
{
    ASSERT_EQ(0, rename("data/npcdef/1.def", "data/spare-1.def"));
    ASSERT_EQ(0, symlink("../spare-1.def", "data/npcdef/1.def"));
    EXPECT_EQ(6, loadedActors("data"));
    ASSERT_EQ(0, unlink("data/npcdef/1.def"));
    ASSERT_EQ(0, symlink(outsidePath(wd, "secret.def").c_str(), "data/npcdef/1.def"));
    EXPECT_EQ(1, loadedActors("data"));
    qtest::quietly([&] {
        CGame g;
        g.loadGame("data");
        EXPECT_TRUE(g.saveGame("save"));
    });
    for (const auto& f : gamefix::snapshot("save"))
        EXPECT_EQ(std::string::npos, f.second.find("Secret")) << f.first;
}

// Screenshots go to new files: a planted link is removed, not written through.
TEST_F(Confined, ScreenshotsReplaceLinksInsteadOfWritingThroughThem)
{
    for (const char* name : {"sshot.bmp", "sshot-shop.bmp", "gambling.bmp"}) {
        ASSERT_EQ(0, symlink(outsidePath(wd, "precious.txt").c_str(), name));
        qtest::quietly([&] { EXPECT_TRUE(game->saveScreenshot(name)); });
        EXPECT_TRUE(isPlainFile(name)) << name;
    }
    expectOutsideUntouched();
}

// A save of thousands of records under a small limit of open files.
TEST_F(Confined, ALargeSaveFitsInFewOpenFiles)
{
    Actor* model = game->actorList.back();
    for (int i = 0; i < 5000; i++) {
        Actor* a = new Actor(*model);
        a->myName = "Rat " + std::to_string(i);
        game->actorList.push_back(a);
    }
    EXPECT_EQ(0, inChild(120, [&] {
        struct rlimit lim = {256, 256};
        setrlimit(RLIMIT_NOFILE, &lim);
        return save() && loadedActors("save") == 5006 ? 0 : 1;
    }));
}

double nowMs()
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// Another copy of the game trying the save lock all through a load finds it
// taken in the middle of the load, not only at its start: a save cannot swap
// the folder under a load half-way.
TEST_F(Confined, ALoadHoldsTheSaveLockThroughout)
{
    for (int i = 0; i < 300; i++)
        game->actorList.push_back(new Actor(*game->actorList.back()));
    ASSERT_TRUE(save());
    int done[2];
    ASSERT_EQ(0, pipe(done));
    pid_t prober = fork();
    if (prober == 0) {
        // Probes until the loads are over, then writes "from to free" lines.
        fcntl(done[0], F_SETFL, O_NONBLOCK);
        int fd = open(".", O_RDONLY | O_DIRECTORY);
        std::string seen;
        char c;
        double end = nowMs() + 20000;
        while (read(done[0], &c, 1) < 0 && nowMs() < end) {
            double before = nowMs();
            bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
            if (free)
                flock(fd, LOCK_UN);
            seen += std::to_string(before) + " " + std::to_string(nowMs()) + (free ? " 1\n" : " 0\n");
            usleep(200);   // a load waiting for the lock gets it between two tries
        }
        FILE* f = fopen("probes", "w");
        fputs(seen.c_str(), f);
        fclose(f);
        _exit(0);
    }
    // Ten loads, so that the prober runs beside some of them even on a busy machine.
    std::vector<std::pair<double, double>> loads;
    usleep(50000);
    qtest::quietly([&] {
        for (int i = 0; i < 10; i++) {
            CGame back;
            double t0 = nowMs();
            back.loadGame("save");
            loads.push_back({t0, nowMs()});
        }
    });
    ASSERT_EQ(1, write(done[1], "x", 1));
    waitpid(prober, nullptr, 0);
    int middle = 0, freeInMiddle = 0;
    double from, to;   // the try saw the lock free or taken at some moment between these
    int free;
    FILE* f = fopen("probes", "r");
    ASSERT_TRUE(f);
    while (fscanf(f, "%lf %lf %d", &from, &to, &free) == 3) {
        for (const auto& l : loads) {
            double quarter = (l.second - l.first) / 4;
            if (from > l.first + quarter && to < l.second - quarter) {
                middle++;
                freeInMiddle += free;
            }
        }
    }
    fclose(f);
    EXPECT_GT(middle, 0);
    EXPECT_EQ(0, freeInMiddle) << "of " << middle << " tries";
}

// Recordings: pipes, devices and oversized files are refused at once, and an
// event line with a field outside its type's range ends the replay.
TEST_F(Confined, RecordingsAreBoundedAndChecked)
{
    mkfifo("pipe.rec", 0644);
    symlink("/dev/zero", "zero.rec");
    int huge = open("huge.rec", O_CREAT | O_WRONLY, 0644);
    ASSERT_EQ(0, ftruncate(huge, 200L << 20));
    close(huge);
    for (const char* name : {"pipe.rec", "zero.rec", "huge.rec"}) {
        EXPECT_EQ(1, inChild(10, [&] { return startReplay(name, true) ? 0 : 1; })) << name;
        if (name != std::string("huge.rec")) {
            EXPECT_EQ(1, inChild(10, [&] { return startRecording(name) ? 0 : 1; })) << name;
        }
    }
    for (const char* key : {"2147483647", "-5", "99999999999999999999"}) {
        wd.write("bad.rec", std::string(REPLAY_VERSION_LINE) + "\nseed 1\ne 2 0 1 " + key + " 0 0 0\n");
        qtest::quietly([&] {
            ASSERT_TRUE(startReplay("bad.rec", true));
            SDL_Event e;
            e.type = SDL_NOEVENT;
            replayPollEvent(&e);
            EXPECT_NE(SDL_KEYDOWN, e.type) << key;
            finishReplay();
        });
    }
}

// The map tool's import: planted temporary names and a folder where a moved
// record belongs change nothing outside, and an import that cannot finish
// changes nothing at all.
TEST_F(Confined, MapImportIsConfinedAndAllOrNothing)
{
    qtest::quietly([&] { ASSERT_TRUE(exportTiledMap("data", "world.tmx", "data/assets", TileArea())); });
    std::string tmx = wd.read("world.tmx");
    size_t cell = tmx.find("<data encoding=\"csv\">") + 22;
    tmx[cell] = tmx[cell] == '1' ? '2' : '1';
    size_t x = tmx.find(" x=\"", tmx.find("name=\"characters\""));
    tmx.insert(x + 4, "1");
    wd.write("world.tmx", tmx);

    // A folder where map.dat belongs: the import must fail before any record moves.
    ASSERT_EQ(0, rename("data/map.dat", "map.dat.kept"));
    ASSERT_EQ(0, mkdir("data/map.dat", 0755));
    std::map<std::string, std::string> before = gameFiles("data");
    EXPECT_EQ(1, inChild(30, [] { return importTiledMap("world.tmx", "data") ? 0 : 1; }));
    EXPECT_EQ(before, gameFiles("data"));
    ASSERT_EQ(0, rmdir("data/map.dat"));
    ASSERT_EQ(0, rename("map.dat.kept", "data/map.dat"));
    before = gameFiles("data");

    for (const char* part : {"data/map.dat.part", "data/map.dat.tmx-part", "data/npcdef/0.def.part"})
        ASSERT_EQ(0, symlink(outsidePath(wd, "precious.txt").c_str(), part));
    mkfifo("data/idef/0.def.part", 0644);
    EXPECT_EQ(0, inChild(30, [] { return importTiledMap("world.tmx", "data") ? 0 : 1; }));
    EXPECT_TRUE(isPlainFile("data/map.dat"));
    EXPECT_NE(before["map.dat"], wd.read("data/map.dat"));
    expectOutsideUntouched();
}

// The XML reader refuses documents built to take time or memory.
TEST(ConfinedXml, OversizedDocumentsAreRefused)
{
    std::string attrs = "<map";
    for (int i = 0; i < 100000; i++)
        attrs += " a" + std::to_string(i) + "=\"1\"";
    std::string elements = "<map>";
    for (size_t i = 0; i <= XML_ELEMENTS_MAX; i++)
        elements += "<a/>";
    for (const std::string& doc : {attrs + "/>", elements + "</map>"}) {
        XmlNode root;
        std::string err;
        EXPECT_FALSE(parseXml(doc, root, err));
        EXPECT_NE(std::string::npos, err.find("more than")) << err;
    }
}

} // namespace
