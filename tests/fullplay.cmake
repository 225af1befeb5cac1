# The full-play scenarios step their scripts from SDL_Delay, which every screen calls once a
# frame, and run on the test clock (SDL_GetTicks wrapped) so that they play the same everywhere.
if(TARGET fullplay_test)
  target_sources(fullplay_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/clock/fakeclock.cpp)
  target_include_directories(fullplay_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/clock)
  target_link_options(fullplay_test PRIVATE -Wl,--wrap=SDL_Delay -Wl,--wrap=SDL_GetTicks)
endif()
