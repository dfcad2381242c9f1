# The program's own sounds on a real PulseAudio server: the program under
# Xvfb, driven by xdotool, its sounds recorded with parec and found again by
# sfx_probe.
add_test(NAME sfx_real_program
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/sfx_program_test.sh $<TARGET_FILE:vandrel>
    $<TARGET_FILE:sfx_probe>)
set_tests_properties(sfx_real_program PROPERTIES
  LABELS "realserver;sound" SKIP_RETURN_CODE 77 TIMEOUT 120 RUN_SERIAL TRUE)
