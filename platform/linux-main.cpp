// linux-main.cpp -- desktop start-up glue: SDL 1.2 leaves main() to us on Linux.
#include "game.h"

int main(int argc, char** argv)
{
    return SDL_main(argc, argv);
}
