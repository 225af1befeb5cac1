// web-main.cpp -- browser start-up glue (the page has mounted the save store and moved into /game),
// and keeping a written save in the browser's lasting store before play goes on.
#include <emscripten.h>
#include "save-store.h"

extern "C" int SDL_main(int argc, char** argv);

// The page copies save/ into IndexedDB; the game waits (yielding to the page) until it is stored.
EM_ASYNC_JS(int, waitForSaveStore, (), {
    return await quorvaneStoreSavesNow();
});

bool storeSavedGame(const char*)
{
    return waitForSaveStore() != 0;
}

// The game's end is the page's: the runtime is ended whatever timers are still pending, so
// that the page hears the exit status (the tab's status line says the game has ended).
int main(int argc, char** argv)
{
    int status = SDL_main(argc, argv);
    emscripten_force_exit(status);
    return status;
}
