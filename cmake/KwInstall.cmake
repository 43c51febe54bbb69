# `cmake --install build --prefix DIR` lays the program out as it looks for
# its data: DIR/bin/kontorwerk finds DIR/share/kontorwerk (Paths.cpp), and the
# desktop finds the entry and its icon under DIR/share. The paths are fixed,
# not GNUInstallDirs', because the program's lookup is.
install(TARGETS kontorwerk RUNTIME DESTINATION bin)
install(DIRECTORY ${KW_DATA_DIR}/ DESTINATION share/kontorwerk)
install(DIRECTORY ${KW_ICON_DIR}/ DESTINATION share/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/kontorwerk.desktop DESTINATION share/applications)
