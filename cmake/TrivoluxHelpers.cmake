# Helpers shared by the src/, sim/ and tests/ CMake files.

# The core library must never see a Qt Widgets header. Its include path does
# not carry the QtWidgets directory, and a generated "poison" directory placed
# first on its path turns every <QtWidgets/...> include into a hard #error.
function(trivolux_poison_widgets target)
  set(poison_dir "${CMAKE_BINARY_DIR}/poison-widgets")
  if(NOT EXISTS "${poison_dir}/QtWidgets/.done")
    get_target_property(widgets_inc Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
    set(headers)
    foreach(dir IN LISTS widgets_inc)
      if(dir MATCHES "QtWidgets$" AND IS_DIRECTORY "${dir}")
        file(GLOB found RELATIVE "${dir}" "${dir}/*")
        list(APPEND headers ${found})
      endif()
    endforeach()
    list(APPEND headers QtWidgets)
    list(REMOVE_DUPLICATES headers)
    foreach(h IN LISTS headers)
      if(NOT IS_DIRECTORY "${poison_dir}/QtWidgets/${h}")
        file(WRITE "${poison_dir}/QtWidgets/${h}"
             "#error \"trivolux_core must not include Qt Widgets headers (${h})\"\n")
      endif()
    endforeach()
    file(WRITE "${poison_dir}/QtWidgets/.done" "")
  endif()
  target_include_directories(${target} BEFORE PRIVATE "${poison_dir}")
endfunction()

# Timeouts are what a hang needs to be noticed, not what a test needs: every
# suite finishes in seconds.
set(TRIVOLUX_CASE_TIMEOUT 60)
set(TRIVOLUX_SUITE_TIMEOUT 180)

# GoogleTest executable; every case is registered with CTest on its own, so
# CTest runs cases in parallel and reports them one by one.
function(trivolux_gtest name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE trivolux_core GTest::gtest GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${TRIVOLUX_WARNINGS})
  trivolux_discover_gtests(${name})
endfunction()

# Registers the cases of a GoogleTest executable (also one with its own main).
function(trivolux_discover_gtests name)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT ${TRIVOLUX_CASE_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# QtTest executable (widget tests on the offscreen platform) registered with CTest.
function(trivolux_qtest name)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE trivolux_test_gui trivolux_gui trivolux_core trivolux_qt_test)
  trivolux_reuse_pch(${name} trivolux_test_gui)
  target_compile_options(${name} PRIVATE ${TRIVOLUX_WARNINGS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${TRIVOLUX_SUITE_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Benchmark executable: built, never run by CTest.
function(trivolux_bench name)
  if(TRIVOLUX_BENCH)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE trivolux_core benchmark::benchmark)
    target_compile_options(${name} PRIVATE ${TRIVOLUX_WARNINGS})
  endif()
endfunction()

# Precompiled headers: the Qt modules and QCustomPlot make up most of the
# compile time of every widget file. trivolux_gui precompiles them for itself
# and the program; trivolux_test_gui adds Qt Test for every widget test. GCC
# refuses (-Winvalid-pch, an error here) a header built with other macros, so
# targets that reuse one must have the same compile definitions.
option(TRIVOLUX_PCH "Precompile the Qt and QCustomPlot headers" ON)
function(trivolux_precompile target header)
  if(TRIVOLUX_PCH)
    target_precompile_headers(${target} PRIVATE "${PROJECT_SOURCE_DIR}/cmake/pch/${header}")
  endif()
endfunction()
function(trivolux_reuse_pch target from)
  if(TRIVOLUX_PCH)
    target_precompile_headers(${target} REUSE_FROM ${from})
  endif()
endfunction()

# Qt Test without the per-directory QT_TESTCASE_BUILDDIR/SOURCEDIR macros that
# Qt6::Test adds (they are for QFINDTESTDATA, which no test uses): with them
# every test directory would need its own precompiled header.
function(trivolux_define_qt_test)
  if(TARGET trivolux_qt_test)
    return()
  endif()
  add_library(trivolux_qt_test INTERFACE)
  get_target_property(test_inc Qt6::Test INTERFACE_INCLUDE_DIRECTORIES)
  target_include_directories(trivolux_qt_test SYSTEM INTERFACE ${test_inc})
  target_compile_definitions(trivolux_qt_test INTERFACE QT_TESTLIB_LIB)
  target_link_libraries(trivolux_qt_test INTERFACE $<TARGET_FILE:Qt6::Test> Qt6::Core Qt6::Gui)
endfunction()
