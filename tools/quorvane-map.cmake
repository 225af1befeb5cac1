# quorvane-map: a game folder's map to and from the Tiled map editor. The work is in the
# library quorvane_tmx, which the tests call directly.
add_library(quorvane_tmx STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/tmx-xml.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/tmx-folder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/tmx-read.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/tmx-import.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/tmx-export.cpp)
target_include_directories(quorvane_tmx PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
# The engine library for its picture loader (mediafiles.h): tiles are read as the engine reads them.
target_link_libraries(quorvane_tmx PUBLIC quorvane_engine quorvane_picture quorvane_modkit ZLIB::ZLIB)

add_executable(quorvane-map ${CMAKE_CURRENT_SOURCE_DIR}/quorvane-map.cpp)
target_link_libraries(quorvane-map PRIVATE quorvane_tmx)
