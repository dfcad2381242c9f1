# vandrel-artgen: draws the game's pictures (resources/art, see tools/make-art.sh).
find_package(JPEG REQUIRED)

add_executable(vandrel-artgen
  ${CMAKE_CURRENT_LIST_DIR}/artgen/art.h
  ${CMAKE_CURRENT_LIST_DIR}/artgen/board.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/common.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/writers.cpp)
target_link_libraries(vandrel-artgen PRIVATE Qt6::Gui JPEG::JPEG)
set_target_properties(vandrel-artgen PROPERTIES AUTOMOC OFF AUTORCC OFF)
