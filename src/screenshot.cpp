// screenshot.cpp -- saving the window as a BMP picture.
#include <cstdio>
#include <unistd.h>
#include "confined-fs.h"
#include "game.h"

// The picture goes to a new file: a link or a special file planted under the
// screenshot's name is removed, never written through.
bool CGame::saveScreenshot(const char* file)
{
    int rootFd = openRootFolder(folderOfPath(file));
    int fd = rootFd < 0 ? -1 : createBelow(rootFd, lastNameOfPath(file), true, file);
    if (rootFd >= 0)
        close(rootFd);
    FILE* f = fd < 0 ? NULL : fdopen(fd, "wb");
    if (!f && fd >= 0)
        close(fd);
    SDL_RWops* rw = f ? SDL_RWFromFP(f, SDL_TRUE) : NULL;
    if (!f || !rw || SDL_SaveBMP_RW(screen, rw, 1) != 0) {
        if (f && !rw)
            fclose(f);
        fprintf(stderr, "Could not write the screenshot %s: %s\n", file, f ? SDL_GetError() : "cannot be created");
        return false;
    }
    return true;
}
