# The shipped game played from New Game to its ending: the script steps from SDL_Delay, which every
# screen calls once a frame, on the test clock (SDL_GetTicks wrapped).
if(TARGET shippedplay_test)
  target_sources(shippedplay_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/clock/fakeclock.cpp)
  target_include_directories(shippedplay_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/clock)
  target_link_options(shippedplay_test PRIVATE -Wl,--wrap=SDL_Delay -Wl,--wrap=SDL_GetTicks)
endif()
