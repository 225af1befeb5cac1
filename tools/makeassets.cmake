# makeassets: draws and writes every picture and sound under data/assets (except the font).
file(GLOB MAKEASSETS_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/makeassets*.cpp)
add_executable(makeassets ${MAKEASSETS_SOURCES})
target_link_libraries(makeassets PRIVATE quorvane_picture)
# The engine's codes header (tile, icon and sound numbers, the tile size); nothing else of src/.
target_include_directories(makeassets PRIVATE ${CMAKE_SOURCE_DIR}/src)
