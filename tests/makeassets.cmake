# assets_test runs the asset maker, so it needs the tool built first and zlib to read PNGs back.
find_package(ZLIB REQUIRED)
add_dependencies(assets_test makeassets)
target_link_libraries(assets_test PRIVATE ZLIB::ZLIB)
target_compile_definitions(assets_test PRIVATE
  MAKEASSETS_PATH="$<TARGET_FILE:makeassets>"
  ASSETS_DIR="${CMAKE_SOURCE_DIR}/data/assets")
