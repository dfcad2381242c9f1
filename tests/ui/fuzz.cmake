# Fuzzers for the readers of our own resources, seeded with the real files.
include(${PROJECT_SOURCE_DIR}/cmake/Fuzzer.cmake)
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(VANDREL_QT6GUI QUIET Qt6Gui)
endif()
if(NOT VANDREL_QT6GUI_FOUND)
  message(STATUS "No pkg-config file for Qt6Gui: the RTF and JPEG fuzzers are not built")
  return()
endif()
set(art ${PROJECT_SOURCE_DIR}/resources/art)
# Qt's caches (fonts, the platform) outlive every input: no leak checks.
vandrel_add_fuzzer(fuzz_rtf
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_rtf.cpp ${PROJECT_SOURCE_DIR}/ui/rtfreader.cpp
  FLAGS ${VANDREL_QT6GUI_CFLAGS} ${VANDREL_QT6GUI_LDFLAGS}
  DEPENDS ${PROJECT_SOURCE_DIR}/ui/rtfreader.h
  PREPARE "cp ${PROJECT_SOURCE_DIR}/resources/rules/help.rtf corpus/"
  MAX_LEN 8192
  OPTIONS -detect_leaks=0
  ENVIRONMENT ASAN_OPTIONS=detect_leaks=0)
vandrel_add_fuzzer(fuzz_jpeg
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_jpeg.cpp ${PROJECT_SOURCE_DIR}/ui/jpegimage.cpp
  FLAGS -I${PROJECT_SOURCE_DIR}/ui ${VANDREL_QT6GUI_CFLAGS} ${VANDREL_QT6GUI_LDFLAGS} -ljpeg
  DEPENDS ${PROJECT_SOURCE_DIR}/ui/jpegimage.h
  PREPARE "cp ${art}/strip.jpg ${art}/prompt.jpg corpus/"
  MAX_LEN 20000)
