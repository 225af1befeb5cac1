# The start-up tests see the window icon the engine hands to SDL.
target_link_options(startup_test PRIVATE -Wl,--wrap=SDL_WM_SetIcon)
