# myfunc: the screen-mode switch (XRandR), its guardian process and the quit signals.
find_package(X11 REQUIRED)
if(NOT TARGET X11::Xrandr)
  message(FATAL_ERROR "vandrel_myfunc needs libXrandr (libxrandr-dev)")
endif()

add_library(vandrel_myfunc STATIC
  ${CMAKE_CURRENT_LIST_DIR}/myfunc.h
  ${CMAKE_CURRENT_LIST_DIR}/myfunc.cpp)
target_include_directories(vandrel_myfunc PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vandrel_myfunc PUBLIC Qt6::Core PRIVATE X11::Xrandr X11::X11)
