# keyfeed: preloaded into the installed game (LD_PRELOAD) by the test command's
# install and package checks, to play it headless from a list of keys.
add_library(quorvane_keyfeed MODULE ${CMAKE_CURRENT_SOURCE_DIR}/keyfeed/keyfeed.cpp)
target_include_directories(quorvane_keyfeed PRIVATE ${SDLLIBS_INCLUDE_DIRS})
target_compile_options(quorvane_keyfeed PRIVATE ${SDLLIBS_CFLAGS_OTHER})
target_link_libraries(quorvane_keyfeed PRIVATE ${SDLLIBS_LIBRARIES} ${CMAKE_DL_LIBS})
