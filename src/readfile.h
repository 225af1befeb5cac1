// readfile.h -- the one way the engine reads a file: regular files only, whole, up to a size no game needs.
#pragma once
#include <cstddef>
#include <string>

// Largest file of each kind a game can need; anything larger is refused.
const size_t RECORD_FILE_MAX = 256 * 1024;         // a character, item or quest file, vars.sav
const size_t CONFIG_FILE_MAX = 64 * 1024;          // config.cfg
const size_t MAP_FILE_MAX = 4 * 1024 * 1024;       // map.dat (350 rows of 351 bytes is 123 KB)
const size_t TEXT_FILE_MAX = 4 * 1024 * 1024;      // intro.txt, credits.txt
const size_t PICTURE_FILE_MAX = 16 * 1024 * 1024;  // a PNG or BMP picture, an ending slide
const size_t SOUND_FILE_MAX = 4 * 1024 * 1024;     // a WAV sound effect
const size_t COMMIT_LIST_MAX = 16 * 1024 * 1024;   // a save's commit list: a line per record file
const size_t RECORDING_FILE_MAX = 64 * 1024 * 1024; // a recording: hours of play

// Reads the whole file at `path` into `bytes` when it is a regular file of at
// most `limit` bytes. It is opened without blocking, so that a named pipe or a
// device in a game folder cannot hold the game, and only a regular file is
// read. A file that is there but refused (not a regular file, too large,
// unreadable) is reported on standard error, naming the path; a file that
// does not exist is not reported here, as each caller has its own words for
// that. Either way the answer is false and the caller treats the file as
// missing.
// The file's last name may be a link only to a file in the same folder.
bool readWholeFile(const char* path, size_t limit, std::string& bytes);
// The same for the file rel (plain names) below the folder root: no link on
// the way may lead out of root (confined-fs.h).
bool readFileBelow(const std::string& root, const std::string& rel, size_t limit, std::string& bytes);
