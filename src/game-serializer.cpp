// game-serializer.cpp -- loading a whole game folder, and the crash-safe save of one.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include "game.h"
#include "savefiles.h"

static std::string parentOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

static std::string lastNameOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

static std::string realPathOf(const std::string& path)
{
    char* r = realpath(path.c_str(), NULL);
    if (!r)
        return "";
    std::string s = r;
    free(r);
    return s;
}

// A save into dir that was cut off after its commit is finished first, so
// the load reads the game it saved, whole. The load holds the save lock
// throughout, so it never reads half of another copy's save.
int CGame::loadGame(const char* dir)
{
    SaveLock lock(parentOf(dir));
    finishInterruptedSave(dir);
    std::string varsPath = std::string(dir) + "/vars.sav";
    if (vars.serializeFrom(varsPath.c_str(), dir) != 0) {
        fprintf(stderr, "Save game nonexistant at %s\n", varsPath.c_str());
        struct stat st;
        loadFailure = (lstat(varsPath.c_str(), &st) == 0 ? "Cannot read: " : "File not found: ") + varsPath;
        return -1;
    }
    loadActors(dir);
    loadItems(dir);
    loadQuests(dir);
    theMap->loadMap(dir);
    loadSignposts(dir);
    player = findPlayerActor();
    loadFailure = player ? "" : "No player: no character in " + std::string(dir) + "/npcdef has \"Plyr\" on line 14";
    return player ? 0 : 1;
}

// Writes every file of the game into the folder dir, in the order vars.sav,
// characters, items, quests, map.dat, and flushes them to the disk. In place,
// they replace the old files together, by the batch's commit.
static bool writeGameFiles(CGame& g, const std::string& dir, bool inPlace)
{
    if (!makeFolders(dir))
        return false;
    SaveBatch batch;
    beginSaveBatch(batch, dir, inPlace);
    bool ok = writeFileSafely(batch, dir + "/vars.sav", [&g](std::ostream& out) { return g.vars.writeTo(out); });
    ok = g.saveActors(batch, dir.c_str()) && ok;
    ok = g.saveItems(batch, dir.c_str()) && ok;
    ok = g.saveQuests(batch, dir.c_str()) && ok;
    ok = writeFileSafely(batch, dir + "/map.dat", [&g](std::ostream& out) { return g.theMap->writeTo(out); }) && ok;
    ok = ok && flushSaveBatch(batch);
    return endSaveBatch(batch, ok);
}

// A read-only game folder (or series folder) is respected: swapping whole
// folders would otherwise replace it behind its owner's back.
static bool foldersWritable(const std::string& dir)
{
    const char* subs[] = {"", "/npcdef", "/idef", "/qdef"};
    for (const char* sub : subs) {
        std::string p = dir + sub;
        struct stat st;
        if (stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && access(p.c_str(), W_OK) != 0) {
            reportSaveFailure(p, errno);
            return false;
        }
    }
    return true;
}

// A folder beside the game folder that belongs to its save: ".save.swap" (the
// save being staged) and ".save.spare" (the staging folder for the next save)
// for "save". Empty when the folder must not be swapped: no plain last name, or
// it is the working folder or holds it.
static std::string sideFolderFor(const std::string& dir, bool exists, const char* what)
{
    std::string name = lastNameOf(dir);
    if (name.empty() || name == "." || name == "..")
        return "";
    if (exists) {
        std::string real = realPathOf(dir);
        std::string cwd = realPathOf(".");
        if (real.empty() || real == "/" || cwd.empty() || cwd == real || cwd.compare(0, real.size() + 1, real + "/") == 0)
            return "";
    }
    std::string parent = parentOf(dir);
    return (parent == "/" ? "" : parent) + "/." + name + what;
}

enum SwapResult { SWAP_DONE, SWAP_FAILED, SWAP_UNAVAILABLE };

// Whether the staging folder can later trade places with dir, asked before
// anything is written: two empty folders inside it exchange names (the same
// file system as dir's parent), and dir must not be a mount of its own.
static bool canExchange(const std::string& dir, const std::string& staging)
{
    struct stat a, b;
    if (stat(dir.c_str(), &a) != 0 || stat(staging.c_str(), &b) != 0 || a.st_dev != b.st_dev)
        return false;
    std::string one = staging + "/.probe1", two = staging + "/.probe2";
    if (mkdir(one.c_str(), 0700) != 0 || mkdir(two.c_str(), 0700) != 0)
        return false;
    bool ok = exchangeFolders(one, two);
    rmdir(one.c_str());
    rmdir(two.c_str());
    return ok;
}

