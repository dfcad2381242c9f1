# The game, and its command line (which must work without a display, so it
# asks X itself whether the display opens before Qt would abort).
find_package(X11 REQUIRED)
add_executable(vandrel
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmdline.h
  ${CMAKE_CURRENT_LIST_DIR}/cmdline.cpp)
target_compile_definitions(vandrel PRIVATE VANDREL_VERSION="${PROJECT_VERSION}")
target_link_libraries(vandrel PRIVATE vandrel_ui X11::X11)
add_dependencies(vandrel vandrel_sound)
