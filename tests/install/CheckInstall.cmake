# Installs the build tree into a fresh prefix and checks what a user's desktop needs: the binaries, a
# desktop entry that passes desktop-file-validate and names a program that is there, the icon in the
# hicolor theme, and a launcher that starts the program in a folder of the user's own.
#
# cmake -DBUILD_DIR=.. -DPREFIX=.. -DBINDIR=bin -DDATADIR=share -DWITH_GUI=ON -P CheckInstall.cmake

function(fail message)
  message(FATAL_ERROR "install check: ${message}")
endfunction()

function(expect_executable path)
  execute_process(COMMAND test -x "${path}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    fail("${path} is missing or not executable")
  endif()
endfunction()

function(expect_file path)
  if(NOT EXISTS "${path}" OR IS_DIRECTORY "${path}")
    fail("${path} is missing")
  endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  fail("cmake --install failed:\n${out}")
endif()

set(bin "${PREFIX}/${BINDIR}")
set(share "${PREFIX}/${DATADIR}")
expect_executable("${bin}/vexorel-profile")
if(NOT WITH_GUI)
  return()
endif()
expect_executable("${bin}/vexorel")

# The desktop entry: valid, and its Exec names a program installed beside the binary.
set(entry "${share}/applications/vexorel.desktop")
expect_file("${entry}")
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${entry}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    fail("desktop-file-validate rejects the entry:\n${out}")
  endif()
else()
  message(STATUS "desktop-file-validate not found; the entry was not validated")
endif()
file(READ "${entry}" text)
if(NOT text MATCHES "\nExec=([^ \n]+)")
  fail("the entry has no Exec line")
endif()
set(launcher "${CMAKE_MATCH_1}")
expect_executable("${bin}/${launcher}")
if(NOT text MATCHES "\nIcon=vexorel\n" OR NOT text MATCHES "\nCategories=Game;Settings;\n")
  fail("the entry's icon or categories are not Vexorel's")
endif()

# The icon: the 128-pixel picture (checked in its PNG header) and the scalable one.
set(png "${share}/icons/hicolor/128x128/apps/vexorel.png")
expect_file("${png}")
expect_file("${share}/icons/hicolor/scalable/apps/vexorel.svg")
file(READ "${png}" header LIMIT 24 HEX)
if(NOT header MATCHES "^89504e470d0a1a0a.*0000008000000080$")
  fail("${png} is not a 128x128 PNG picture")
endif()

# The launcher starts the program in the user's own folder, created as needed. A stand-in program beside
# a copy of the launcher reports where it was started.
set(work "${PREFIX}-launcher")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}/bin" "${work}/home")
file(COPY "${bin}/${launcher}" DESTINATION "${work}/bin")
file(WRITE "${work}/bin/vexorel" "#!/bin/sh\npwd -P\necho \"$@\"\n")
file(CHMOD "${work}/bin/vexorel" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
foreach(case "home" "data")
  if(case STREQUAL "home")
    set(environment --unset=XDG_DATA_HOME "HOME=${work}/home")
    set(expected "${work}/home/.local/share/vexorel")
  else()
    set(environment "XDG_DATA_HOME=${work}/data" "HOME=${work}/home")
    set(expected "${work}/data/vexorel")
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env ${environment} "${work}/bin/${launcher}" one two
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE error)
  file(REAL_PATH "${expected}" expected)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "${expected}\none two\n")
    fail("the launcher (${case}) started the program wrongly: rc ${rc}, output '${out}' ${error}, expected ${expected}")
  endif()
endforeach()
file(REMOVE_RECURSE "${work}")
message(STATUS "install check passed: ${PREFIX}")
