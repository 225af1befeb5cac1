// mediafiles.h -- pictures and sounds read through the bounded file reader, their headers checked before decoding.
#pragma once
#include <string>
#include <SDL.h>
#include <SDL_mixer.h>

// Largest picture the engine's own assets may hold, in pixels each way.
const int ASSET_PICTURE_MAX = 4096;

enum class PictureStatus { Loaded, Missing, TooLarge };

// The width and height a PNG or BMP file's header gives; false for any other
// format or a header too short or impossible to hold a size.
bool pictureSizeOf(const std::string& bytes, int& width, int& height);

// Reads the picture at `path` (readfile.h) and decodes it from memory, as
// loaded (not converted). A picture whose header gives a size beyond
// maxWidth by maxHeight is not decoded: it is reported and counts as
// TooLarge. With `headerRequired`, a picture whose size cannot be read from
// a PNG or BMP header is reported and counts as missing. NULL unless Loaded.
SDL_Surface* loadPictureFile(const char* path, int maxWidth, int maxHeight, bool headerRequired,
                             PictureStatus* status = NULL);

// Why a WAV file's header is unfit for the mixer (no channels, no sample
// rate, a sample size it cannot play, no sound data), or empty when it is fit.
std::string wavProblemOf(const std::string& bytes);

// Reads the sound at `path` (readfile.h) and hands it to the mixer from
// memory once its header has been checked: the mixer's converter cannot
// cope with a sound of no channels or no sample rate. NULL when it is
// missing, refused or damaged (all but a missing file are reported).
Mix_Chunk* loadSoundFile(const char* path);
