# The Debian package. `make package` writes vezozil_<version>_<arch>.deb into the build tree from the
# build the tests ran on: the program, the default program folder with its generated sounds, the
# desktop and autostart entries, icons, AppStream metainfo, manual pages and the systemd units.

# The day this version was released: the manual pages and the metainfo carry it.
set(VEZOZIL_RELEASE_DATE 2026-12-08)

find_program(VEZOZIL_RSVG_CONVERT rsvg-convert)
find_program(VEZOZIL_GZIP gzip)
if(NOT VEZOZIL_RSVG_CONVERT OR NOT VEZOZIL_GZIP)
    message(FATAL_ERROR "rsvg-convert and gzip make the icons and manual pages: run scripts/install-deps")
endif()

# packaging/changelog must have an entry for the version being built; dpkg and lintian read it.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog VEZOZIL_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT VEZOZIL_CHANGELOG_TOP MATCHES "^vezozil \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog has no entry for version ${PROJECT_VERSION} at its top")
endif()

set(VEZOZIL_PKG_DIR ${CMAKE_BINARY_DIR}/packaging)
set(VEZOZIL_PKG_OUTPUTS)

# The bell icon in the hicolor theme: the drawing itself, and pictures of the sizes menus and panels ask for.
set(VEZOZIL_ICON ${CMAKE_SOURCE_DIR}/src/app/icons/vezozil.svg)
install(FILES ${VEZOZIL_ICON} DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    set(png ${VEZOZIL_PKG_DIR}/icons/${size}x${size}/vezozil.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VEZOZIL_PKG_DIR}/icons/${size}x${size}
        COMMAND ${VEZOZIL_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${VEZOZIL_ICON}
        DEPENDS ${VEZOZIL_ICON}
        VERBATIM)
    install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
    list(APPEND VEZOZIL_PKG_OUTPUTS ${png})
endforeach()

# Compressed the Debian way: best compression, no name or time stamp inside.
function(vezozil_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${VEZOZIL_GZIP} -9nc ${source} > ${output}
        DEPENDS ${source}
        VERBATIM)
    set(VEZOZIL_PKG_OUTPUTS ${VEZOZIL_PKG_OUTPUTS} ${output} PARENT_SCOPE)
endfunction()

configure_file(packaging/vezozil.1.in ${VEZOZIL_PKG_DIR}/man/vezozil.1 @ONLY)
configure_file(packaging/vezozil.tr.1.in ${VEZOZIL_PKG_DIR}/man/tr/vezozil.1 @ONLY)
vezozil_gzip(${VEZOZIL_PKG_DIR}/man/vezozil.1 ${VEZOZIL_PKG_DIR}/man/vezozil.1.gz)
vezozil_gzip(${VEZOZIL_PKG_DIR}/man/tr/vezozil.1 ${VEZOZIL_PKG_DIR}/man/tr/vezozil.1.gz)
vezozil_gzip(${CMAKE_SOURCE_DIR}/packaging/changelog ${VEZOZIL_PKG_DIR}/changelog.gz)
install(FILES ${VEZOZIL_PKG_DIR}/man/vezozil.1.gz DESTINATION share/man/man1)
install(FILES ${VEZOZIL_PKG_DIR}/man/tr/vezozil.1.gz DESTINATION share/man/tr/man1)
install(FILES ${VEZOZIL_PKG_DIR}/changelog.gz packaging/copyright DESTINATION share/doc/vezozil)

configure_file(packaging/tr.org.vezozil.vezozil.metainfo.xml.in
    ${VEZOZIL_PKG_DIR}/tr.org.vezozil.vezozil.metainfo.xml @ONLY)
install(FILES ${VEZOZIL_PKG_DIR}/tr.org.vezozil.vezozil.metainfo.xml DESTINATION share/metainfo)
install(FILES packaging/vezozil.desktop DESTINATION share/applications)

add_custom_target(vezozil_packaging ALL DEPENDS ${VEZOZIL_PKG_OUTPUTS})

# Start with the computer: the autostart entry, installed hidden, and the launcher it runs.
install(FILES packaging/vezozil-autostart.desktop DESTINATION /etc/xdg/autostart RENAME vezozil.desktop)
install(PROGRAMS packaging/vezozil-autostart DESTINATION libexec/vezozil)
# Supervision: the user unit of a desktop session, and the system unit of a PC nobody logs in to.
install(FILES packaging/vezozil.service DESTINATION lib/systemd/user)
install(FILES packaging/vezozil-headless.service DESTINATION /lib/systemd/system)
install(FILES packaging/polkit-vezozil.rules DESTINATION share/polkit-1/rules.d RENAME 60-vezozil.rules)
# USB HID relays reachable without root, once the rule ships.
if(EXISTS ${CMAKE_SOURCE_DIR}/packaging/60-vezozil-usbrelay.rules)
    install(FILES packaging/60-vezozil-usbrelay.rules DESTINATION /lib/udev/rules.d)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vezozil)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vezo Zil")
set(CPACK_PACKAGE_CONTACT "Vezo Zil <destek@vezozil.org.tr>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "school bell controller")
set(CPACK_PACKAGE_DESCRIPTION [=[Vezo Zil rings a school's bells from a weekly timetable. It runs all day
on the PC beside the public-address amplifier: at each bell time it plays
the melody chosen for that kind of bell through the sound card and
switches the amplifier on through a relay. In marked breaks it plays
music or starts an outside program; on demand it plays the national
anthem, a moment of silence or a siren; in the evening it shuts the
computer down. Everything the operator sees is in Turkish.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vezozil.org.tr)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not say: the window system's plugins, the SVG icon, Qt's own Turkish buttons,
# and adduser for the headless service's user.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adduser, libqt6svg6, qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "polkitd, sox")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/packaging/conffiles
    ${CMAKE_SOURCE_DIR}/packaging/postinst
    ${CMAKE_SOURCE_DIR}/packaging/prerm
    ${CMAKE_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# /etc and /lib sit outside the prefix: the files are staged under DESTDIR, prefix and all.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
