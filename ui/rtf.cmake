# Our own reader for the rich text of the rules document.
add_library(vandrel_rtf STATIC
  ${CMAKE_CURRENT_LIST_DIR}/rtfreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rtfreader.h)
target_include_directories(vandrel_rtf PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vandrel_rtf PUBLIC Qt6::Gui)
