add_executable(test_sfxgen test_sfxgen.cpp)
target_link_libraries(test_sfxgen PRIVATE GTest::gtest_main)
target_compile_definitions(test_sfxgen PRIVATE
  VANDREL_SFXGEN="$<TARGET_FILE:vandrel-sfxgen>"
  VANDREL_SOUNDS_DIR="${PROJECT_SOURCE_DIR}/resources/sounds")
set_target_properties(test_sfxgen PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
add_dependencies(test_sfxgen vandrel-sfxgen)
gtest_discover_tests(test_sfxgen)
