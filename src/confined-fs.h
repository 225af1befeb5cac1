// confined-fs.h -- opening, making, renaming and removing files below one folder without a link leading out of it.
#pragma once
#include <string>
#include <sys/types.h>

// A folder the player named (a game folder, the save folder, the working
// folder) is opened as named: a link there is the player's own choice, such
// as a save folder kept elsewhere or the installed data/ and tutorial/ folders.
// Below it, every name is opened without following a link, so a folder or
// save from someone else cannot make the engine read, write, rename or
// remove anything outside it. A reader may still follow a link whose real
// path stays inside the folder (a game's own shortcut to one of its files).

// True for a path of plain names below a folder: not empty, not starting
// with '/', no empty, "." or ".." part.
bool isPlainRelative(const std::string& rel);
// The folder part of path ("." when there is none) and its last name.
std::string folderOfPath(const std::string& path);
std::string lastNameOfPath(const std::string& path);
// The path with every link resolved, or "" when it cannot be resolved.
std::string realPathOf(const std::string& path);

// Opens the folder root itself, following a link there. -1 with errno.
int openRootFolder(const std::string& root);
// Opens rel below the open folder rootFd, following no link on the way or at
// the end (O_NOFOLLOW is added to flags). -1 with errno (ELOOP for a link).
int openBelow(int rootFd, const std::string& rel, int flags, mode_t mode = 0);
// Opens the folder that holds rel below rootFd and gives rel's last name.
int openParentBelow(int rootFd, const std::string& rel, std::string& name);
// For reading: opens rel below root, following a link only when its real path
// stays inside root's. -1 with errno; ELOOP when a link leads out.
int openInside(const std::string& root, const std::string& rel, int flags);

// Creates rel below rootFd as a new file for writing (O_EXCL), or empties
// the plain file there when it has no other name. Anything else there is
// removed first; a link, pipe, device or socket there is reported
// and removed (never written through) when removeStray is true, and refused
// (reported, -1) otherwise. A folder there is refused. -1 with errno.
int createBelow(int rootFd, const std::string& rel, bool removeStray, const std::string& shownAs);
// Creates the folder rel below rootFd and its missing parents; something
// other than a folder in the way is reported and removed. False (reported)
// when a folder cannot be made.
bool makeFoldersBelow(int rootFd, const std::string& rel, const std::string& shownAs);
// Writes bytes as the file path, made new (a plain file there is replaced; a
// link or special file there is refused, never written through). False with
// errno when it fails; the caller reports it (a link or special file in the
// way is reported here).
bool writeNewFile(const std::string& path, const std::string& bytes);
// Writes all of bytes to fd; false with errno when it fails.
bool writeAll(int fd, const std::string& bytes);
