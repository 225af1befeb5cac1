# quorvane-new: the new-game scaffold, a small complete game written with the engine's record
# writers and the picture kit (its one ending slide).
add_executable(quorvane-new ${CMAKE_CURRENT_SOURCE_DIR}/quorvane-new.cpp)
target_link_libraries(quorvane-new PRIVATE quorvane_records quorvane_picture)
