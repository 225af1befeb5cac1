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

Mix_Chunk* loadSoundFile(const char* path)
{
    std::string bytes;
    if (!readWholeFile(path, SOUND_FILE_MAX, bytes))
        return NULL;
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), (int)bytes.size()), 1);
}
