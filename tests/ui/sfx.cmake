# The sound player: header reader and behaviour without a sound server.
add_executable(test_sfxplayer test_sfxplayer.cpp ${PROJECT_SOURCE_DIR}/resources/sounds.qrc)
target_link_libraries(test_sfxplayer PRIVATE vandrel_sfx Qt6::Gui GTest::gtest)
gtest_discover_tests(test_sfxplayer PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
  DISCOVERY_TIMEOUT 30)

# A real PulseAudio server with a null sink: the probe plays sounds, parec
# records them, and the probe then finds them in the recording. The sounds
# are timed to tens of milliseconds, so these run on their own (RUN_SERIAL):
# beside a neighbour that fills both cores, a sound that opens the stream
# has been heard up to 400 ms late. The label "sound" marks every test that
# times sound on a real server.
add_executable(sfx_probe sfx_probe.cpp ${PROJECT_SOURCE_DIR}/resources/sounds.qrc)
target_link_libraries(sfx_probe PRIVATE vandrel_sfx Qt6::Gui)
add_test(NAME SfxPlayer.RealPulseAudio
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/sfx_pulse_test.sh $<TARGET_FILE:sfx_probe> DICE MOVE)
set_tests_properties(SfxPlayer.RealPulseAudio PROPERTIES
  LABELS "realserver;sound" SKIP_RETURN_CODE 77 TIMEOUT 90 RUN_SERIAL TRUE
  ENVIRONMENT QT_QPA_PLATFORM=offscreen)
# The same with the stream closed for want of sound before each sound: each
# opens it again, and must still be heard whole and on time.
add_test(NAME SfxPlayer.RealPulseAudioAfterRest
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/sfx_pulse_test.sh $<TARGET_FILE:sfx_probe> DICE MOVE)
set_tests_properties(SfxPlayer.RealPulseAudioAfterRest PROPERTIES
  LABELS "realserver;sound" SKIP_RETURN_CODE 77 TIMEOUT 90 RUN_SERIAL TRUE
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VANDREL_SFX_IDLE_MS=300")

# Minutes of games through the sound module on a real server, PulseAudio and
# PipeWire, recorded from a null sink: every minute heard, every sound on
# time. VANDREL_SOAK_SECONDS sets the length (three minutes by default). Not
# in the sanitizer build: it is slower there, and the soaks add minutes.
# It times sounds to the millisecond, so it runs on its own (RUN_SERIAL),
# first (COST): beside a compiling or testing neighbour on two cores it
# measures the neighbour. Run it alone with: ctest --preset default -L soak
add_executable(sfx_soak sfx_soak.cpp ${PROJECT_SOURCE_DIR}/resources/sounds.qrc)
target_link_libraries(sfx_soak PRIVATE vandrel_sfx vandrel_selfplay Qt6::Core)
if(NOT VANDREL_SANITIZE AND TARGET vandrel_sound)
  # Both servers, and a minute on each with the server killed and started
  # again, side by side.
  add_test(NAME sfx_soak
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/sfx_soak_test.sh all $<TARGET_FILE:sfx_soak>
      $<TARGET_FILE:vandrel_sound>)
  set_tests_properties(sfx_soak PROPERTIES
    LABELS "realserver;soak;sound" SKIP_RETURN_CODE 77 TIMEOUT 900 COST 20000 RUN_SERIAL TRUE)
endif()
