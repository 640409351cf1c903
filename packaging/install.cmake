# What `cmake --install` and the Debian package put beside the programs.
include(GNUInstallDirs)

if(ZOLVANE_GUI)
  set(guiManual ${CMAKE_CURRENT_BINARY_DIR}/zolvane.1.gz)
  add_custom_command(
    OUTPUT ${guiManual}
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/packaging/zolvane.1 ${guiManual}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/zolvane.1
    VERBATIM)
  add_custom_target(gui-manual ALL DEPENDS ${guiManual})
  install(FILES ${guiManual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT zolvane)
  install(FILES packaging/zolvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          COMPONENT zolvane)
  install(FILES packaging/zolvane.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT zolvane)
  # What makes a .bna file open in the window from a file manager.
  install(FILES packaging/zolvane-bna.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          COMPONENT zolvane)
endif()

set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(
  OUTPUT ${changelog}
  COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/packaging/changelog
          ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(changelog ALL DEPENDS ${changelog})
# Each package carries its copyright and changelog.
foreach(package zolvane-cli zolvane)
  install(FILES packaging/copyright ${changelog}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${package})
endforeach()

# The sample files every --help example reads, copied by users to a folder they can write to.
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zolvane/examples
        COMPONENT zolvane-cli)

# Two packages: zolvane-cli, the converters without any GUI library, and zolvane, the window
# and plot, which depends on it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zolvane)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL zolvane-cli)
if(ZOLVANE_GUI)
  list(APPEND CPACK_COMPONENTS_ALL zolvane)
endif()
set(CPACK_DEBIAN_ZOLVANE-CLI_PACKAGE_NAME zolvane-cli)
set(CPACK_DEBIAN_ZOLVANE_PACKAGE_NAME zolvane)
set(CPACK_DEBIAN_ZOLVANE_PACKAGE_DEPENDS "zolvane-cli (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_ZOLVANE-CLI_DESCRIPTION
    "marine geoscience file converters for the command line\n\
zolvane-cli converts between the text formats of survey, GIS and mapping\n\
packages (BNA, XYZ, KML, HYPACK, GEBCO, DAF, Miramon VEC, Surfer grids,\n\
GMT, DXF and others), transforms coordinates, plans surveys and computes\n\
IGRF anomalies from a shell. It needs no graphical libraries.")
set(CPACK_COMPONENT_ZOLVANE_DESCRIPTION
    "marine geoscience file converter and survey toolkit (window)\n\
The Zolvane window runs every converter of zolvane-cli from menus and\n\
dialogs and shows files in a preview; zolvane-cli plot draws maps.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zolvane developers <zolvane@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "marine geoscience file converter and survey toolkit")
set(CPACK_PACKAGE_DESCRIPTION
    "Zolvane converts between the text formats of survey, GIS and mapping\n\
packages (BNA, XYZ, KML, HYPACK, GEBCO, DAF, Miramon VEC, Surfer grids,\n\
GMT, DXF and others), transforms coordinates between geographic and UTM,\n\
plans surveys, corrects towed-vehicle positions and computes IGRF\n\
anomalies, from a window or from the zolvane-cli command.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
