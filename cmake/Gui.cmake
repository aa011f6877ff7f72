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