// The earlier game, which the swap left in the staging folder, becomes the
// spare for the next save, emptied on a thread of its own: removing or
// emptying 157 files takes longer than the rest of the save.
static void retireOldGame(const std::string& dir, const std::string& staging, const std::string& spare)
{
    std::string used = usedFolderName(sideFolderFor(dir, true, ".used."));
    if (rename(staging.c_str(), used.c_str()) == 0)
        emptySpareLater(parentOf(dir), used, spare);
    else
        removeTree(staging);
}

// The whole game is written into the staging folder beside dir, together with
// hard links to everything of dir that a save does not write (placeholders,
// an intro, ending slides, the player's own files); every file is flushed to
// the disk, the two folders exchange names in one step, and the parent folder
// is flushed, so a save reported done survives a power cut. A kill at any
// moment leaves dir with the complete old or the complete new game;
// leftovers of an interrupted save sit in the staging folder, which nothing
// loads and the next save clears first. The staging folder takes the mode
// and owner of dir. Where that cannot be done exactly (the owner cannot be
// given, something in dir cannot be linked, dir is a mount point, the file
// system cannot exchange folders), the swap is not used: the game is
// written in place instead, checked before any file is written; only a
// refusal that check cannot foresee (a folder on a lower layer of a stacked
// file system, say) ends in writing the game again.
static SwapResult saveBySwap(CGame& g, const std::string& dir, bool exists, const std::string& staging,
                             const std::string& spare)
{
    removeTree(staging);
    if (!takeSpareFolder(spare, staging) && mkdir(staging.c_str(), 0755) != 0)
        return SWAP_UNAVAILABLE;   // e.g. the parent folder is read-only
    if (exists && (!copyModeAndOwner(dir, staging) || !canExchange(dir, staging) || !carryOverExtras(dir, staging))) {
        removeTree(staging);
        return SWAP_UNAVAILABLE;
    }
    if (!writeGameFiles(g, staging, false)) {
        removeTree(staging);
        return SWAP_FAILED;
    }
    bool swapped = exists ? exchangeFolders(staging, dir) : rename(staging.c_str(), dir.c_str()) == 0;
    if (!swapped) {
        int e = errno;
        removeTree(staging);
        if (e == EINVAL || e == ENOSYS || e == EOPNOTSUPP || e == EXDEV || e == EBUSY)
            return SWAP_UNAVAILABLE;
        reportSaveFailure(dir, e);
        return SWAP_FAILED;
    }
    if (!flushFolder(parentOf(dir)))
        return SWAP_FAILED;
    if (exists)
        retireOldGame(dir, staging, spare);
    return SWAP_DONE;
}

// Saves the running game into dir and tells whether every file landed; a
// save that fails leaves the earlier one as it was. The folders are created
// when missing. Saves into one folder, from any number of processes, take
// turns. A save folder that is a symbolic link stays one, and the folder it
// points to stays where it is: the game is written into it in place, as
// everywhere the folder cannot be swapped (see saveBySwap). In place, only
// the game's own files are touched and the new ones replace the old through
// a commit list (see endSaveBatch), so a kill cannot mix two games there
// either.
bool CGame::saveGame(const char* dirName)
{
    std::string dir = dirName;
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (dir.empty())
        dir = ".";
    struct stat lst, st;
    if (lstat(dir.c_str(), &lst) != 0 && !makeFolders(parentOf(dir))) {
        fprintf(stderr, "Saving into %s failed; the earlier save there is unchanged\n", dir.c_str());
        return false;
    }
    finishSpareFolders();
    SaveLock lock(parentOf(dir));
    bool exists = lstat(dir.c_str(), &lst) == 0;
    if (exists && (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))) {
        reportSaveFailure(dir, ENOTDIR);
        return false;
    }
    if (exists && !foldersWritable(dir))
        return false;
    if (!finishInterruptedSave(dir))
        return false;
    std::string staging = exists && S_ISLNK(lst.st_mode) ? "" : sideFolderFor(dir, exists, ".swap");
    SwapResult r = staging.empty() ? SWAP_UNAVAILABLE : saveBySwap(*this, dir, exists, staging, sideFolderFor(dir, exists, ".spare"));
    if (r == SWAP_UNAVAILABLE && writeGameFiles(*this, dir, true))
        r = SWAP_DONE;
    if (r == SWAP_DONE)
        return true;
    fprintf(stderr, "Saving into %s failed; the earlier save there is unchanged\n", dir.c_str());
    return false;
}
