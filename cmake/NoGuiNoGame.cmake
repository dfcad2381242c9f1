# A library beside the game and below the presentation (the screen mode's
# platform library) must not link Qt Gui or Qt Widgets, a game library (rules/,
# computer/, control/) or a library of the presentation (ui/), not directly and
# not through another library. Called where the library is made; the check runs
# once the whole project is configured, when every library it might reach
# exists and every later target_link_libraries() on it is known.
function(vandrel_forbid_gui_and_game target)
  # A deferred call reads its arguments when it runs: the target's name goes in now.
  cmake_language(EVAL CODE "
    cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]]
      CALL _vandrel_check_no_gui_no_game [[${target}]])")
endfunction()

# The libraries an entry of LINK_LIBRARIES or INTERFACE_LINK_LIBRARIES names:
# generator expressions opened up, the markers of links made from another
# folder (::@...) dropped.
function(_vandrel_named_libraries entry out)
  string(REGEX REPLACE "\\$<[A-Za-z_]+:" ";" entry "${entry}")
  string(REGEX REPLACE "\\$<|>:|>|," ";" entry "${entry}")
  list(FILTER entry EXCLUDE REGEX "^(::@.*)?$")
  set(${out} ${entry} PARENT_SCOPE)
endfunction()

function(_vandrel_check_no_gui_no_game target)
  set(forbidden_dirs rules computer control ui)
  set(seen ${target})
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    set(libs)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(entries ${current} ${property})
      if(entries)
        foreach(entry IN LISTS entries)
          _vandrel_named_libraries("${entry}" named)
          list(APPEND libs ${named})
        endforeach()
      endif()
    endforeach()
    foreach(lib IN LISTS libs)
      if(lib IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${lib})
      set(via_${lib} ${current})
      # The chain from the target down to this library, for the message.
      set(chain ${lib})
      set(step ${current})
      while(NOT step STREQUAL target)
        set(chain "${step} -> ${chain}")
        set(step ${via_${step}})
      endwhile()
      if(lib MATCHES "Qt[0-9]*(::)?[A-Za-z]*(Gui|Widgets)")
        message(FATAL_ERROR "${target} must not link Qt Gui or Widgets (it links ${chain})")
      endif()
      if(NOT TARGET ${lib})
        continue()
      endif()
      get_target_property(imported ${lib} IMPORTED)
      if(NOT imported)
        get_target_property(dir ${lib} SOURCE_DIR)
        file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${dir})
        string(REGEX REPLACE "/.*" "" top "${folder}")
        if(top IN_LIST forbidden_dirs)
          message(FATAL_ERROR
            "${target} must not link the game's or the presentation's libraries "
            "(it links ${chain}, from ${folder}/)")
        endif()
      endif()
      list(APPEND queue ${lib})
    endforeach()
  endwhile()
endfunction()
