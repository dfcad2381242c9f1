# The scaled layout: fitting the 800 x 600 layout into any client area, used
# by the main window and the dialogs.
add_library(vandrel_scaling STATIC
  ${CMAKE_CURRENT_LIST_DIR}/scaling.h
  ${CMAKE_CURRENT_LIST_DIR}/scaling.cpp)
target_include_directories(vandrel_scaling PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vandrel_scaling PUBLIC Qt6::Widgets)
