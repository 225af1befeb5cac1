# quorvane-check: reads a game folder the way the engine does and reports what is wrong with it.
# Its checks are the library quorvane_check, which the tests call in-process too.
add_library(quorvane_check STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/check-folder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/check-records.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/check-world.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/check-reach.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/check-roles.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/check-text.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/check-signs.cpp)
target_include_directories(quorvane_check PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(quorvane_check PUBLIC quorvane_engine quorvane_modkit)
add_executable(quorvane-check ${CMAKE_CURRENT_SOURCE_DIR}/quorvane-check.cpp)
target_link_libraries(quorvane-check PRIVATE quorvane_check)
