# The layer check stops at a wrong include of either kind, in src/, tests/ and tools/ alike, and passes
# the same tree once those lines are gone.
#   cmake -DCHECK=<CheckLayers.cmake> -DWORK=<scratch folder> -P WrongIncludes.cmake
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/src/mainwindow/Frmmain.h "#pragma once\n")
file(WRITE ${WORK}/src/ui/FormWindow.h "#pragma once\n")
file(WRITE ${WORK}/src/core/SetRules.h "#pragma once\n#include <vector>\n")
file(WRITE ${WORK}/src/editor/Form4.cpp "#include <mainwindow/Frmmain.h>\n#include \"ui/FormWindow.h\"\n")
file(WRITE ${WORK}/src/core/SetRules.cpp "#include \"../ui/FormWindow.h\"\n#include \"core/SetRules.h\"\n")
file(WRITE ${WORK}/tests/core/RulesTest.cpp "#include \"ui/FormWindow.h\"\n")
file(WRITE ${WORK}/tools/vexorel-profile/main.cpp "#include <mainwindow/Frmmain.h>\n")

function(check expect_failure)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -P ${CHECK} RESULT_VARIABLE status ERROR_VARIABLE said)
  if(expect_failure AND status EQUAL 0)
    message(FATAL_ERROR "the check passed a tree with wrong includes")
  elseif(NOT expect_failure AND NOT status EQUAL 0)
    message(FATAL_ERROR "the check refused a clean tree:\n${said}")
  endif()
  set(said "${said}" PARENT_SCOPE)
endfunction()

check(TRUE)
foreach(expected "src/editor/Form4.cpp: #include <mainwindow/Frmmain.h>"
                 "src/core/SetRules.cpp: #include \"../ui/FormWindow.h\""
                 "tests/core/RulesTest.cpp: #include \"ui/FormWindow.h\""
                 "tools/vexorel-profile/main.cpp: #include <mainwindow/Frmmain.h>")
  string(FIND "${said}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the check did not name `${expected}`:\n${said}")
  endif()
endforeach()
foreach(allowed "src/editor/Form4.cpp: #include \"ui/" "src/core/SetRules.cpp: #include \"core/")
  string(FIND "${said}" "${allowed}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "the check refused an allowed include `${allowed}`:\n${said}")
  endif()
endforeach()

file(WRITE ${WORK}/src/editor/Form4.cpp "#include \"ui/FormWindow.h\"\n")
file(WRITE ${WORK}/src/core/SetRules.cpp "#include \"core/SetRules.h\"\n")
file(REMOVE ${WORK}/tests/core/RulesTest.cpp ${WORK}/tools/vexorel-profile/main.cpp)
check(FALSE)
