# The program as a desktop citizen: its command line without a display, a
# saved game opened from the command line, a keyboard-only game and the
# accessibility tree, the last three on an Xvfb of their own (-displayfd).
add_executable(test_cmdline ${CMAKE_CURRENT_LIST_DIR}/test_cmdline.cpp)
target_compile_definitions(test_cmdline PRIVATE VANDREL_PROGRAM="$<TARGET_FILE:vandrel>")
target_link_libraries(test_cmdline PRIVATE GTest::gtest_main)
gtest_discover_tests(test_cmdline PROPERTIES TIMEOUT 60)

foreach(scenario IN ITEMS open keys)
  add_test(NAME desktop_${scenario}
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/desktop_xvfb_test.sh ${scenario} $<TARGET_FILE:vandrel>)
  set_tests_properties(desktop_${scenario} PROPERTIES
    LABELS realserver SKIP_RETURN_CODE 77 TIMEOUT 120)
endforeach()
add_test(NAME desktop_atspi
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/desktop_xvfb_test.sh atspi $<TARGET_FILE:vandrel>)
set_tests_properties(desktop_atspi PROPERTIES LABELS realserver SKIP_RETURN_CODE 77 TIMEOUT 120)

# The keys, in the window on the offscreen platform.
add_executable(test_keys ${CMAKE_CURRENT_LIST_DIR}/test_keys.cpp)
target_link_libraries(test_keys PRIVATE vandrel_ui vandrel_test_support Qt6::Test GTest::gtest)
gtest_discover_tests(test_keys
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 60 DISCOVERY_TIMEOUT 30)
