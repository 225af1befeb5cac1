// save-game.cpp -- what a save of the running game does, step by step, over the file-system operations of savefiles.cpp.
#include <cerrno>
#include <cstdio>
#include "game.h"
#include "game-layout.h"
#include "savefiles.h"

// Writes every file of the game into the folder dir, in the order vars.sav,
// characters, items, quests, map.dat, and flushes them to the disk. In place,
// they replace the old files together, by the batch's commit.
static bool writeGameFiles(CGame& g, const std::string& dir, bool inPlace)
{
    if (!makeFolders(dir))
        return false;
    SaveBatch batch;
    beginSaveBatch(batch, dir, inPlace);
    bool ok = writeFileSafely(batch, gameFile(dir, VARS_FILE), [&g](std::ostream& out) { return g.vars.writeTo(out); });
    ok = g.saveActors(batch, dir.c_str()) && ok;
    ok = g.saveItems(batch, dir.c_str()) && ok;
    ok = g.saveQuests(batch, dir.c_str()) && ok;
    ok = writeFileSafely(batch, gameFile(dir, MAP_FILE), [&g](std::ostream& out) { return g.theMap->writeTo(out); }) && ok;
    ok = ok && flushSaveBatch(batch);
    return endSaveBatch(batch, ok);
}

enum SwapResult { SWAP_DONE, SWAP_FAILED, SWAP_UNAVAILABLE };

// The whole game is written into the staging folder beside the game folder,
// which already holds everything else of it; every file is flushed, the two
// folders trade names in one step, and the parent folder is flushed, so a
// save reported done survives a power cut. A kill at any moment leaves the
// game folder with the complete old or the complete new game; leftovers of
// an interrupted save sit in the staging folder, which nothing loads and the
// next save clears first. Where the swap cannot be done exactly, that is
// known before any file is written, and the game is written in place
// instead; only a refusal no check foresees (a folder on a lower layer of a
// stacked file system, say) ends in writing the game again.
static SwapResult saveBySwap(CGame& g, const SaveSite& site)
{
    if (!prepareStaging(site))
        return SWAP_UNAVAILABLE;
    if (!writeGameFiles(g, site.staging, false)) {
        removeTree(site.staging);
        return SWAP_FAILED;
    }
    int e = swapIntoPlace(site);
    if (e == EINVAL || e == ENOSYS || e == EOPNOTSUPP || e == EXDEV || e == EBUSY)
        return SWAP_UNAVAILABLE;
    if (e > 0)
        reportSaveFailure(site.dir, e);
    if (e != 0)
        return SWAP_FAILED;
    if (site.exists)
        retireOldGame(site);
    return SWAP_DONE;
}

// Saves the running game into dirName and tells whether every file landed; a
// save that fails leaves the earlier one as it was. The folders are created
// when missing. Saves into one folder, from any number of processes, take
// turns under the lock of its parent folder. A save cut off after its commit
// is finished first. A save folder that is a symbolic link stays one, and
// the folder it points to stays where it is: the game is written into it in
// place, as everywhere the folder cannot be swapped. In place, only the
// game's own files are touched and the new ones replace the old through a
// commit list (see endSaveBatch), so a kill cannot mix two games there either.
bool CGame::saveGame(const char* dirName)
{
    SaveSite site;
    bool ok = findSaveSite(site, dirName);
    if (ok) {
        finishSpareFolders();
        SaveLock lock(site.parent);
        ok = inspectSaveFolder(site) && finishInterruptedSave(site.dir);
        if (!ok)
            return false;
        SwapResult r = site.staging.empty() ? SWAP_UNAVAILABLE : saveBySwap(*this, site);
        ok = r == SWAP_DONE || (r == SWAP_UNAVAILABLE && writeGameFiles(*this, site.dir, true));
    }
    if (!ok)
        fprintf(stderr, "Saving into %s failed; the earlier save there is unchanged\n", site.dir.c_str());
    return ok;
}
