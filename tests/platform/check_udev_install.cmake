# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Installs the udev component into a scratch prefix and checks the rule lands where udev reads it.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --component udev --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install of the udev component failed: ${result}")
endif()
set(installed "${PREFIX}/lib/udev/rules.d/70-vexo-t58.rules")
if(NOT EXISTS "${installed}")
  message(FATAL_ERROR "missing ${installed}")
endif()
file(READ "${installed}" got)
file(READ "${SOURCE}" want)
if(NOT got STREQUAL want)
  message(FATAL_ERROR "installed rule differs from data/70-vexo-t58.rules")
endif()
