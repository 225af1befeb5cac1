# makeworld: builds the shipped game (data/) and the tutorial (tutorial/) from the sources in content/.
# It borrows the asset maker's picture kit (drawing and the PNG writer) for the ending slides.
find_package(ZLIB REQUIRED)
file(GLOB MAKEWORLD_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/makeworld*.cpp)
add_executable(makeworld ${MAKEWORLD_SOURCES}
  ${CMAKE_CURRENT_SOURCE_DIR}/makeassets-draw.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/makeassets-png.cpp)
target_link_libraries(makeworld PRIVATE quorvane_engine ZLIB::ZLIB)
