# libFuzzer targets, built with clang when it is there (the suite's compiler
# may be another), and a bounded run of each in the suite: a few seconds from
# a few good seed files, and a few seconds at most for any one input.
find_program(VANDREL_CLANGXX NAMES clang++ clang++-14)
set(VANDREL_FUZZ_SECONDS 5 CACHE STRING "How long each fuzzer runs in the suite")

# vandrel_add_fuzzer(NAME SOURCES files... [FLAGS flags...] [DEPENDS files...]
#                    PREPARE shell-command MAX_LEN bytes [OPTIONS libfuzzer-options...]
#                    [ENVIRONMENT VAR=value...])
# PREPARE runs in the fuzzer's own folder and fills ./corpus with the seeds.
function(vandrel_add_fuzzer name)
  cmake_parse_arguments(F "" "PREPARE;MAX_LEN" "SOURCES;FLAGS;DEPENDS;OPTIONS;ENVIRONMENT" ${ARGN})
  if(NOT VANDREL_CLANGXX)
    return()
  endif()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${name})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${VANDREL_CLANGXX} -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined
            -I${PROJECT_SOURCE_DIR} ${F_SOURCES} ${F_FLAGS} -o ${out}
    DEPENDS ${F_SOURCES} ${F_DEPENDS}
    COMMAND_EXPAND_LISTS
    COMMENT "Building the ${name} fuzzer with clang")
  add_custom_target(${name}_build ALL DEPENDS ${out})
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${name}.run)
  file(MAKE_DIRECTORY ${dir})
  list(JOIN F_OPTIONS " " options)
  add_test(NAME ${name}
    COMMAND sh -c "rm -rf corpus && mkdir corpus && ${F_PREPARE} && ${out} -max_total_time=${VANDREL_FUZZ_SECONDS} -timeout=5 -max_len=${F_MAX_LEN} -seed=1 ${options} corpus"
    WORKING_DIRECTORY ${dir})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 ENVIRONMENT "${F_ENVIRONMENT}")
endfunction()
