// web-main.cpp -- browser start-up glue: the page has mounted the save store and moved into /game.
extern "C" int SDL_main(int argc, char** argv);

int main(int argc, char** argv)
{
    return SDL_main(argc, argv);
}
