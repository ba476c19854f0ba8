# Arrows point down only. Reads every #include, quoted or angled, of src/, tests/, tools/, fuzz/ and bench/,
# finds the project file it names, and stops with the offending lines when a folder includes one it may
# not. Run on every build (the layer_check target) and as a test:
#   cmake -DROOT=<source tree> -P CheckLayers.cmake

cmake_minimum_required(VERSION 3.21)

# Which folder may include which. A folder may always include its own headers; the deepest folder named
# here that holds a file is the one whose rule applies to it.
set(windows src/startup src/mainwindow src/editor src/settingsets)
set(ALLOW_src/platform/formats "")
set(ALLOW_src/platform src/platform/formats src/platform/linux src/platform/win32)  # NativePlatform.h picks one
set(ALLOW_src/platform/linux src/platform src/platform/formats)
set(ALLOW_src/platform/win32 src/platform src/platform/formats)
set(ALLOW_src/core src/platform)
set(ALLOW_src/ui src/core src/platform)
foreach(window IN LISTS windows)
  set(ALLOW_${window} src/ui src/core src/platform)
endforeach()
set(ALLOW_src/app ${windows} src/ui src/core src/platform)

set(everything src/app ${ALLOW_src/app} src/platform/formats tests/support/core tests/support/gui)
set(ALLOW_tests/support/core src/core src/platform)
set(ALLOW_tests/support/gui ${everything})
set(ALLOW_tests/platform src/platform src/platform/formats tests/support/core)
set(ALLOW_tests/platform/linux src/platform/linux tests/platform ${ALLOW_tests/platform})
set(ALLOW_tests/platform/win32 src/platform/win32 tests/platform ${ALLOW_tests/platform})
set(ALLOW_tests/core src/core src/platform tests/support/core)
# The window suites drive the whole program, as a user does, so they may see every window.
foreach(suite ui startup mainwindow editor settingsets app safety)
  set(ALLOW_tests/${suite} ${everything})
endforeach()
list(APPEND ALLOW_tests/safety src/platform/linux)
set(ALLOW_tools/vexorel-profile src/platform src/core)
set(ALLOW_tools/screenshots ${everything})
set(ALLOW_fuzz src/platform/formats)
set(ALLOW_bench src/platform src/platform/linux src/platform/formats)
set(ALLOW_bench/windows src/platform src/platform/win32 src/platform/formats)

# The deepest folder with a rule that holds `path` (relative to ROOT), or "" for none.
function(owning_folder path out)
  set(found "")
  while(NOT path STREQUAL "" AND NOT path STREQUAL ".")
    get_filename_component(path ${path} DIRECTORY)
    if(DEFINED ALLOW_${path})
      set(found ${path})
      break()
    endif()
  endwhile()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(problems "")
file(GLOB_RECURSE files RELATIVE ${ROOT}
     ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp
     ${ROOT}/fuzz/*.h ${ROOT}/fuzz/*.cpp ${ROOT}/bench/*.h ${ROOT}/bench/*.cpp)
foreach(file IN LISTS files)
  owning_folder(${file} folder)
  if(folder STREQUAL "")
    continue()
  endif()
  get_filename_component(here ${file} DIRECTORY)
  string(REGEX MATCH "^[^/]+" tree ${file})  # src, tests, ...
  file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^<\"]*[<\"]([^>\"]*)[>\"].*$" "\\1" name "${line}")
    # Where the compiler would find it among the project's files: beside the file, in its own tree's
    # include root (tests/ for the tests), or in src/. Anything else is a system or library header.
    set(target "")
    foreach(candidate ${here}/${name} ${tree}/${name} src/${name})
      if(EXISTS ${ROOT}/${candidate} AND NOT IS_DIRECTORY ${ROOT}/${candidate})
        get_filename_component(target ${ROOT}/${candidate} ABSOLUTE)
        file(RELATIVE_PATH target ${ROOT} ${target})
        break()
      endif()
    endforeach()
    if(target STREQUAL "")
      continue()
    endif()
    owning_folder(${target} target_folder)
    if(NOT target_folder STREQUAL folder AND NOT target_folder IN_LIST ALLOW_${folder})
      string(APPEND problems "\n  ${file}: ${line}")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "These includes point up or sideways between layers:${problems}")
endif()
