// mediafiles.cpp -- pictures and sounds read through the bounded file reader, their headers checked before decoding.
#include "mediafiles.h"
#include <cstdio>
#include <cstring>
#include <SDL_image.h>
#include "readfile.h"

namespace {

Uint32 bigEndian32(const std::string& b, size_t at)
{
    return ((Uint32)(Uint8)b[at] << 24) | ((Uint32)(Uint8)b[at + 1] << 16) | ((Uint32)(Uint8)b[at + 2] << 8) |
           (Uint32)(Uint8)b[at + 3];
}

Uint32 littleEndian32(const std::string& b, size_t at)
{
    return ((Uint32)(Uint8)b[at + 3] << 24) | ((Uint32)(Uint8)b[at + 2] << 16) | ((Uint32)(Uint8)b[at + 1] << 8) |
           (Uint32)(Uint8)b[at];
}

Uint16 littleEndian16(const std::string& b, size_t at)
{
    return (Uint16)(((Uint8)b[at + 1] << 8) | (Uint8)b[at]);
}

// Lowest and highest sample rates a sound effect may have, in Hz; the mixer
// converts every sound to its own rate, and a very low one would blow a small
// file up into a huge one.
const Uint32 WAV_RATE_MIN = 8000;
const Uint32 WAV_RATE_MAX = 192000;

} // namespace

bool pictureSizeOf(const std::string& b, int& width, int& height)
{
    static const char PNG_SIGNATURE[] = "\x89PNG\r\n\x1a\n";
    Uint32 w = 0, h = 0;
    if (b.size() >= 24 && b.compare(0, 8, PNG_SIGNATURE, 8) == 0 && b.compare(12, 4, "IHDR") == 0) {
        w = bigEndian32(b, 16);
        h = bigEndian32(b, 20);
    } else if (b.size() >= 26 && b.compare(0, 2, "BM") == 0) {
        Uint32 info = littleEndian32(b, 14);
        if (info == 12) {
            w = littleEndian16(b, 18);
            h = littleEndian16(b, 20);
        } else if (info >= 40) {
            w = littleEndian32(b, 18);
            Sint32 rows = (Sint32)littleEndian32(b, 22);   // negative: stored top row first
            h = rows == INT32_MIN ? 0 : (Uint32)(rows < 0 ? -rows : rows);
        }
    }
    if (w == 0 || h == 0 || w > 0x7fffffff || h > 0x7fffffff)
        return false;
    width = (int)w;
    height = (int)h;
    return true;
}

SDL_Surface* loadPictureFile(const char* path, int maxWidth, int maxHeight, bool headerRequired,
                             PictureStatus* status)
{
    PictureStatus ignored;
    PictureStatus& st = status ? *status : ignored;
    st = PictureStatus::Missing;
    std::string bytes;
    if (!readWholeFile(path, PICTURE_FILE_MAX, bytes))
        return NULL;
    int w = 0, h = 0;
    if (pictureSizeOf(bytes, w, h)) {
        if (w > maxWidth || h > maxHeight) {
            fprintf(stderr, "%s is %i by %i pixels, larger than %i by %i; not shown\n", path, w, h, maxWidth,
                    maxHeight);
            st = PictureStatus::TooLarge;
            return NULL;
        }
    } else if (headerRequired) {
        fprintf(stderr, "%s is not a PNG or BMP picture; treated as missing\n", path);
        return NULL;
    }
    SDL_Surface* s = IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), (int)bytes.size()), 1);
    if (s)
        st = PictureStatus::Loaded;
    return s;
}

std::string wavProblemOf(const std::string& b)
{
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        return "not a WAV sound";
    bool haveFormat = false, haveData = false;
    Uint16 tag = 0, channels = 0, align = 0, bits = 0;
    Uint32 rate = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
        Uint32 size = littleEndian32(b, at + 4);
        size_t body = at + 8;
        size_t left = b.size() - body;
        if (b.compare(at, 4, "fmt ") == 0 && !haveFormat) {
            if (size < 16 || left < 16)
                return "its format chunk is too short";
            haveFormat = true;
            tag = littleEndian16(b, body);
            channels = littleEndian16(b, body + 2);
            rate = littleEndian32(b, body + 4);
            align = littleEndian16(b, body + 12);
            bits = littleEndian16(b, body + 14);
        } else if (b.compare(at, 4, "data") == 0) {
            haveData = size > 0 && left > 0;
            break;
        }
        if (size >= left)
            break;
        at = body + size + (size & 1);
    }
    if (!haveFormat)
        return "it has no format chunk";
    if (channels < 1 || channels > 2)
        return "it has " + std::to_string(channels) + " channels";
    if (rate < WAV_RATE_MIN || rate > WAV_RATE_MAX)
        return "its sample rate is " + std::to_string(rate) + " Hz";
    if (align == 0)
        return "its block size is 0";
    bool pcm = tag == 1 && (bits == 8 || bits == 16);
    bool adpcm = (tag == 2 || tag == 0x11) && bits == 4;
    if (!pcm && !adpcm)
        return "its samples (format " + std::to_string(tag) + ", " + std::to_string(bits) + " bits) cannot be played";
    if (!haveData)
        return "it holds no sound";
    return "";
}

Mix_Chunk* loadSoundFile(const char* path)
{
    std::string bytes;
    if (!readWholeFile(path, SOUND_FILE_MAX, bytes))
        return NULL;
    std::string problem = wavProblemOf(bytes);
    if (!problem.empty()) {
        fprintf(stderr, "%s is damaged (%s); it stays silent\n", path, problem.c_str());
        return NULL;
    }
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), (int)bytes.size()), 1);
}
