# Makes the Debian package from the build tree as a release is made (`cpack -G DEB`, stripped binaries)
# and checks it as a distribution would: its section and computed dependencies, and lintian's verdict, with no
# error and no warning allowed. Its files are the install's, which CheckInstall.cmake checks. Skipped where a
# Debian tool is missing.
#
# cmake -DBUILD_DIR=.. -DWORK=.. -P CheckPackage.cmake

foreach(tool dpkg-deb dpkg-shlibdeps lintian)
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

execute_process(COMMAND lintian --fail-on error,warning "${deb}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lintian finds errors or warnings:\n${out}")
endif()
file(REMOVE_RECURSE "${WORK}")
