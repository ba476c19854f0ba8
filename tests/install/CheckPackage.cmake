# Makes the Debian package from the build tree as a release is made (`cpack -G DEB`, stripped binaries)
# and checks its section and computed dependencies and the files the desktop and `man` look for. Skipped
# where a Debian tool is missing.
#
# cmake -DBUILD_DIR=.. -DWORK=.. -DAPP_ID=.. -P CheckPackage.cmake

foreach(tool dpkg-deb dpkg-shlibdeps)
  find_program(${tool}_program ${tool})
  if(NOT ${tool}_program)
    message(STATUS "SKIPPED: ${tool} is not installed")
    return()
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND cpack -G DEB -B "${WORK}" --config "${BUILD_DIR}/CPackConfig.cmake"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB deb "${WORK}/vexorel_*.deb")
if(NOT rc EQUAL 0 OR NOT deb)
  message(FATAL_ERROR "cpack -G DEB failed:\n${out}")
endif()

execute_process(COMMAND dpkg-deb -f "${deb}" Package Section Depends OUTPUT_VARIABLE fields)
if(NOT fields MATCHES "Package: vexorel\n" OR NOT fields MATCHES "Section: utils\n"
   OR NOT fields MATCHES "Depends:[^\n]*libqt6widgets6" OR NOT fields MATCHES "libc6")
  message(FATAL_ERROR "the package's name, section or computed dependencies are wrong:\n${fields}")
endif()
execute_process(COMMAND dpkg-deb -c "${deb}" OUTPUT_VARIABLE listing)
foreach(path usr/bin/vexorel usr/libexec/vexorel/vexorel-desktop usr/share/applications/${APP_ID}.desktop
             usr/share/metainfo/${APP_ID}.metainfo.xml usr/share/man/man1/vexorel-profile.1.gz)
  if(NOT listing MATCHES " \\./${path}\n")
    message(FATAL_ERROR "the package lacks /${path}:\n${listing}")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
