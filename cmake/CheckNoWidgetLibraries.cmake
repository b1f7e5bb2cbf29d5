# Checks that an executable loads no widget library: neither Qt Widgets, Qt
# Gui, Qt PrintSupport nor QCustomPlot, directly or through another library.
#
# Usage: cmake -DBINARY=<executable> -P CheckNoWidgetLibraries.cmake
# Prints the libraries found and fails when one of them is a widget library.
if(NOT BINARY)
  message(FATAL_ERROR "BINARY not set")
endif()
find_program(LDD ldd)
if(NOT LDD)
  message(FATAL_ERROR "ldd not found: cannot list the libraries of ${BINARY}")
endif()
execute_process(COMMAND "${LDD}" "${BINARY}" OUTPUT_VARIABLE libraries RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "ldd ${BINARY} failed (${result})")
endif()
string(REGEX MATCHALL "lib(Qt6(Widgets|Gui|PrintSupport)|qcustomplot)[^ \t\n]*" forbidden "${libraries}")
if(forbidden)
  list(REMOVE_DUPLICATES forbidden)
  message(FATAL_ERROR "${BINARY} loads widget libraries: ${forbidden}")
endif()
if(NOT libraries MATCHES "libQt6Core")
  message(FATAL_ERROR "ldd listed no Qt library for ${BINARY}; the check would prove nothing:\n${libraries}")
endif()
message(STATUS "${BINARY} loads no widget library")
