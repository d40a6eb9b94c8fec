# What `cmake --install` puts where, and the Debian package CPack makes of it. Paths under the
# prefix follow GNUInstallDirs; the program finds its sample files relative to its own
# location, so nothing here is baked into the binaries.
include(GNUInstallDirs)

set(PORUKA_APP_ID org.poruka.Poruka)   # names the desktop entry, the icon and the metadata
set(PORUKA_MAINTAINER "The Poruka developers <poruka-developers@example.org>")
set(packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS poruka poruka-box RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES
          ${PROJECT_SOURCE_DIR}/data/EKION.CSV ${PROJECT_SOURCE_DIR}/data/KION.CSV
          ${PROJECT_SOURCE_DIR}/data/VORUM1.CSV ${PROJECT_SOURCE_DIR}/data/VORUM2.CSV
          ${PROJECT_SOURCE_DIR}/data/VORUM.TXT
        DESTINATION ${CMAKE_INSTALL_DATADIR}/poruka)

install(FILES ${packaging}/${PORUKA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/${PORUKA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The menu icon is drawn at build time by the same code that draws the window icon.
add_subdirectory(tools/icon)
set(generated ${PROJECT_BINARY_DIR}/install-files)
set(generated_files)
foreach(size 32 64 128 256)
  set(png ${generated}/icons/${size}x${size}/${PORUKA_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${size}x${size}
                     COMMAND poruka-icon ${size} ${png}
                     DEPENDS poruka-icon
                     VERBATIM)
  list(APPEND generated_files ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and the changelog are installed compressed, without a timestamp inside (-n),
# so that two builds of the same sources give the same package.
# A fourth argument names a subfolder of the generated files, for a page of the same name in
# another language.
function(poruka_gzip source name destination)
  set(folder ${generated}/${ARGN})
  set(gz ${folder}/${name}.gz)
  add_custom_command(OUTPUT ${gz}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                     COMMAND ${CMAKE_COMMAND} -E copy ${source} ${folder}/${name}
                     COMMAND gzip -9nf ${folder}/${name}
                     DEPENDS ${source}
                     VERBATIM)
  set(generated_files ${generated_files} ${gz} PARENT_SCOPE)
  install(FILES ${gz} DESTINATION ${destination})
endfunction()
poruka_gzip(${packaging}/poruka.1 poruka.1 ${CMAKE_INSTALL_MANDIR}/man1)
poruka_gzip(${packaging}/poruka-box.1 poruka-box.1 ${CMAKE_INSTALL_MANDIR}/man1)
poruka_gzip(${packaging}/poruka.ja.1 poruka.1 ${CMAKE_INSTALL_MANDIR}/ja/man1 ja)
poruka_gzip(${packaging}/changelog changelog ${CMAKE_INSTALL_DOCDIR})
add_custom_target(poruka-install-files ALL DEPENDS ${generated_files})

install(FILES ${packaging}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package: poruka_<version>_amd64.deb, its library dependencies found by
# dpkg-shlibdeps from the binaries, plus what the program loads by name at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME poruka)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Poruka developers")
set(CPACK_PACKAGE_CONTACT ${PORUKA_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PORUKA_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese text needs a Japanese font; Qt's own dialogs and buttons speak Japanese with its
# translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "measure temperature and air pressure in science class (温度と気圧)")
# CPack puts the summary above this as the description's first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A program for school science classes. It polls the Poruka sensor box on a
serial port for the temperature and the air pressure, shows both as numbers,
as a thermometer and as a barometer, records a run as two curves on a time
graph (one sample a minute or ten a second) and shows coloured alert messages
when a value crosses a threshold. The recorded data can be saved as CSV and
the graph as a PNG picture. The interface is in Japanese.
.
The package also holds poruka-box, a stand-in sensor box on a
pseudo-terminal, to try the program without hardware.")
include(CPack)

# The package itself, unpacked and started from a temporary folder, finds its sample files
# beside its own bin/. It packs this build, so it runs after everything is built.
if(BUILD_TESTING)
  add_test(NAME Package.ExtractedPackageFillsTheClassFolder
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/extracted_package_test.sh
                   ${PROJECT_BINARY_DIR})
endif()
