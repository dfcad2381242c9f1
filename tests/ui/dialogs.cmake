# The dialogs, driven offscreen with the game's pictures compiled in.
if(NOT TARGET test_dialogs)
  add_executable(test_dialogs
    ${CMAKE_CURRENT_LIST_DIR}/test_dialogs.cpp
    ${PROJECT_SOURCE_DIR}/resources/art.qrc)
  target_link_libraries(test_dialogs PRIVATE vandrel_dialogs Qt6::Widgets Qt6::Test GTest::gtest)
  gtest_discover_tests(test_dialogs PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
    DISCOVERY_TIMEOUT 30)
endif()
