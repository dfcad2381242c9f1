# The sound player: header reader and behaviour without a sound server.
add_executable(test_sfxplayer test_sfxplayer.cpp ${PROJECT_SOURCE_DIR}/resources/sounds.qrc)
target_link_libraries(test_sfxplayer PRIVATE vandrel_sfx Qt6::Gui GTest::gtest)
gtest_discover_tests(test_sfxplayer PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
  DISCOVERY_TIMEOUT 30)

# A real PulseAudio server with a null sink: the probe plays sounds, parec
# records them, and the probe then finds them in the recording.
add_executable(sfx_probe sfx_probe.cpp ${PROJECT_SOURCE_DIR}/resources/sounds.qrc)
target_link_libraries(sfx_probe PRIVATE vandrel_sfx Qt6::Gui)
add_test(NAME SfxPlayer.RealPulseAudio
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/sfx_pulse_test.sh $<TARGET_FILE:sfx_probe> DICE MOVE)
set_tests_properties(SfxPlayer.RealPulseAudio PROPERTIES
  LABELS realserver SKIP_RETURN_CODE 77 TIMEOUT 90
  ENVIRONMENT QT_QPA_PLATFORM=offscreen)
