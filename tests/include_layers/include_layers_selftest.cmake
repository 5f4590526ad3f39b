# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# The include check finds what it is there to find (cmake -DCHECK=<check script> -DWORK_DIR=<dir> -P this
# file): a tree that keeps the layers passes, and each kind of offence, planted alone, fails it by name.
cmake_minimum_required(VERSION 3.25)

function(write_tree root)  # write_tree(<root> "<path>|<include>" ...)
  file(REMOVE_RECURSE "${root}")
  foreach(entry IN LISTS ARGN)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 path)
    list(GET parts 1 included)
    set(text "")
    if(included)
      set(text "#include \"${included}\"\n")
    endif()
    file(APPEND "${root}/${path}" "${text}")
  endforeach()
endfunction()

function(expect root outcome)  # expect(<root> PASS|FAIL [text the report must hold ...])
  execute_process(COMMAND "${CMAKE_COMMAND}" -DSOURCE_DIR=${root} -P "${CHECK}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(report "${out}${err}")
  if(outcome STREQUAL "PASS" AND NOT rc EQUAL 0)
    message(FATAL_ERROR "${root}: expected to pass, got:\n${report}")
  elseif(outcome STREQUAL "FAIL" AND rc EQUAL 0)
    message(FATAL_ERROR "${root}: expected to fail, got:\n${report}")
  endif()
  foreach(text IN LISTS ARGN)
    string(FIND "${report}" "${text}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${root}: the report lacks \"${text}\":\n${report}")
    endif()
  endforeach()
endfunction()

# A tree that keeps the layers: downward includes, a local include, a system header, a chain in one
# folder, and the one known exception.
set(good
  "keys/key_code.h|"
  "config/record.h|keys/key_code.h"
  "config/record.cpp|config/record.h"
  "config/store.h|record.h"
  "config/store.cpp|config/store.h"
  "platform/prompter.h|"
  "macro/encoder.cpp|config/store.h"
  "device/link.cpp|platform/prompter.h"
  "ui/basic/page.cpp|device/link.h"
  "device/link.h|"
  "app/main.cpp|ui/basic/page.h"
  "ui/basic/page.h|gtest/gtest.h")
write_tree("${WORK_DIR}/good" ${good})
expect("${WORK_DIR}/good" PASS "follow the layers")

write_tree("${WORK_DIR}/upward" ${good} "keys/key_name.cpp|config/record.h" "platform/qt/hook.cpp|macro/encoder.h"
  "macro/encoder.h|")
expect("${WORK_DIR}/upward" FAIL
  "keys/key_name.cpp (keys) includes config/record.h (config)"
  "platform/qt/hook.cpp (platform/qt) includes macro/encoder.h (macro)"
  "2 include(s)")

write_tree("${WORK_DIR}/mutual" ${good} "config/record.cpp|config/store.h")
expect("${WORK_DIR}/mutual" FAIL "circle: config/record and config/store include each other")

write_tree("${WORK_DIR}/circle" ${good} "macro/a.h|macro/b.h" "macro/b.h|" "macro/b.cpp|macro/c.h" "macro/c.h|a.h"
  "macro/d.cpp|macro/a.h")
expect("${WORK_DIR}/circle" FAIL "around a circle: macro/a, macro/b, macro/c")

# The exception covers only its own file.
write_tree("${WORK_DIR}/exception" ${good} "config/record.cpp|platform/prompter.h")
expect("${WORK_DIR}/exception" FAIL "config/record.cpp (config) includes platform/prompter.h (platform)")

file(REMOVE_RECURSE "${WORK_DIR}")
message("the include check passes a layered tree and names every planted offence")
