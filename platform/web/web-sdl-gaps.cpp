// web-sdl-gaps.cpp -- what the browser's SDL leaves out at link time: the display format, font
// hinting and kerning, a BMP writer, and the kernel's write-back hint.
#include <cstdio>
#include <fcntl.h>
#include <vector>
#include <SDL.h>
#include <SDL_ttf.h>

extern "C" {

// The window's surface is 32-bit; pictures are converted to it, keeping what alpha they have.
SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface)
{
    return SDL_DisplayFormatAlpha(surface);
}

// The browser draws text with its own rasteriser; these settings have nothing to act on.
void TTF_SetFontHinting(TTF_Font*, int) {}
void TTF_SetFontKerning(TTF_Font*, int) {}

// Writing to a stdio stream, for the screenshot; reading and seeking are not needed there.
static size_t writeToFile(SDL_RWops* rw, const void* p, size_t size, size_t n)
{
    return fwrite(p, size, n, (FILE*)rw->hidden.unknown.data1);
}

static int closeFile(SDL_RWops* rw)
{
    int rc = rw->type ? fclose((FILE*)rw->hidden.unknown.data1) : 0;
    delete rw;
    return rc == 0 ? 0 : -1;
}

SDL_RWops* SDL_RWFromFP(void* fp, SDL_bool autoclose)
{
    if (!fp)
        return NULL;
    SDL_RWops* rw = new SDL_RWops();
    rw->write = writeToFile;
    rw->close = closeFile;
    rw->hidden.unknown.data1 = fp;
    rw->type = autoclose ? 1 : 0;   // kept here: whether closing closes the stream
    return rw;
}

// The browser's file system has no write-back queue to start.
int sync_file_range(int, off_t, off_t, unsigned int)
{
    return 0;
}

} // extern "C"

namespace {

void put16(std::vector<Uint8>& b, Uint32 v)
{
    b.push_back((Uint8)v);
    b.push_back((Uint8)(v >> 8));
}

void put32(std::vector<Uint8>& b, Uint32 v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

} // namespace

// A 24-bit picture, rows bottom up, as the desktop writes it.
int webSaveBMP_RW(SDL_Surface* s, SDL_RWops* dst, int freedst)
{
    int result = -1;
    if (s && dst) {
        const Uint32 rowBytes = (Uint32)((s->w * 3 + 3) & ~3);
        const Uint32 size = 54 + rowBytes * (Uint32)s->h;
        std::vector<Uint8> b;
        b.reserve(size);
        b.push_back('B');
        b.push_back('M');
        put32(b, size);
        put32(b, 0);
        put32(b, 54);
        put32(b, 40);
        put32(b, (Uint32)s->w);
        put32(b, (Uint32)s->h);
        put16(b, 1);
        put16(b, 24);
        put32(b, 0);
        put32(b, rowBytes * (Uint32)s->h);
        put32(b, 2835);
        put32(b, 2835);
        put32(b, 0);
        put32(b, 0);
        SDL_LockSurface(s);
        for (int y = s->h - 1; y >= 0; y--) {
            const Uint8* row = (const Uint8*)s->pixels + y * s->pitch;
            for (int x = 0; x < s->w; x++) {
                Uint32 p = 0;
                const Uint8* at = row + x * s->format->BytesPerPixel;
                for (int i = 0; i < s->format->BytesPerPixel; i++)
                    p |= (Uint32)at[i] << (8 * i);
                Uint8 r, g, bl;
                SDL_GetRGB(p, s->format, &r, &g, &bl);
                b.push_back(bl);
                b.push_back(g);
                b.push_back(r);
            }
            for (int pad = s->w * 3; pad < (int)rowBytes; pad++)
                b.push_back(0);
        }
        SDL_UnlockSurface(s);
        if ((size_t)dst->write(dst, b.data(), 1, b.size()) == b.size())
            result = 0;
    }
    if (dst && freedst)
        dst->close(dst);
    return result;
}
