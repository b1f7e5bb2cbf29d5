# Checks that dependencies between the source folders point one way:
#   base < ini < link < params < live < teach, record, calib, scope < app
# A file may include headers of its own folder and of folders below it; the
# four folders of one level do not include each other. src/ui (panels, popups,
# toolbox) is used by the glue of every level and includes none of them.
# src/cli, the command-line front end, sits at the level of app beside it and
# uses no panels: it includes neither app/ nor ui/.
#
# Usage: cmake -DSOURCE_DIR=<folder holding base/, ini/, ...> -P CheckIncludeDirection.cmake
# Prints every offending include and fails when there is one.
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR not set")
endif()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
set(level_base 0)
set(level_ini 1)
set(level_link 2)
set(level_params 3)
set(level_live 4)
foreach(folder teach record calib scope)
  set(level_${folder} 5)
endforeach()
set(level_app 6)
set(level_cli 6)
set(without_ui_cli TRUE)

file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h.in")
set(violations "")
foreach(file IN LISTS files)
  string(REGEX MATCH "^[^/]+" folder "${file}")
  if(NOT folder STREQUAL "ui" AND NOT DEFINED level_${folder})
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z0-9_]+/")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/.*$" "\\1" target "${line}")
    if(target STREQUAL folder)
      continue()
    endif()
    set(allowed FALSE)
    if(NOT folder STREQUAL "ui")
      if(target STREQUAL "ui")
        if(NOT without_ui_${folder})
          set(allowed TRUE)
        endif()
      elseif(DEFINED level_${target})
        if(level_${target} LESS level_${folder})
          set(allowed TRUE)
        endif()
      endif()
    endif()
    if(NOT allowed)
      string(APPEND violations "  ${file} includes ${target}/: ${line}\n")
    endif()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Includes against the dependency order "
                      "(base < ini < link < params < live < teach, record, calib, scope < app, cli; "
                      "ui includes none, cli includes no ui):\n"
                      "${violations}")
endif()
list(LENGTH files count)
message(STATUS "Include direction holds in ${count} files")
