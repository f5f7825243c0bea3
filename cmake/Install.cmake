# `cmake --install` lays the program out as a freedesktop system expects: the programs in bin
# (agendrix-lm beside agendrix, where the program's menu looks for it), what the program folder
# is seeded from in share/agendrix (the program finds it as ../share/agendrix from its own
# folder), the desktop entry, the MIME packages and the icons in their shared places.
include(GNUInstallDirs)

install(TARGETS agendrix agendrix-cli agendrix-lm RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(AGENDRIX_SHARE ${CMAKE_INSTALL_DATADIR}/agendrix)
foreach(skin IN LISTS AGENDRIX_SKIN_NAMES)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/skins/${skin} DESTINATION ${AGENDRIX_SHARE}/Skins)
endforeach()
install(FILES "${PROJECT_SOURCE_DIR}/resources/HTML Format.htm" DESTINATION ${AGENDRIX_SHARE})
if(EXISTS ${PROJECT_SOURCE_DIR}/resources/help)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help DESTINATION ${AGENDRIX_SHARE})
endif()

set(AGENDRIX_APP_BUILD ${PROJECT_BINARY_DIR}/src/app)
install(DIRECTORY ${AGENDRIX_APP_BUILD}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(DIRECTORY ${AGENDRIX_APP_BUILD}/desktop/applications ${AGENDRIX_APP_BUILD}/desktop/mime
    DESTINATION ${CMAKE_INSTALL_DATADIR})
