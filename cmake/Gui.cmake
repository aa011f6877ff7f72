# The Qt desktop window: the w* units of every subsystem folder, over the core.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

set(GUI_SOURCES "")
foreach(dir ${CORE_DIRS})
  file(GLOB dir_sources CONFIGURE_DEPENDS ${dir}/w*.cpp)
  list(APPEND GUI_SOURCES ${dir_sources})
endforeach()

add_library(marvessa_gui STATIC ${GUI_SOURCES})
set_target_properties(marvessa_gui PROPERTIES AUTOMOC ON)
target_link_libraries(marvessa_gui PUBLIC marvessa_core Qt6::Widgets)
# The program icon, drawn from the resource ":/marvessa.svg".
qt_add_resources(marvessa_gui marvessa_icons PREFIX "/" BASE app FILES app/marvessa.svg)

add_executable(marvessa app/Main.cpp)
target_link_libraries(marvessa PRIVATE marvessa_gui)
install(TARGETS marvessa RUNTIME DESTINATION .)

# The desktop entry names the installed program and icon by their paths under the prefix the
# installation is made to.
install(FILES app/marvessa.svg DESTINATION share/icons/hicolor/scalable/apps)
# The search document type the desktop entry declares.
install(FILES app/marvessa-mime.xml DESTINATION share/mime/packages RENAME marvessa.xml)
install(CODE "
  set(MARVESSA_EXEC \"\${CMAKE_INSTALL_PREFIX}/marvessa\")
  set(MARVESSA_ICON \"\${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/scalable/apps/marvessa.svg\")
  configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/app/marvessa.desktop\"
                 \"${CMAKE_BINARY_DIR}/desktop/marvessa.desktop\" @ONLY)
  file(INSTALL \"${CMAKE_BINARY_DIR}/desktop/marvessa.desktop\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\")
")
