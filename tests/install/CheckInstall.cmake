# Installs the build tree into a fresh prefix and checks what a user's desktop needs: the binaries and
# their manual pages, a desktop entry that passes desktop-file-validate and names a program that is there,
# the icon in the hicolor theme, the help file, and a launcher that starts the program in a folder of the
# user's own.
# Where dpkg-deb and dpkg-shlibdeps are at hand, the Debian package is made as well and checked.
#
# cmake -DBUILD_DIR=.. -DPREFIX=.. -DBINDIR=bin -DDATADIR=share -DMANDIR=share/man -DDOCDIR=share/doc/vexorel
#       -DWITH_GUI=ON -P CheckInstall.cmake

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

# The Debian package: the same files under /usr, and library dependencies worked out from the binaries.
find_program(DPKG_DEB dpkg-deb)
find_program(SHLIBDEPS dpkg-shlibdeps)
if(DPKG_DEB AND SHLIBDEPS)
  set(packages "${PREFIX}-deb")
  file(REMOVE_RECURSE "${packages}")
  execute_process(COMMAND cpack -G DEB -B "${packages}" --config "${BUILD_DIR}/CPackConfig.cmake"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(GLOB deb "${packages}/vexorel_*.deb")
  if(NOT rc EQUAL 0 OR NOT deb)
    fail("cpack -G DEB failed:\n${out}")
  endif()
  execute_process(COMMAND "${DPKG_DEB}" -f "${deb}" Package Depends OUTPUT_VARIABLE fields)
  if(NOT fields MATCHES "Package: vexorel\n" OR NOT fields MATCHES "Depends:[^\n]*libqt6widgets6"
     OR NOT fields MATCHES "libc6")
    fail("the package's name or computed dependencies are wrong:\n${fields}")
  endif()
  execute_process(COMMAND "${DPKG_DEB}" -c "${deb}" OUTPUT_VARIABLE listing)
  foreach(path usr/bin/vexorel usr/bin/vexorel-desktop usr/share/applications/vexorel.desktop
               usr/share/icons/hicolor/256x256/apps/vexorel.png usr/${DOCDIR}/README.md)
    if(NOT listing MATCHES " \\./${path}\n")
      fail("the package lacks /${path}:\n${listing}")
    endif()
  endforeach()
  file(REMOVE_RECURSE "${packages}")
else()
  message(STATUS "dpkg-deb or dpkg-shlibdeps not found; the Debian package was not checked")
endif()
message(STATUS "install check passed: ${PREFIX}")
