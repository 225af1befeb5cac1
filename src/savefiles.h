// savefiles.h -- file-system steps of a save: the batch of files being written, flushing, stale records, the folder swap.
#pragma once
#include <functional>
#include <string>

// Writes a file through a callback that is given the path to write.
typedef std::function<bool(const char* path)> FileWriter;

// Reports on standard error that path could not be saved, with the reason.
void reportSaveFailure(const std::string& path, int err);
// Creates the folder and any missing parents; false (reported) when it
// cannot, or when something other than a folder is in the way.
bool makeFolders(const std::string& path);

// A save writes its files as one batch. Staged into a fresh folder, each file
// is written under its own name; written in place, it goes to "<path>.part"
// and replaces path when the batch is committed. Only one batch at a time.
void beginSaveBatch(bool inPlace);
// Writes path (or its ".part") through write and starts pushing it to the
// disk. Failures are reported.
bool writeFileSafely(const std::string& path, const FileWriter& write);
// Waits until every file of the batch is on the disk, then flushes the given
// folders. False (reported) when a file cannot be flushed.
bool flushSaveBatch(const std::string* folders, int count);
// Ends the batch; in place, puts every written file under its own name.
bool endSaveBatch();

// True for the names a numbered series is read from: "0.def", "17.def", ...
// (no sign, no leading zero), and with part true also for their ".part" files.
bool isRecordFileName(const std::string& name, bool part, long* number);
// Removes the record files numbered first and above, and leftover ".part"
// files, from a series folder. Removing first.def is done before anything
// else, so that an interrupted removal still ends the series there.
bool removeStaleRecords(const std::string& folder, int first);

// Removes a file or a folder with everything in it; symbolic links are
// removed, never followed. A missing path is not an error.
bool removeTree(const std::string& path);
// Removes the folder on a thread of its own, so that the player's frame does
// not wait for it; the previous such removal is finished first.
void removeTreeLater(const std::string& path);
// Waits for a removal handed to removeTreeLater. Also done at exit.
void finishRemovals();
// Links into the new folder `to` everything of the game folder `from` that a
// save does not write itself (placeholders, intro.txt, ending slides, ...).
bool carryOverExtras(const std::string& from, const std::string& to);
// Swaps the two folders' names in one step. False with errno set when it
// fails, ENOSYS or EINVAL when the system or file system cannot do it.
bool exchangeFolders(const std::string& a, const std::string& b);
// Pushes a folder's entries (names created, renamed or removed) to the disk.
bool flushFolder(const std::string& path);
