# The shop, gambling and screen tests read back the text the engine draws
# (textlog.h); the slide-show tests also run on the test clock.
foreach(t shop_test gambling_test screens_test)
  if(TARGET ${t})
    target_link_options(${t} PRIVATE -Wl,--wrap=TTF_RenderText_Solid -Wl,--wrap=SDL_UpperBlit)
  endif()
endforeach()
if(TARGET screens_test)
  target_sources(screens_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/clock/fakeclock.cpp)
  target_include_directories(screens_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/clock)
  target_link_options(screens_test PRIVATE -Wl,--wrap=SDL_GetTicks)
endif()
# The gambling tests step the table frame by frame from SDL_Delay.
if(TARGET gambling_test)
  target_link_options(gambling_test PRIVATE -Wl,--wrap=SDL_Delay)
endif()
# The shop tests push their keys from SDL_Delay, frame by frame.
if(TARGET shop_test)
  target_link_options(shop_test PRIVATE -Wl,--wrap=SDL_Delay)
endif()
# Tests that feed input with EventScript step it from SDL_Delay.
foreach(t menu_test inventory_test screens_test)
  if(TARGET ${t})
    target_link_options(${t} PRIVATE -Wl,--wrap=SDL_Delay)
  endif()
endforeach()
