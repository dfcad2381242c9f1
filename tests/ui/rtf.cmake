# The rich-text reader, with the rules document compiled in.
add_executable(test_rtfreader
  ${CMAKE_CURRENT_LIST_DIR}/test_rtfreader.cpp
  ${PROJECT_SOURCE_DIR}/resources/help.qrc)
target_link_libraries(test_rtfreader PRIVATE vandrel_rtf Qt6::Gui GTest::gmock GTest::gtest)
gtest_discover_tests(test_rtfreader PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
