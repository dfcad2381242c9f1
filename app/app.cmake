# The game.
add_executable(vandrel ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(vandrel PRIVATE vandrel_ui)
add_dependencies(vandrel vandrel_sound)
