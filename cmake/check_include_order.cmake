# Fails when a source file includes a header of a layer above its own.
#
# The layers of src/, lowest first, each including only its own and lower ones:
#
#   dom -> page -> host -> storage / site -> app -> main
#
# storage (projects on disk) and site (the web site the build writes) stand side
# by side and may include each other; app joins the host to both (the command
# table, the routines, the shell); main.cpp is the program.
#
# Usage: cmake -DSRC=<folder holding the layers> -P check_include_order.cmake
set(ranks dom 0 page 1 host 2 storage 3 site 3 app 4 main 5)
function(rank_of layer out)
  list(FIND ranks ${layer} at)
  if(at EQUAL -1)
    set(${out} "" PARENT_SCOPE)
  else()
    math(EXPR at "${at} + 1")
    list(GET ranks ${at} r)
    set(${out} ${r} PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE sources RELATIVE ${SRC} ${SRC}/*.cpp ${SRC}/*.h)
set(wrong 0)
foreach(source ${sources})
  string(REGEX MATCH "^[^/]+" layer ${source})
  if(layer STREQUAL source)
    string(REGEX REPLACE "\\.[a-z]+$" "" layer ${source})
  endif()
  rank_of(${layer} own)
  if(own STREQUAL "")
    message(SEND_ERROR "${source}: ${layer} has no place in the layer order; add it to ${CMAKE_CURRENT_LIST_FILE}")
    math(EXPR wrong "${wrong} + 1")
    continue()
  endif()
  file(STRINGS ${SRC}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[A-Za-z_]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^[^\"]*\"([A-Za-z_]+)/.*$" "\\1" used "${line}")
    rank_of(${used} theirs)
    if(NOT theirs STREQUAL "" AND theirs GREATER own)
      message(SEND_ERROR "${source} (${layer}) includes ${used}, a layer above it: ${line}")
      math(EXPR wrong "${wrong} + 1")
    endif()
  endforeach()
endforeach()
if(wrong GREATER 0)
  message(FATAL_ERROR "${wrong} include(s) against the layer order dom -> page -> host -> storage/site -> app -> main")
endif()
list(LENGTH sources n)
message(STATUS "${n} files follow the layer order dom -> page -> host -> storage/site -> app -> main")
