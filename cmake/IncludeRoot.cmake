# Each library's headers are reached as "<folder>/Header.h" through an include root of the library's own
# (in the build tree), which holds only a link to that folder of src/. So a target sees the headers of the
# libraries it links and of no others, and a library linked PRIVATE stays out of its users' sight.
get_filename_component(VEXOREL_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/../src ABSOLUTE)

function(vexorel_include_root target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${VEXOREL_SOURCE_ROOT}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
