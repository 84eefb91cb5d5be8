# SPDX-FileCopyrightText: 2026 The classe-e developers
# SPDX-License-Identifier: MIT

# Fails when a folder of src/ includes one of a higher layer, or of its own
# layer (windows do not include one another), or when Qt reaches the pure
# layers, or when a folder belongs to no layer.
# usage: cmake -DSOURCE_DIR=…/src -P check_layers.cmake
#
# A folder is a first-level folder of src/, or a second-level one under
# engine/ and windows/. Layers, from the bottom: the pure engine (the ideal
# design and the plot helpers, then the real circuit built on the ideal
# design, then the parts bought for it and, a number apart, what builds it in
# bulk); the actions against the named controls; the command-line tool and
# the window foundation; every window; the program.
cmake_minimum_required(VERSION 3.25)
set("layer_engine/design" 0)
set("layer_engine/plot" 0)
set("layer_engine/transistor" 0)
set("layer_engine/document" 0)
set("layer_engine/circuit" 1)
set("layer_engine/parts" 2)
set("layer_engine/statistics" 3)
set("layer_actions" 4)
set("layer_cli" 5)
set("layer_ui" 5)
set("layer_windows" 6)
set("layer_report" 6)
set("layer_app" 7)
set(pure engine actions cli)

# The folder a path relative to src/ belongs to, and that folder's layer name.
function(folder_of path out_folder out_layer)
  if(path MATCHES "^(engine|windows)/([a-z_]+)/")
    set(folder "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
    if(CMAKE_MATCH_1 STREQUAL "windows")
      set(layer windows)
    else()
      set(layer "${folder}")
    endif()
  elseif(path MATCHES "^([a-z_]+)/")
    set(folder "${CMAKE_MATCH_1}")
    set(layer "${folder}")
  else()
    set(folder "")
    set(layer "")
  endif()
  set(${out_folder} "${folder}" PARENT_SCOPE)
  set(${out_layer} "${layer}" PARENT_SCOPE)
endfunction()

set(faults "")
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
foreach(shown IN LISTS sources)
  folder_of("${shown}" folder layer)
  if(NOT DEFINED layer_${layer})
    string(APPEND faults "  ${shown}: in no layer\n")
    continue()
  endif()
  string(REGEX REPLACE "/.*" "" top "${folder}")
  file(STRINGS "${SOURCE_DIR}/${shown}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      folder_of("${CMAKE_MATCH_1}" target target_layer)
      if(NOT DEFINED layer_${target_layer})
        string(APPEND faults "  ${shown}: unknown folder in ${line}\n")
      elseif(NOT target STREQUAL folder AND NOT layer_${target_layer} LESS layer_${layer})
        string(APPEND faults "  ${shown}: ${folder} may not include ${target}: ${line}\n")
      endif()
    elseif(top IN_LIST pure AND line MATCHES "#[ \t]*include[ \t]*<Q")
      string(APPEND faults "  ${shown}: no Qt in ${folder}: ${line}\n")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Layer check failed:\n${faults}")
endif()
