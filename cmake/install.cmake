# Installation and the Debian package.
#
#   cmake --install build [--prefix DIR]     installs the layout below
#   (cd build && cpack -G DEB)               builds shaftline_<version>_<arch>.deb from it
#
# Both programs look for the sample workbook Data.xls beside their executable (after resolving
# symbolic links), and the support-scheme button looks beside it for its drawing. So the
# programs live in lib/shaftline/ with those files, and bin/ holds relative links to them:
#
#   bin/shaftline, bin/shaftline-calc       -> ../lib/shaftline/<program>
#   lib/shaftline/                          shaftline, shaftline-calc, Data.xls, ris.svg
#   lib/shaftline/modules/                  the calculator's writers of the PDF report and of
#                                           the results book, loaded for --report, --results
#   share/applications/, share/metainfo/    menu entry with the workbook types, AppStream data
#   share/icons/hicolor/                    the icon: scalable SVG and PNG sizes
#   share/man/man1/                         shaftline.1.gz, shaftline-calc.1.gz
#   share/doc/shaftline/                    copyright, changelog.gz, THIRD-PARTY.md
#   share/doc/shaftline/manual/             the HTML manual the help window shows
if(SHAFTLINE_CORE_ONLY)
  return()
endif()

include(GNUInstallDirs)

set(SHAFTLINE_VERSION ${PROJECT_VERSION})
set(SHAFTLINE_APP_ID org.shaftline.Shaftline)
set(SHAFTLINE_PROGRAM_DIR lib/shaftline)
set(SHAFTLINE_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/shaftline)
set(SHAFTLINE_ICON_SIZES 16 22 24 32 48 64 128 256)
set(DESKTOP_DIR ${CMAKE_SOURCE_DIR}/resources/desktop)
set(STAGE_DIR ${CMAKE_BINARY_DIR}/install-files)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# --- the programs and the files they look for beside themselves
install(TARGETS shaftline shaftline-calc RUNTIME DESTINATION ${SHAFTLINE_PROGRAM_DIR})
# The calculator loads its PDF and results-book writers from beside its real executable. In a
# folder of their own: they are no libraries for the dynamic linker's cache.
install(TARGETS shaftline_calc_pdf_module shaftline_calc_results_module
  LIBRARY DESTINATION ${SHAFTLINE_PROGRAM_DIR}/modules
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${CMAKE_SOURCE_DIR}/resources/Data.xls ${CMAKE_SOURCE_DIR}/resources/ris.svg
  DESTINATION ${SHAFTLINE_PROGRAM_DIR})

file(RELATIVE_PATH PROGRAMS_FROM_BIN
  /root/${CMAKE_INSTALL_BINDIR} /root/${SHAFTLINE_PROGRAM_DIR})
