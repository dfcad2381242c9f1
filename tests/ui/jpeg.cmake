# The JPEG adapter, with the game's pictures compiled in.
find_package(JPEG REQUIRED)
add_executable(test_jpegimage
  ${CMAKE_CURRENT_LIST_DIR}/test_jpegimage.cpp
  ${PROJECT_SOURCE_DIR}/resources/art.qrc)
target_link_libraries(test_jpegimage PRIVATE vandrel_jpeg JPEG::JPEG GTest::gtest_main)
gtest_discover_tests(test_jpegimage PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
