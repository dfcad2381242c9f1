# Runs lupdate over the sources into a copy of one catalogue and fails when
# it finds a text the catalogue lacks or one the sources no longer have.
# -DLUPDATE, -DSOURCES (a file of source paths), -DINCLUDE, -DTS, -DWORK.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
file(COPY ${TS} DESTINATION ${WORK})
execute_process(
  COMMAND ${LUPDATE} -no-obsolete -I ${INCLUDE} @${SOURCES} -ts ${WORK}/${name}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${rc}):\n${out}${err}")
endif()
string(REGEX MATCH "\\(([0-9]+) new and" found "${out}")
if(NOT found OR NOT CMAKE_MATCH_1 EQUAL 0 OR out MATCHES "obsolete")
  message(FATAL_ERROR "translations/*.ts are behind the sources: run "
                      "`cmake --build --preset default --target update_translations`\n${out}")
endif()
message(STATUS "${out}")
