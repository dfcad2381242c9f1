# The game's dialogs: the prompt (with the message boxes and file dialogs),
# the options dialog and the about box.
if(NOT TARGET vandrel_dialogs)
  add_library(vandrel_dialogs STATIC
    ${CMAKE_CURRENT_LIST_DIR}/dialogstyle.h
    ${CMAKE_CURRENT_LIST_DIR}/dialogstyle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/promptu.h
    ${CMAKE_CURRENT_LIST_DIR}/promptu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Optionu.h
    ${CMAKE_CURRENT_LIST_DIR}/Optionu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/logou.h
    ${CMAKE_CURRENT_LIST_DIR}/logou.cpp)
  target_include_directories(vandrel_dialogs PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(vandrel_dialogs PUBLIC Qt6::Widgets PRIVATE vandrel_jpeg vandrel_scaling)
endif()
