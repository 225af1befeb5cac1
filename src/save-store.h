// save-store.h -- the step after a save is written: keeping it wherever the platform keeps saves.
#pragma once

// Called once a save into `dir` has been written and flushed. Where the game's folder is not
// itself lasting (a browser keeps it in memory), the save is copied to the lasting store, and
// this returns only once it is there: true when it is, false when it could not be kept. On the
// desktop the files are already where they stay: true at once.
bool storeSavedGame(const char* dir);
