# The main window: widget tests on the offscreen platform, and the real
# program under Xvfb driven by xdotool.
add_executable(test_window ${CMAKE_CURRENT_LIST_DIR}/test_window.cpp)
target_link_libraries(test_window PRIVATE vandrel_ui vandrel_test_support Qt6::Test GTest::gtest)
gtest_discover_tests(test_window
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 120
  DISCOVERY_TIMEOUT 30)

add_test(NAME window_realserver
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/window_xvfb_test.sh $<TARGET_FILE:vandrel>)
set_tests_properties(window_realserver PROPERTIES
  LABELS realserver SKIP_RETURN_CODE 77 TIMEOUT 120 RUN_SERIAL TRUE)

# The scaled layout on Xvfb screens of three sizes and in a resized window.
add_test(NAME scaled_screens_realserver
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/scaled_screens_test.sh $<TARGET_FILE:vandrel>)
set_tests_properties(scaled_screens_realserver PROPERTIES
  LABELS realserver SKIP_RETURN_CODE 77 TIMEOUT 240)
