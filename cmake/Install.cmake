# Installation in the layout of a Linux program: the executables in bin/, their data in
# share/marvessa/ (which an installed program seeds the user's data folder from), the desktop
# entry, icon, file type, AppStream metadata, manual pages and documents in their shared places.
# The build folder itself stays a program folder that runs as it is: the data files are copied
# beside the executables.
include(GNUInstallDirs)
set(MARVESSA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/marvessa)

# Data the program reads from its program folder: copied beside the executables in the build
# folder and installed into share/marvessa/. Every data file the program ships is named here.
function(marvessa_data_files)
  foreach(file ${ARGN})
    get_filename_component(name ${file} NAME)
    configure_file(${file} ${CMAKE_BINARY_DIR}/${name} COPYONLY)
    install(FILES ${file} DESTINATION ${MARVESSA_DATA_DIR})
  endforeach()
endfunction()

marvessa_data_files(app/help.htm search/address-rules.dat)
# The maintained engine file the build packs beside the executables: the package seeds it into
# the user's program folder.
install(FILES ${CMAKE_BINARY_DIR}/Trovik.dat DESTINATION ${MARVESSA_DATA_DIR})

install(TARGETS marvessa-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Manual pages, with the version filled in and compressed as Debian installs them.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(page marvessa marvessa-cli)
  configure_file(docs/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.1.gz
                     COMMAND ${GZIP_PROGRAM} -9nf -k ${CMAKE_BINARY_DIR}/man/${page}.1
                     DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.1)
  list(APPEND MARVESSA_MAN_PAGES ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
endforeach()
add_custom_target(marvessa_man_pages ALL DEPENDS ${MARVESSA_MAN_PAGES})
install(FILES ${MARVESSA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md docs/scale-out.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/marvessa)

if(TARGET marvessa)
  install(TARGETS marvessa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES app/marvessa.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES app/marvessa.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES app/marvessa-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME marvessa.xml)
  install(FILES app/example.marvessa.Marvessa.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
