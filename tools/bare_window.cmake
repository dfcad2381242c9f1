# The bare Qt window that tools/measure.sh measures the game's start-up
# against; it decodes its picture as the game does.
add_executable(vandrel-bare-window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
target_link_libraries(vandrel-bare-window PRIVATE vandrel_jpeg Qt6::Widgets)
