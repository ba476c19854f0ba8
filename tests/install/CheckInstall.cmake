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
expect_file("${PREFIX}/${MANDIR}/man1/vexorel-profile.1.gz")
if(NOT WITH_GUI)
  return()
endif()
expect_executable("${bin}/vexorel")
expect_file("${PREFIX}/${MANDIR}/man1/vexorel.1.gz")
expect_file("${share}/metainfo/${APP_ID}.metainfo.xml")

# The desktop entry starts the launcher installed in libexec, by its full path.
set(entry "${share}/applications/${APP_ID}.desktop")
expect_file("${entry}")
file(READ "${entry}" text)
if(NOT text MATCHES "\nExec=([^ \n]+)")
  fail("the entry has no Exec line")
endif()
set(launcher "${CMAKE_MATCH_1}")
if(NOT launcher STREQUAL "${PREFIX}/${LIBEXECDIR}/vexorel/vexorel-desktop")
  fail("the entry starts ${launcher}, not the launcher in ${PREFIX}/${LIBEXECDIR}/vexorel")
endif()
expect_executable("${launcher}")
if(NOT text MATCHES "\nIcon=vexorel\n" OR NOT text MATCHES "\nCategories=Game;Settings;\n")
  fail("the entry's icon or categories are not Vexorel's")
endif()

# The icon: the 128- and 256-pixel pictures (checked in their PNG headers) and the scalable one.
set(side_128 00000080)
set(side_256 00000100)
foreach(size 128 256)
  set(png "${share}/icons/hicolor/${size}x${size}/apps/vexorel.png")
  expect_file("${png}")
  file(READ "${png}" header LIMIT 24 HEX)
  if(NOT header MATCHES "^89504e470d0a1a0a.*${side_${size}}${side_${size}}$")
    fail("${png} is not a ${size}x${size} PNG picture")
  endif()
endforeach()
expect_file("${share}/icons/hicolor/scalable/apps/vexorel.svg")

# The help file, with the pictures it shows.
expect_file("${PREFIX}/${DOCDIR}/README.md")
expect_file("${PREFIX}/${DOCDIR}/docs/screenshots/main-window.png")

# The launcher starts the program in the user's own folder, created as needed. A stand-in program, in a
# copy of the installed layout, reports where it was started.
set(work "${PREFIX}-launcher")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}/${BINDIR}" "${work}/home")
set(copy "${LIBEXECDIR}/vexorel/vexorel-desktop")
file(COPY "${launcher}" DESTINATION "${work}/${LIBEXECDIR}/vexorel")
file(WRITE "${work}/${BINDIR}/vexorel" "#!/bin/sh\npwd -P\necho \"$@\"\n")
file(CHMOD "${work}/${BINDIR}/vexorel" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
foreach(case "home" "data")
  if(case STREQUAL "home")
    set(environment --unset=XDG_DATA_HOME "HOME=${work}/home")
    set(expected "${work}/home/.local/share/vexorel")
  else()
    set(environment "XDG_DATA_HOME=${work}/data" "HOME=${work}/home")
    set(expected "${work}/data/vexorel")
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env ${environment} "${work}/${copy}" one two
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE error)
  file(REAL_PATH "${expected}" expected)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "${expected}\none two\n")
    fail("the launcher (${case}) started the program wrongly: rc ${rc}, output '${out}' ${error}, expected ${expected}")
  endif()
endforeach()
file(REMOVE_RECURSE "${work}")
message(STATUS "install check passed: ${PREFIX}")
