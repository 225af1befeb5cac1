// savefiles.h -- file-system steps of a save: the batch of files being written, flushing, stale records, the folder swap.
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

// True for the names a numbered series is read from: "0.def", "17.def", ...
// (no sign, no leading zero), and with part true also for their ".part" files.
bool isRecordFileName(const std::string& name, bool part, long* number);
// Removes leftover ".part" files from a series folder, and the record files
// numbered first and above; in place, those go on the batch's commit list.
bool removeStaleRecords(SaveBatch& batch, const std::string& folder, int first);

// Removes a file or a folder with everything in it; symbolic links are
// removed, never followed, and another file system mounted below is left
// alone. A missing path is not an error.
bool removeTree(const std::string& path);
// The staging folder left holding the earlier game after a swap becomes the
// spare for the next save. It is renamed to used (usedFolderName: a name of
// this process's own); on a thread of its own its game files are cut to
// nothing, everything else is removed, and it is renamed to spare. So the
// next save writes into files that exist instead of making 157 new ones, and
// the player's frame waits for neither. Spares are removed when the process
// ends (removeSpareFolders), folders left by killed processes on the way.
std::string usedFolderName(const std::string& prefix);
void emptySpareLater(const std::string& lockFolder, const std::string& used, const std::string& spare);
// Makes the spare folder the staging folder, keeping only the game's own
// files in it. False when there is no spare.
bool takeSpareFolder(const std::string& spare, const std::string& staging);
// Waits for the spare being emptied. Call before taking the save lock.
void finishSpareFolders();
// Removes the spare folders this process made; done at exit, and needed
// before leaving a forked process with _exit.
void removeSpareFolders();
// Gives the folder `to` the mode and owner of the folder `from` (false when
// the process may not set that owner).
bool copyModeAndOwner(const std::string& from, const std::string& to);
// Hard links into the new folder `to` everything of the game folder `from`
// that a save does not write itself (placeholders, intro.txt, ending slides,
// the player's own files), folders with their mode and owner. False when
// something cannot be carried over exactly (another file system mounted
// there, a folder that cannot be read, a file that cannot be linked): the
// game must then be written in place.
bool carryOverExtras(const std::string& from, const std::string& to);
// Swaps the two folders' names in one step. False with errno set when it
// fails, ENOSYS or EINVAL when the system or file system cannot do it.
bool exchangeFolders(const std::string& a, const std::string& b);
// Pushes a folder's entries (names created, renamed or removed) to the disk.
bool flushFolder(const std::string& path);
