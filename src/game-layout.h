// game-layout.h -- the names of a game folder's files and folders, and how a numbered series of records is read.
#pragma once
#include <string>

// A game folder holds:
//   vars.sav           the game's variables
//   map.dat            the tile map
//   npcdef/N.def       the characters, N = 0, 1, 2, ...
//   idef/N.def         the items
//   qdef/N.def         the quests
//   intro.txt          the text shown before play (optional)
//   ending/N.png       the ending's slides (optional)
// A numbered series starts at 0 and ends at its first missing number: files
// past a gap are never read.
extern const char* const VARS_FILE;
extern const char* const MAP_FILE;
extern const char* const INTRO_FILE;
extern const char* const CHARACTER_FOLDER;
extern const char* const ITEM_FOLDER;
extern const char* const QUEST_FOLDER;
// The three series folders, in the order a save writes them.
extern const char* const SERIES_FOLDERS[3];

// dir/name, for a file of the game folder dir.
std::string gameFile(const std::string& dir, const char* name);
// "N.def", the name of record N of a series.
std::string recordFileName(int number);
// dir/folder/N.def
std::string recordFile(const std::string& dir, const char* folder, int number);
// dir/ending/N.png
std::string endingSlide(const std::string& dir, int number);

// True for the names a numbered series is read from: "0.def", "17.def", ...
// (no sign, no leading zero), and with part true also for their ".part" files.
bool isRecordFileName(const std::string& name, bool part, long* number);
// vars.sav and map.dat: the files of the game folder itself that a save writes.
bool isGameFileName(const std::string& name);
bool isSeriesFolder(const std::string& name);
