# The full-play scenario steps its script from SDL_Delay, which every screen calls once a frame.
if(TARGET fullplay_test)
  target_link_options(fullplay_test PRIVATE -Wl,--wrap=SDL_Delay)
endif()
