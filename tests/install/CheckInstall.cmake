# Installs the build tree into a fresh prefix and checks what a user's desktop needs: the binaries and
# their manual pages, a desktop entry named after the AppStream component whose Exec is the installed
# launcher, the icon in the hicolor theme, the help file, and a launcher that starts the program in a
# folder of the user's own. The entry and the metainfo are validated by tests of their own.
#
# cmake -DBUILD_DIR=.. -DPREFIX=.. -DBINDIR=bin -DLIBEXECDIR=libexec -DDATADIR=share -DMANDIR=share/man
#       -DDOCDIR=share/doc/vexorel -DAPP_ID=.. -DWITH_GUI=ON -P CheckInstall.cmake

function(fail message)
  message(FATAL_ERROR "install check: ${message}")
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  fail("cmake --install failed:\n${out}")
endif()

# Every file of installed.txt.
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/installed.txt" lines REGEX "^[^#]")
foreach(line IN LISTS lines)
  string(CONFIGURE "${line}" line)
  string(REGEX MATCH "^(gui-)?([a-z]+):?([0-9a-f]*) (.*)$" matched "${line}")
  set(kind "${CMAKE_MATCH_2}")
  set(side "${CMAKE_MATCH_3}")
  set(path "${PREFIX}/${CMAKE_MATCH_4}")
  if(CMAKE_MATCH_1 AND NOT WITH_GUI)
    continue()
  elseif(NOT EXISTS "${path}" OR IS_DIRECTORY "${path}")
    fail("${path} is missing")
  endif()
  if(kind STREQUAL "exe")
    execute_process(COMMAND test -x "${path}" RESULT_VARIABLE rc)
  elseif(kind STREQUAL "png")
    file(READ "${path}" header LIMIT 24 HEX)
  endif()
  if(kind STREQUAL "exe" AND NOT rc EQUAL 0)
    fail("${path} is not executable")
  elseif(kind STREQUAL "png" AND NOT header MATCHES "^89504e470d0a1a0a.*${side}${side}$")
    fail("${path} is not a PNG picture of the side ${side}")
  endif()
endforeach()
if(NOT WITH_GUI)
  return()
endif()

# The desktop entry starts the launcher installed in libexec, by its full path.
file(READ "${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop" text)
if(NOT text MATCHES "\nExec=([^ \n]+)")
  fail("the entry has no Exec line")
endif()
set(launcher "${CMAKE_MATCH_1}")
if(NOT launcher STREQUAL "${PREFIX}/${LIBEXECDIR}/vexorel/vexorel-desktop")
  fail("the entry starts ${launcher}, not the launcher in ${PREFIX}/${LIBEXECDIR}/vexorel")
endif()
if(NOT text MATCHES "\nIcon=vexorel\n" OR NOT text MATCHES "\nCategories=Game;Settings;\n")
  fail("the entry's icon or categories are not Vexorel's")
endif()

# The launcher starts the program in the user's own folder, created as needed. A stand-in program, in a
# copy of the installed layout, reports where it was started.
set(work "${PREFIX}-launcher")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}/${BINDIR}" "${work}/home")
file(COPY "${launcher}" DESTINATION "${work}/${LIBEXECDIR}/vexorel")
file(WRITE "${work}/${BINDIR}/vexorel" "#!/bin/sh\npwd -P\necho \"$@\"\n")
file(CHMOD "${work}/${BINDIR}/vexorel" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
function(expect_started_in expected)  # with the environment settings that follow
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env ${ARGN} "${work}/${LIBEXECDIR}/vexorel/vexorel-desktop" one two
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE error)
  file(REAL_PATH "${expected}" expected)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "${expected}\none two\n")
    fail("the launcher (${ARGN}) started the program wrongly: rc ${rc}, output '${out}' ${error}, expected ${expected}")
  endif()
endfunction()
expect_started_in("${work}/home/.local/share/vexorel" --unset=XDG_DATA_HOME "HOME=${work}/home")
expect_started_in("${work}/data/vexorel" "XDG_DATA_HOME=${work}/data" "HOME=${work}/home")
file(REMOVE_RECURSE "${work}")
