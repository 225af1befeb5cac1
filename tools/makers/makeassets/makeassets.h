// makeassets.h -- the asset maker's five families of pictures and sounds.
#pragma once
#include <string>
#include "game-codes.h"
#include "picture.h"

// The sizes of the desktop icons written under desktop/ ("64x64.png" ...).
const int DESKTOP_ICON_SIZES[] = {32, 64, 128, 256};

// The five asset families; each writes under outDir and counts its files.
bool makeTiles(const std::string& outDir, int& count);
bool makeSprites(const std::string& outDir, int& count);
bool makeItems(const std::string& outDir, int& count);
bool makeIcons(const std::string& outDir, int& count);
bool makeSounds(const std::string& outDir, int& count);
