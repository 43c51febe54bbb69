# cmake -DBUILD_DIR=... -DPREFIX=... -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.22)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} RESULT_VARIABLE result OUTPUT_QUIET)
foreach(file bin/kontorwerk share/kontorwerk/KontorwerkPub.db share/kontorwerk/help/frmHaupt.html
             share/kontorwerk/profiles/sample.json share/applications/kontorwerk.desktop
             share/icons/hicolor/48x48/apps/kontorwerk.png share/icons/hicolor/256x256/apps/kontorwerk.png)
  if(NOT result EQUAL 0 OR NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "install (${result}) left out ${file}")
  endif()
endforeach()
file(STRINGS ${PREFIX}/share/applications/kontorwerk.desktop entry)
if(NOT "Exec=kontorwerk" IN_LIST entry OR NOT "Icon=kontorwerk" IN_LIST entry)
  message(FATAL_ERROR "the desktop entry names another program or icon")
endif()
file(REMOVE_RECURSE ${PREFIX})
