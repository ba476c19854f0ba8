# Makes the Debian package from the build tree as a release is made (`cpack -G DEB`, stripped binaries)
# and checks it as a distribution would: its section and computed dependencies, and lintian's verdict, with no
# error and no warning allowed. Its files are the install's, which CheckInstall.cmake checks. Skipped where a
# Debian tool is missing.
#
# cmake -DBUILD_DIR=.. -DWORK=.. -DAPP_ID=.. -P CheckPackage.cmake

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

# The changelog's newest entry and the metainfo's newest release name this version; lintian does not
# compare them, and a version raised without them would ship stale notes.
execute_process(COMMAND dpkg-deb -f "${deb}" Version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND dpkg-deb -x "${deb}" "${WORK}/root")
execute_process(COMMAND gzip -dc "${WORK}/root/usr/share/doc/vexorel/changelog.gz" OUTPUT_VARIABLE changelog)
file(READ "${WORK}/root/usr/share/metainfo/${APP_ID}.metainfo.xml" metainfo)
if(NOT changelog MATCHES "^vexorel \\(${version}\\) " OR NOT metainfo MATCHES "<releases>[ \n]*<release version=\"${version}\"")
  message(FATAL_ERROR "the changelog's or the metainfo's newest entry is not version ${version}")
endif()

execute_process(COMMAND lintian --fail-on error,warning "${deb}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lintian finds errors or warnings:\n${out}")
endif()
file(REMOVE_RECURSE "${WORK}")
