# Gives a Windows program the Vexorel icon, the application manifest and a version resource.
#   vexorel_windows_resources(TARGET "Description Explorer shows")
function(vexorel_windows_resources target description)
  set(VEXOREL_RC_NAME ${target})
  set(VEXOREL_RC_DESCRIPTION "${description}")
  set(VEXOREL_RC_DIR ${PROJECT_SOURCE_DIR}/resources/windows)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS
               ${VEXOREL_RC_DIR}/vexorel.ico ${VEXOREL_RC_DIR}/vexorel.manifest)
endfunction()
