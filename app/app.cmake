# The game, and its command line (which must work without a display: it is
# read before Qt starts, and a display Qt cannot open is told in one line).
add_executable(vandrel
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmdline.h
  ${CMAKE_CURRENT_LIST_DIR}/cmdline.cpp)
target_compile_definitions(vandrel PRIVATE VANDREL_VERSION="${PROJECT_VERSION}")
target_link_libraries(vandrel PRIVATE vandrel_ui)
add_dependencies(vandrel vandrel_sound)
