# myfunc: unit tests, and the screen-mode test on a real Xorg server (dummy driver).
add_executable(vandrel_myfunc_test ${CMAKE_CURRENT_LIST_DIR}/myfunc_test.cpp)
target_link_libraries(vandrel_myfunc_test PRIVATE vandrel_myfunc Qt6::Core GTest::gtest_main)
gtest_discover_tests(vandrel_myfunc_test)

# Behaves like the game around the screen mode, until the game itself can be tested.
add_executable(vandrel_mode_probe ${CMAKE_CURRENT_LIST_DIR}/mode_probe.cpp)
target_link_libraries(vandrel_mode_probe PRIVATE vandrel_myfunc Qt6::Widgets)

add_test(NAME screenmode_realserver
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/screenmode_test.sh $<TARGET_FILE:vandrel_mode_probe>)
set_tests_properties(screenmode_realserver PROPERTIES
  LABELS realserver SKIP_RETURN_CODE 77 TIMEOUT 180)

# The same three endings with the game itself, two games at once and a desktop scaled by 2.
if(TARGET vandrel)
  add_test(NAME screenmode_program
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/screenmode_test.sh $<TARGET_FILE:vandrel>)
  set_tests_properties(screenmode_program PROPERTIES
    LABELS realserver SKIP_RETURN_CODE 77 TIMEOUT 180)
endif()
