# The Debian package, by CPack from what cmake/Install.cmake installs: `cpack -G DEB` in the
# build folder, or scripts/package.sh for the whole way from a fresh machine.
if(NOT UNIX OR APPLE)
    return()
endif()

set(SURVEY_DEB_DIR ${PROJECT_SOURCE_DIR}/packaging/deb)

# Debian wants a copyright file and a changelog in the package's documents; the changelog of a
# package without a Debian revision is changelog.gz.
install(FILES ${SURVEY_DEB_DIR}/copyright DESTINATION ${SURVEY_DOC_DIR})
set(SURVEY_CHANGELOG ${PROJECT_BINARY_DIR}/packaging/changelog)
add_custom_command(OUTPUT ${SURVEY_CHANGELOG}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${SURVEY_DEB_DIR}/changelog ${SURVEY_CHANGELOG}
    COMMAND ${GZIP} -9 -n -f ${SURVEY_CHANGELOG}
    DEPENDS ${SURVEY_DEB_DIR}/changelog
    VERBATIM)
add_custom_target(survey_changelog ALL DEPENDS ${SURVEY_CHANGELOG}.gz)
install(FILES ${SURVEY_CHANGELOG}.gz DESTINATION ${SURVEY_DOC_DIR})
install(FILES ${SURVEY_DEB_DIR}/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME school-survey)

# The newest changelog entry names the version being packaged.
file(STRINGS ${SURVEY_DEB_DIR}/changelog survey_changelog_top LIMIT_COUNT 1)
if(NOT survey_changelog_top MATCHES "^school-survey \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/deb/changelog does not begin with version ${PROJECT_VERSION}: "
        "add an entry for it")
endif()

find_program(DPKG dpkg)
if(DPKG)
    execute_process(COMMAND ${DPKG} --print-architecture
        OUTPUT_VARIABLE SURVEY_DEB_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
else()
    set(SURVEY_DEB_ARCH amd64)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME school-survey)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "School survey developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "questionnaire for school pupils, one record per pupil")
set(CPACK_PACKAGE_DESCRIPTION "\
A desktop data-entry program for monitoring the quality of school education.
A pupil of classes 5 to 11 walks through a fixed sequence of screens in
Russian: class, stream and gender, quarter grades, homework and distraction
time, interest in subjects, favourite and most demanding teachers and, when
the class has a roster workbook, classmate choices. The answers are appended
as one fixed-width Windows-1251 record to the statistics file of the class.

The package carries the program, the lab wrapper school-survey-lab that starts
it in the lab's shared working folder, a menu launcher, and survey-data, which
checks, exports and summarises the statistics files and checks class rosters.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME ${CPACK_PACKAGE_NAME}_${CPACK_PACKAGE_VERSION}_${SURVEY_DEB_ARCH}.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${SURVEY_DEB_ARCH})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "School survey developers <survey@school-survey.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# Qt, FreeXL and the C++ runtime are found by dpkg-shlibdeps in the programs; the project's own
# libraries are static and need nothing. What the programs need without linking it:
set(survey_hand_depends
    # The xcb platform plugin: Qt's GUI library only recommends it, and without it the program
    # cannot open a window on an X desktop.
    qt6-qpa-plugins
    # The screens name Arial and Tahoma; Liberation Sans and DejaVu Sans stand in for them,
    # otherwise Qt falls back to a monospace font and the captions do not fit.
    fonts-liberation
    fonts-dejavu-core
    # postinst creates the group school-survey with addgroup.
    adduser
    # school-survey-lab shows its errors in a dialog on the desktop.
    "zenity | kdialog"
)
list(JOIN survey_hand_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# The group, the working folder and its lock file are made by postinst; /etc/school-survey is
# the administrator's to edit and survives upgrades.
configure_file(${SURVEY_DEB_DIR}/postinst.in ${PROJECT_BINARY_DIR}/packaging/deb/postinst @ONLY)
configure_file(${SURVEY_DEB_DIR}/postrm.in ${PROJECT_BINARY_DIR}/packaging/deb/postrm @ONLY)
configure_file(${SURVEY_DEB_DIR}/conffiles.in ${PROJECT_BINARY_DIR}/packaging/deb/conffiles @ONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_BINARY_DIR}/packaging/deb/postinst
    ${PROJECT_BINARY_DIR}/packaging/deb/postrm
    ${PROJECT_BINARY_DIR}/packaging/deb/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)
