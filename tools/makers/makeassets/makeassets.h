// makeassets.h -- the asset maker's five families of pictures and sounds.
#pragma once
#include <string>
#include "game-codes.h"
#include "picture.h"

// The sizes of the desktop icons written under desktop/ ("64x64.png" ...).
const int DESKTOP_ICON_SIZES[] = {32, 64, 128, 256};

// The sprite sets drawn: the nine every game needs, then the four foes of Saltmere with a face of
// their own (9 the Barrow wight, 10 the Mine warden, 11 Captain Redmaw, 12 the Drowned King).
const int SHIPPED_SPRITE_SETS = SPRITE_SETS + 4;

// What sets a boss apart from the common cast it is drawn on (crown, hat, glowing eyes ...),
// painted on a body facing `dir` (FACE_LEFT is drawn as FACE_RIGHT and mirrored afterwards).
void bossTrim(Image& body, int set, int dir, int frame);

// The five asset families; each writes under outDir and counts its files.
bool makeTiles(const std::string& outDir, int& count);
bool makeSprites(const std::string& outDir, int& count);
bool makeItems(const std::string& outDir, int& count);
bool makeIcons(const std::string& outDir, int& count);
bool makeSounds(const std::string& outDir, int& count);
