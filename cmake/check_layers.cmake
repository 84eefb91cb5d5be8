# SPDX-FileCopyrightText: 2026 The classe-e developers
# SPDX-License-Identifier: MIT

# Fails when a folder includes one of a higher layer, or of its own layer
# (windows do not include one another), or when Qt reaches the pure layers.
# usage: cmake -DSOURCE_DIR=… -P check_layers.cmake
#
# Layers, from the bottom: the pure engine (the ideal design and the plot
# helpers, then the real circuit built on the ideal design); the actions
# against the named controls; the command-line tool and the window
# foundation; the windows; the program; tools for the documentation.
# tests/, bench/ and fuzz/ may include anything.
cmake_minimum_required(VERSION 3.25)
set(layer_design 0)
set(layer_plot 0)
set(layer_circuit 1)
set(layer_actions 2)
set(layer_cli 3)
set(layer_ui 3)
set(layer_main_window 4)
set(layer_graphs 4)
set(layer_matching 4)
set(layer_real_circuit 4)
set(layer_help 4)
set(layer_app 5)
set(layer_tools 6)
set(pure design plot circuit actions cli)
set(folders design plot circuit actions cli ui main_window graphs matching real_circuit help app tools)

set(faults "")
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include")
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([a-z_]+)/")
        set(target "${CMAKE_MATCH_1}")
        if(NOT DEFINED layer_${target})
          string(APPEND faults "  ${shown}: unknown folder in ${line}\n")
        elseif(NOT target STREQUAL folder AND NOT layer_${target} LESS layer_${folder})
          string(APPEND faults "  ${shown}: ${folder} may not include ${target}: ${line}\n")
        endif()
      elseif(folder IN_LIST pure AND line MATCHES "#[ \t]*include[ \t]*<Q")
        string(APPEND faults "  ${shown}: no Qt in ${folder}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Layer check failed:\n${faults}")
endif()
