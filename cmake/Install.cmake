# What `cmake --install` puts under the prefix: the program everywhere; on Linux and other
# free desktops also its icon in the hicolor theme, a desktop entry, AppStream metadata and
# the documents a Debian package carries. cmake/Package.cmake turns the result into a .deb.
include(GNUInstallDirs)

install(TARGETS krvnm RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

if(WIN32)
    return()
endif()

# One name for the desktop entry, the AppStream component and the icon, in reverse-DNS
# form from the maker's domain (quillonworks.example).
set(KRVNM_APP_ID "example.quillonworks.krvnm")
# The day the version in project() was released; the AppStream release history and the
# Debian changelog both take it.
set(KRVNM_RELEASE_DATE "2026-12-07")
set(KRVNM_PACKAGE_NAME "korvane-manager")
# Where the maker publishes the screenshots scripts/test saves in build/tests/screenshots/.
set(KRVNM_SCREENSHOTS_URL "https://www.quillonworks.example/korvane-manager/screenshots")

set(packaging "${PROJECT_SOURCE_DIR}/packaging/linux")
set(generated "${PROJECT_BINARY_DIR}/packaging")

foreach(size IN ITEMS 16 32 48 256)
    install(FILES "${PROJECT_SOURCE_DIR}/resources/krvnm-${size}.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
        RENAME "${KRVNM_APP_ID}.png")
endforeach()
install(FILES "${PROJECT_SOURCE_DIR}/resources/krvnm.svg"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
    RENAME "${KRVNM_APP_ID}.svg")

configure_file("${packaging}/krvnm.desktop.in" "${generated}/${KRVNM_APP_ID}.desktop" @ONLY)
install(FILES "${generated}/${KRVNM_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")

configure_file("${packaging}/krvnm.metainfo.xml.in" "${generated}/${KRVNM_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${generated}/${KRVNM_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# Debian's policy: the copyright notice, a changelog and the manual page, the last two
# compressed with gzip -9n.
execute_process(COMMAND date -u -R -d "${KRVNM_RELEASE_DATE} 12:00:00"
    OUTPUT_VARIABLE KRVNM_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(document IN ITEMS changelog krvnm.1)
    configure_file("${packaging}/${document}.in" "${generated}/${document}" @ONLY)
    execute_process(COMMAND gzip -9nc "${generated}/${document}" OUTPUT_FILE "${generated}/${document}.gz"
        RESULT_VARIABLE gzip_result)
    if(NOT gzip_result EQUAL 0)
        message(FATAL_ERROR "gzip could not compress ${generated}/${document}")
    endif()
endforeach()
install(FILES "${generated}/changelog.gz" "${packaging}/copyright"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/${KRVNM_PACKAGE_NAME}")
install(FILES "${generated}/krvnm.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

include("${CMAKE_CURRENT_LIST_DIR}/Package.cmake")
