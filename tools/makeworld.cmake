# makeworld: builds the shipped game (data/) and the tutorial (tutorial/) from the sources in content/,
# writing the records and the map with the engine's own writers and the ending slides with the picture kit.
file(GLOB MAKEWORLD_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/makeworld*.cpp)
add_executable(makeworld ${MAKEWORLD_SOURCES})
target_link_libraries(makeworld PRIVATE quorvane_records quorvane_picture)
