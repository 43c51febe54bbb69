# cmake -DBUILD_DIR=... -DPREFIX=... -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.22)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  bin/kontorwerk
  share/kontorwerk/KontorwerkPub.db
  share/kontorwerk/help/index.html
  share/kontorwerk/help/frmHaupt.html
  share/kontorwerk/profiles/sample.json
  share/applications/kontorwerk.desktop
  share/icons/hicolor/48x48/apps/kontorwerk.png
  share/icons/hicolor/256x256/apps/kontorwerk.png)
foreach(file ${expected})
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "missing after install: ${file}")
  endif()
endforeach()
if(NOT IS_DIRECTORY ${PREFIX}/share/kontorwerk/help)
  message(FATAL_ERROR "help is no folder")
endif()

# The entry starts the installed program by name and shows the installed icon.
file(STRINGS ${PREFIX}/share/applications/kontorwerk.desktop entry)
foreach(line "Exec=kontorwerk" "Icon=kontorwerk" "Type=Application")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "desktop entry lacks ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
message(STATUS "install layout complete")
