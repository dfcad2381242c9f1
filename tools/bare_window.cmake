# The bare Qt window that tools/measure.sh measures the game's start-up against.
add_executable(vandrel-bare-window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
target_link_libraries(vandrel-bare-window PRIVATE Qt6::Widgets)