foreach(program shaftline shaftline-calc)
  file(MAKE_DIRECTORY ${STAGE_DIR}/bin)
  file(CREATE_LINK ${PROGRAMS_FROM_BIN}/${program} ${STAGE_DIR}/bin/${program} SYMBOLIC)
  install(FILES ${STAGE_DIR}/bin/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# --- generated files: icon sizes, compressed manual pages and changelog
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
add_executable(render_icon ${DESKTOP_DIR}/render_icon.cpp)
target_link_libraries(render_icon PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(render_icon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(ICON_SVG ${DESKTOP_DIR}/${SHAFTLINE_APP_ID}.svg)
set(ICON_PNGS)
foreach(size ${SHAFTLINE_ICON_SIZES})
  list(APPEND ICON_PNGS ${STAGE_DIR}/icons/${size}x${size}/apps/${SHAFTLINE_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${ICON_PNGS}
  COMMAND render_icon ${ICON_SVG} ${STAGE_DIR}/icons ${SHAFTLINE_ICON_SIZES}
  DEPENDS render_icon ${ICON_SVG}
  COMMENT "Rendering the program icon" VERBATIM)

# gzip -n keeps no name and time stamp, so the same source gives the same package.
set(GZIPPED)
foreach(source resources/man/shaftline.1 resources/man/shaftline-calc.1 resources/debian/changelog)
  get_filename_component(name ${source} NAME)
  set(copy ${STAGE_DIR}/gz/${name})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${source} ${copy}
    COMMAND gzip -9nf ${copy}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND GZIPPED ${copy}.gz)
endforeach()
add_custom_target(shaftline_install_files ALL DEPENDS ${ICON_PNGS} ${GZIPPED})

# --- desktop integration and documents
install(FILES ${DESKTOP_DIR}/${SHAFTLINE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${DESKTOP_DIR}/${SHAFTLINE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${STAGE_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
install(FILES ${STAGE_DIR}/gz/shaftline.1.gz ${STAGE_DIR}/gz/shaftline-calc.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${STAGE_DIR}/gz/changelog.gz ${CMAKE_SOURCE_DIR}/resources/debian/copyright
  ${CMAKE_SOURCE_DIR}/resources/THIRD-PARTY.md
  DESTINATION ${SHAFTLINE_DOC_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/manual/ DESTINATION ${SHAFTLINE_DOC_DIR}/manual
  FILES_MATCHING PATTERN "*.html" PATTERN "*.svg")
# The manual shows the support scheme that the programs keep beside themselves.
install(FILES ${CMAKE_SOURCE_DIR}/resources/ris.svg DESTINATION ${SHAFTLINE_DOC_DIR}/manual)

# --- the Debian package
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME shaftline)
set(CPACK_PACKAGE_VERSION ${SHAFTLINE_VERSION})
set(CPACK_PACKAGE_VENDOR "shaftline developers")
set(CPACK_PACKAGE_CONTACT "shaftline maintainers <maintainers@shaftline.example>")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the linked libraries: Qt needs a platform plugin to show a window at all, and finds
# the program's icon in the hicolor theme only where the theme itself is installed. The
# support-scheme button hands its drawing to the desktop's opener.
# libgsf is opened by name when a .xls book needs it, so no binary names it for the computed
# dependencies: its package is the one that holds the library the build found.
get_filename_component(GSF_LIBRARY_REAL ${GSF_LIBRARY_FILE} REALPATH)
execute_process(COMMAND dpkg-query -S ${GSF_LIBRARY_REAL} OUTPUT_VARIABLE GSF_OWNER
  RESULT_VARIABLE GSF_OWNER_STATUS ERROR_QUIET)
string(REGEX MATCH "^[^:,]+" GSF_PACKAGE "${GSF_OWNER}")
if(NOT GSF_OWNER_STATUS EQUAL 0 OR NOT GSF_PACKAGE)
  set(GSF_PACKAGE libgsf-1-114)
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, hicolor-icon-theme, ${GSF_PACKAGE}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# First line the synopsis; CPack indents the rest and marks the empty line as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "shaft-line calculator of a turbine unit
Ротовал computes the shaft line of a turbine unit: up to 19 rotors coupled
end to end, each on two supports. It gives every rotor's static elastic line
under its own weight, the journal angles and the angle break at every
coupling, aligns the shaft line to a base rotor and computes the support
rises from thermal growth, with the support elevations in the operating
mode, the assembly state and with horizontal supports.

It also gives the support loads and bending moments of the rotors rigidly
coupled, in the same three states, with the influence coefficients.

The package holds the windowed program (Russian user interface) with its
menu entry and its Russian manual, and shaftline-calc, the same calculation
on the command line. Both read shaft-line workbooks in the .xls, .xlsx and
.ods formats. The results go out as a readable text report or JSON
(the calculator), a PDF report (printed from the window as well)
and a results workbook (.xlsx); the window also saves the input as an .xlsx
workbook.")
include(CPack)

# --- the package test: build the .deb, look into it, run what it installs
find_program(DPKG_DEB dpkg-deb)
if(DPKG_DEB)
  add_test(NAME package_deb
    COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/package_test.sh
      ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR} ${SHAFTLINE_APP_ID} ${SHAFTLINE_VERSION})
  set_tests_properties(package_deb PROPERTIES TIMEOUT 600)
endif()
