# Run with cmake -P: runs vandrel-artgen (ARTGEN) into a fresh folder (OUT)
# and checks every picture's size by reading the files' own headers.


cmake_minimum_required(VERSION 3.25)

# Reads `count` bytes at `offset` of `file` as an unsigned number.
function(read_number file offset count big_endian result)
  file(READ "${file}" hex OFFSET ${offset} LIMIT ${count} HEX)
  string(LENGTH "${hex}" length)
  math(EXPR wanted "${count} * 2")
  if(NOT length EQUAL wanted)
    message(FATAL_ERROR "${file}: ends before byte ${offset}")
  endif()
  set(value 0)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last})
    if(big_endian)
      math(EXPR at "${i} * 2")
    else()
      math(EXPR at "(${count} - 1 - ${i}) * 2")
    endif()
    string(SUBSTRING "${hex}" ${at} 2 byte)
    math(EXPR value "${value} * 256 + 0x${byte}")
  endforeach()
  set(${result} ${value} PARENT_SCOPE)
endfunction()

function(picture_size file result)
  file(READ "${file}" magic LIMIT 4 HEX)
  if(magic STREQUAL "89504e47")  # PNG: IHDR follows the signature
    read_number("${file}" 16 4 TRUE w)
    read_number("${file}" 20 4 TRUE h)
  elseif(magic MATCHES "^424d")  # BMP: check for 24 bits as well
    read_number("${file}" 18 4 FALSE w)
    read_number("${file}" 22 4 FALSE h)
    read_number("${file}" 28 2 FALSE bits)
    if(NOT bits EQUAL 24)
      message(FATAL_ERROR "${file}: ${bits} bits per pixel, not 24")
    endif()
  elseif(magic MATCHES "^ffd8")  # JPEG: walk the markers to the frame header
    set(at 2)
    while(TRUE)
      read_number("${file}" ${at} 2 TRUE marker)
      if(marker GREATER_EQUAL 65472 AND marker LESS_EQUAL 65474)  # SOF0..SOF2
        math(EXPR hat "${at} + 5")
        math(EXPR wat "${at} + 7")
        read_number("${file}" ${hat} 2 TRUE h)
        read_number("${file}" ${wat} 2 TRUE w)
        break()
      endif()
      math(EXPR lat "${at} + 2")
      read_number("${file}" ${lat} 2 TRUE length)
      math(EXPR at "${at} + 2 + ${length}")
    endwhile()
  else()
    message(FATAL_ERROR "${file}: not a picture we write")
  endif()
  set(${result} "${w}x${h}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${ARTGEN}" "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vandrel-artgen failed: ${status}")
endif()

set(expected
  board.jpg 560x560   board@2x.jpg 1120x1120   board@3x.jpg 1680x1680
  blue@2x.bmp 116x116   blue@3x.bmp 174x174   green@2x.bmp 116x116   green@3x.bmp 174x174
  bye@2x.png 32x32   bye@3x.png 48x48
  strip.jpg 10x796   prompt.jpg 303x227   title.jpg 502x269
  blue.bmp 58x58      green.bmp 58x58    bye.png 16x16        icon.png 32x32
  icons/vandrel-16.png 16x16     icons/vandrel-32.png 32x32
  icons/vandrel-48.png 48x48     icons/vandrel-64.png 64x64
  icons/vandrel-128.png 128x128  icons/vandrel-256.png 256x256)
set(failures "")
list(LENGTH expected n)
math(EXPR last "${n} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET expected ${i} name)
  list(GET expected ${j} size)
  if(NOT EXISTS "${OUT}/${name}")
    string(APPEND failures "\n  ${name}: missing")
    continue()
  endif()
  picture_size("${OUT}/${name}" got)
  if(NOT got STREQUAL size)
    string(APPEND failures "\n  ${name}: ${got}, expected ${size}")
  endif()
endforeach()

# The folder the program is built from holds the same set of pictures.
get_filename_component(root "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
file(GLOB_RECURSE committed RELATIVE "${root}/resources/art" "${root}/resources/art/*")
file(GLOB_RECURSE written RELATIVE "${OUT}" "${OUT}/*")
list(SORT committed)
list(SORT written)
if(NOT committed STREQUAL written)
  string(APPEND failures "\n  resources/art holds: ${committed}\n  the generator wrote: ${written}")
endif()
math(EXPR half "${n} / 2")

if(failures)
  message(FATAL_ERROR "artgen outputs:${failures}")
endif()
message(STATUS "all ${half} pictures have their sizes")
