# Random play drives every screen from SDL_Delay.
foreach(t chaos_test hostile_test)
  if(TARGET ${t})
    target_link_options(${t} PRIVATE -Wl,--wrap=SDL_Delay)
  endif()
endforeach()
