# The fight display tests drive the banner and a whole fight on a clock of their own.
target_sources(fightdisplay_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/clock/fakeclock.cpp)
target_include_directories(fightdisplay_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/clock)
target_link_options(fightdisplay_test PRIVATE -Wl,--wrap=SDL_GetTicks)
target_link_options(fightdisplay_test PRIVATE -Wl,--wrap=SDL_Flip)
