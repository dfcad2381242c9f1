# The game logic libraries must not link Qt. Called at the end of the
# configuration for each of them.
function(vandrel_forbid_qt target)
  get_target_property(libs ${target} LINK_LIBRARIES)
  if(libs)
    foreach(lib IN LISTS libs)
      if(lib MATCHES "Qt")
        message(FATAL_ERROR "${target} must not link Qt (it links ${lib})")
      endif()
    endforeach()
  endif()
endfunction()
