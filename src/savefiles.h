// savefiles.h -- the file-system operations a save is made of: the batch of files being written, flushing, stale records (savefiles.cpp), the folder swap (save-swap.cpp).
#pragma once
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

// Writes a file's bytes into the stream it is given.
typedef std::function<bool(std::ostream& out)> FileWriter;

// Reports on standard error that path could not be saved, with the reason.
void reportSaveFailure(const std::string& path, int err);
// The reason the last reportSaveFailure gave, for the player's message line; reading it
// forgets it.
std::string lastSaveFailure();
// Creates the folder and any missing parents; false (reported) when it
// cannot, or when something other than a folder is in the way.
bool makeFolders(const std::string& path);
// Removes a file (gone already counts as removed); false, reported, when it cannot be.
bool removeFile(const std::string& path);
// The names in a folder but "." and ".."; false when it cannot be read.
bool listFolder(const std::string& path, std::vector<std::string>& names);

// Holds an advisory lock on a folder (the one a game folder sits in) while
// it lives, so that two copies of the game never save into it at once.
class SaveLock
{
public:
    explicit SaveLock(const std::string& folder);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

private:
    int fd_ = -1;
};

// A save writes the files of the game folder dir as one batch. Staged into a
// fresh folder, each file is written under its own name; written in place,
// each goes to "<path>.part" and the batch's commit puts it in place, with
// the stale records' removal, all or nothing. The batch's folder is opened
// once; everything below it is reached without following links. Files are
// closed as soon as they are handed to the disk.
struct SaveBatch
{
    std::string dir;
    int rootFd = -1;
    bool inPlace = false;
    bool failed = false;
    std::vector<std::string> paths;      // below dir, the names the files end up under
    std::vector<std::string> removals;   // stale records below dir, removed by the commit
    std::vector<std::pair<std::string, int>> folders;   // series folders opened, below dir

    SaveBatch() = default;
    SaveBatch(const SaveBatch&) = delete;
    SaveBatch& operator=(const SaveBatch&) = delete;
    ~SaveBatch() { close(); }
    // The name file i is written under: its own, or in place its ".part".
    std::string written(size_t i) const;
    // The open folder (below dir) that the file rel is in; -1 when not open.
    int folder(const std::string& rel) const;
    // The same, opened when it is not yet.
    int openFolder(const std::string& rel);
    void close();
};

void beginSaveBatch(SaveBatch& batch, const std::string& dir, bool inPlace);
// Makes the folder path below the batch's folder (reported when it cannot be
// made; a file or link in its place is removed).
bool makeSaveFolder(SaveBatch& batch, const std::string& path);
// Writes path (or its ".part"), a new file below the batch's folder, through
// write and starts pushing it to the disk. Failures are reported.
bool writeFileSafely(SaveBatch& batch, const std::string& path, const FileWriter& write);
// Waits until every file of the batch is on the disk (sixteen at a time,
// each opened again), then flushes the game folder and its series folders.
// False (reported) when that fails.
bool flushSaveBatch(SaveBatch& batch);
// Ends the batch. In place and with ok: writes the commit list, flushes it,
// and carries it out; without ok, removes the ".part" files. Returns whether
// the new game is in place.
bool endSaveBatch(SaveBatch& batch, bool ok);
// Carries out the commit list of a save into dir cut off after its commit.
// Nothing to do (true) when there is none.
bool finishInterruptedSave(const std::string& dir);

// Removes leftover ".part" files from a series folder, and the record files
// numbered first and above; in place, those go on the batch's commit list.
bool removeStaleRecords(SaveBatch& batch, const std::string& folder, int first);

// Removes a file or a folder with everything in it; symbolic links are
// removed, never followed, and another file system mounted below is left
// alone. A missing path is not an error.
bool removeTree(const std::string& path);
// Where a save into one game folder goes. parent holds the save lock.
// staging (".save.swap" beside "save") is where the new game is written
// before the two folders trade names, spare (".save.spare") the emptied
// earlier game that the next save writes into; staging is empty where the
// folder is written in place instead.
struct SaveSite
{
    std::string dir, parent, staging, spare;
    bool exists = false;
};
// The site of a save into dirName: trailing slashes dropped, and the parent
// made when the folder is missing. False (reported) when it cannot be.
bool findSaveSite(SaveSite& site, const char* dirName);
// Looks at the folder under the save lock: false (reported) when it is no
// folder, or a folder of it is read-only (a swap would replace it behind its
// owner's back). Chooses between the swap and writing in place: a linked
// folder, the working folder or one holding it, is written in place.
bool inspectSaveFolder(SaveSite& site);
// Readies the staging folder: the spare (or a new folder) with the mode and
// owner of the game folder and hard links to everything of it that a save
// does not write itself (placeholders, intro.txt, ending slides, the
// player's own files). False where that cannot be done exactly (the owner
// cannot be given, something cannot be linked, the folder is a mount point,
// the file system cannot exchange folders): the game is then written in place.
bool prepareStaging(const SaveSite& site);
// The staging folder and the game folder trade names in one step (a new
// game folder is simply renamed), and the parent is flushed. 0 when done;
// -1 when the flush failed (reported); otherwise errno, not reported.
int swapIntoPlace(const SaveSite& site);
// The staging folder, which now holds the earlier game, becomes the spare
// for the next save: renamed to a name of this process's own, its game files
// cut to nothing on a thread of its own, everything else removed, and
// renamed to spare. So the next save writes into files that exist instead of
// making 157 new ones, and the player's frame waits for neither. Spares are
// removed when the process ends (removeSpareFolders), folders left by killed
// processes on the way.
void retireOldGame(const SaveSite& site);
// Waits for the spare being emptied. Call before taking the save lock.
void finishSpareFolders();
// Removes the spare folders this process made; done at exit, and needed
// before leaving a forked process with _exit.
void removeSpareFolders();
// Pushes a folder's entries (names created, renamed or removed) to the disk.
bool flushFolder(const std::string& path);
