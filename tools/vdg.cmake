add_executable(vandrel-vdg ${CMAKE_CURRENT_LIST_DIR}/vdg/main.cpp)
target_link_libraries(vandrel-vdg PRIVATE vandrel_control)
