# The main window, the board view and the Qt side of the presentation seam.
add_library(vandrel_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/vandu.h
  ${CMAKE_CURRENT_LIST_DIR}/vandu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vandu_widgets.h
  ${CMAKE_CURRENT_LIST_DIR}/vandu_widgets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vandu_dialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/vandu_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board.h
  ${CMAKE_CURRENT_LIST_DIR}/board.cpp
  ${PROJECT_SOURCE_DIR}/resources/art.qrc
  ${PROJECT_SOURCE_DIR}/resources/sounds.qrc
  ${PROJECT_SOURCE_DIR}/resources/help.qrc)
target_include_directories(vandrel_ui PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vandrel_ui PUBLIC
  vandrel_control vandrel_jpeg vandrel_sfx vandrel_rtf vandrel_myfunc Qt6::Widgets)
if(TARGET vandrel_dialogs)
  target_link_libraries(vandrel_ui PUBLIC vandrel_dialogs)
  target_compile_definitions(vandrel_ui PRIVATE VANDREL_HAVE_DIALOGS=1)
endif()
