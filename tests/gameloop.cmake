# The game loop tests run on a clock of their own (SDL_GetTicks is wrapped) and feed keys at frame
# ends (SDL_Delay is wrapped).
target_sources(gameloop_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/clock/fakeclock.cpp)
target_include_directories(gameloop_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/clock)
target_link_options(gameloop_test PRIVATE -Wl,--wrap=SDL_GetTicks)
target_link_options(gameloop_test PRIVATE -Wl,--wrap=SDL_Delay)
