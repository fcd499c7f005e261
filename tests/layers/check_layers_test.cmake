# SPDX-License-Identifier: GPL-3.0-or-later
# The layer check stops an include across a forbidden arrow, names the file
# and the include, and lets the allowed ones through.
#   cmake -DCHECKER=cmake/check_layers.cmake -DFIXTURES=tests/layers -P check_layers_test.cmake
set(folders "algebra|app|expressions|fractions|graphs|numbers|platform")
set(allowed "algebra|expressions|numbers|platform")

execute_process(
  COMMAND ${CMAKE_COMMAND} -DFOLDER=algebra "-DDIR=${FIXTURES}/crossing" "-DALLOWED=${allowed}"
    "-DFOLDERS=${folders}" -P "${CHECKER}"
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(result EQUAL 0)
  message(FATAL_ERROR "an include of graphs/ from algebra/ was let through")
endif()
if(NOT errors MATCHES "src/algebra may include only from algebra, expressions, numbers, platform")
  message(FATAL_ERROR "the refusal does not name the allowed folders:\n${errors}")
endif()
if(NOT errors MATCHES "reaches_up.cpp: #include \"graphs/graph_window.h\"")
  message(FATAL_ERROR "the refusal does not name the crossing include:\n${errors}")
endif()
if(errors MATCHES "long_int.h|simplify.h")
  message(FATAL_ERROR "an allowed include was refused:\n${errors}")
endif()

set(stamp "${CMAKE_CURRENT_BINARY_DIR}/within_layers.stamp")
file(REMOVE "${stamp}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -DFOLDER=algebra "-DDIR=${FIXTURES}/within" "-DALLOWED=${allowed}"
    "-DFOLDERS=${folders}" "-DSTAMP=${stamp}" -P "${CHECKER}"
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT EXISTS "${stamp}")
  message(FATAL_ERROR "includes within the layers were refused:\n${errors}")
endif()
file(REMOVE "${stamp}")
