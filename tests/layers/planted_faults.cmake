# SPDX-FileCopyrightText: 2026 The classe-e developers
# SPDX-License-Identifier: MIT

# Runs the layer check on the real tree (it must pass), then on copies of it
# each with one fault planted (each must fail, naming the file).
# usage: cmake -DSOURCE_DIR=… -DCHECK=… -DWORK_DIR=… -P planted_faults.cmake
cmake_minimum_required(VERSION 3.25)

function(run_check dir out_result out_text)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${dir} -P ${CHECK}
                  RESULT_VARIABLE result ERROR_VARIABLE text OUTPUT_VARIABLE ignored)
  set(${out_result} "${result}" PARENT_SCOPE)
  set(${out_text} "${text}" PARENT_SCOPE)
endfunction()

run_check("${SOURCE_DIR}" result text)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the layer check fails on the tree itself:\n${text}")
endif()

# file relative to src/, the line planted, what the message must say
set(cases
  "engine/circuit/stage.h|#include \"app/calculator.h\"|engine/circuit may not include app"
  "engine/design/fault.h|#include \"engine/circuit/stage.h\"|engine/design may not include engine/circuit"
  "actions/action.h|#include \"ui/form_window.h\"|actions may not include ui"
  "cli/report.h|#include \"ui/colours.h\"|cli may not include ui"
  "windows/graphs/form2.h|#include \"windows/help/help_window.h\"|windows/graphs may not include windows/help"
  "ui/colours.h|#include \"windows/graphs/form2.h\"|ui may not include windows/graphs"
  "engine/plot/plot_types.h|#include <QPointF>|no Qt in engine/plot"
  "actions/action.h|#include \"tests/support.h\"|unknown folder"
  "stray/extra.h|#pragma once|in no layer")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 file)
  list(GET fields 1 planted)
  list(GET fields 2 expected)
  file(REMOVE_RECURSE "${WORK_DIR}")
  file(COPY "${SOURCE_DIR}/" DESTINATION "${WORK_DIR}")
  file(APPEND "${WORK_DIR}/${file}" "\n${planted}\n")
  run_check("${WORK_DIR}" result text)
  if(result EQUAL 0)
    message(FATAL_ERROR "the layer check passes with ${planted} planted in ${file}")
  endif()
  string(FIND "${text}" "${file}: " at_file)
  string(FIND "${text}" "${expected}" at_reason)
  if(at_file EQUAL -1 OR at_reason EQUAL -1)
    message(FATAL_ERROR "planted in ${file}: ${planted}\nexpected \"${expected}\", got:\n${text}")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK_DIR}")
