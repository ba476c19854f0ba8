# Makes the two Windows packages from the built programs: a portable zip and the installer.
#   cmake -DSTAGE=... -DOUT=... -DVERSION=... -DPROGRAMS="a.exe;b.exe" -DSTRIP=... -DMAKENSIS=...
#         -DSOURCE_DIR=... -DNOTICES=... -DSOURCE_TXT=... -DQT_COPYRIGHT=... -DLGPL=... -P Package.cmake
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})

foreach(program IN LISTS PROGRAMS)
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${STRIP} --strip-all -o ${STAGE}/${name} ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
configure_file(${SOURCE_DIR}/README.md ${STAGE}/README.md COPYONLY)
configure_file(${SOURCE_DIR}/LICENSE ${STAGE}/LICENSE.txt COPYONLY)
configure_file(${SOURCE_DIR}/resources/windows/vexorel.ico ${STAGE}/vexorel.ico COPYONLY)
configure_file(${SOURCE_TXT} ${STAGE}/SOURCE.txt COPYONLY)

# The notices: our header, then Qt's and its bundled libraries' statements, then the LGPL's text.
file(READ ${NOTICES} notices)
file(READ ${QT_COPYRIGHT} qt_copyright)
file(READ ${LGPL} lgpl)
set(rule "========================================================================================================")
file(WRITE ${STAGE}/THIRD-PARTY-NOTICES.txt
     "${notices}${qt_copyright}\n${rule}\nGNU Lesser General Public License version 3\n${rule}\n\n${lgpl}")

# The zip unpacks into a folder of its own; the program keeps its files in the folder it starts in.
set(folder Vexorel-${VERSION})
set(zip_root ${OUT}/zip)
file(REMOVE_RECURSE ${zip_root})
file(MAKE_DIRECTORY ${zip_root}/${folder})
file(GLOB staged ${STAGE}/*)
list(FILTER staged EXCLUDE REGEX "\\.ico$")
file(COPY ${staged} DESTINATION ${zip_root}/${folder})
set(zip ${OUT}/Vexorel-${VERSION}-windows-x64.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${folder}
                WORKING_DIRECTORY ${zip_root} COMMAND_ERROR_IS_FATAL ANY)

set(installer ${OUT}/Vexorel-${VERSION}-setup.exe)
execute_process(COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DSTAGE=${STAGE} -DOUTFILE=${installer}
                        ${SOURCE_DIR}/packaging/windows/vexorel.nsi
                COMMAND_ERROR_IS_FATAL ANY)

foreach(file IN ITEMS ${STAGE}/vexorel.exe ${STAGE}/vexorel-profile.exe ${zip} ${installer})
  file(SIZE ${file} bytes)
  math(EXPR kib "(${bytes} + 1023) / 1024")
  get_filename_component(name ${file} NAME)
  message(STATUS "${name}: ${kib} KiB")
endforeach()
