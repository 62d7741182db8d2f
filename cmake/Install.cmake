# What `cmake --install` puts in place, in the GNU layout: the program as school-survey, the
# survey-data tool, and for a Linux desktop the lab wrapper, the launcher, the icon, the manual
# pages (compressed) and the documents. Packaging (cmake/Package.cmake) takes exactly this.
# The layout is a system's: /usr with /etc and /var/lib, as the package and the wrapper expect.
# A hand installation elsewhere passes -DCMAKE_INSTALL_PREFIX=DIR.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT AND UNIX AND NOT APPLE)
    set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Install prefix" FORCE)
endif()
include(GNUInstallDirs)

# Folders made on the way get the usual 0755 whatever the umask of whoever installs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(SURVEY_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(SURVEY_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/school-survey)

# The build target keeps its name; the installed file gets the name people type. install(TARGETS)
# cannot rename, so the file is installed as a program and stripped here when asked to be.
install(PROGRAMS $<TARGET_FILE:school_survey> DESTINATION ${CMAKE_INSTALL_BINDIR}
    RENAME school-survey$<$<PLATFORM_ID:Windows>:.exe>)
if(CMAKE_STRIP)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND \"${CMAKE_STRIP}\"
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/school-survey\")
        endif()")
endif()
install(TARGETS survey-data RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES README.md DESTINATION ${SURVEY_DOC_DIR})
install(FILES docs/operator-guide.md DESTINATION ${SURVEY_DOC_DIR})
# The record dictionary is written alongside; it is shipped once it is there.
if(EXISTS ${PROJECT_SOURCE_DIR}/docs/record-layout.md)
    install(FILES docs/record-layout.md DESTINATION ${SURVEY_DOC_DIR})
endif()

# On Windows the Qt libraries and plugins travel with the programs: windeployqt, from Qt's own
# bin folder, copies what the installed executables need next to them. The program loads no Qt
# translations, so none are copied.
if(WIN32)
    set(survey_qt_bin_hints "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
    if(TARGET Qt6::qmake)
        get_target_property(survey_qmake Qt6::qmake IMPORTED_LOCATION)
        get_filename_component(survey_qmake_dir "${survey_qmake}" DIRECTORY)
        list(PREPEND survey_qt_bin_hints "${survey_qmake_dir}")
    endif()
    find_program(SURVEY_WINDEPLOYQT windeployqt HINTS ${survey_qt_bin_hints} NO_DEFAULT_PATH)
    find_program(SURVEY_WINDEPLOYQT windeployqt REQUIRED)
    install(CODE "
        set(survey_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        if(CMAKE_INSTALL_CONFIG_NAME MATCHES \"^[Dd]ebug\$\")
            set(survey_qt_build --debug)
        else()
            set(survey_qt_build --release)
        endif()
        foreach(exe school-survey.exe survey-data.exe)
            execute_process(COMMAND \"${SURVEY_WINDEPLOYQT}\" \${survey_qt_build}
                    --no-translations \"\${survey_bin}/\${exe}\"
                RESULT_VARIABLE survey_deploy_result)
            if(NOT survey_deploy_result EQUAL 0)
                message(FATAL_ERROR \"windeployqt failed on \${exe}: \${survey_deploy_result}\")
            endif()
        endforeach()")
endif()

if(NOT UNIX OR APPLE)
    return()
endif()

# The working folder is the wrapper's to choose; these are its defaults.
set(SURVEY_CONFIG_FILE ${CMAKE_INSTALL_FULL_SYSCONFDIR}/school-survey/working-folder)
set(SURVEY_DEFAULT_FOLDER ${CMAKE_INSTALL_FULL_LOCALSTATEDIR}/lib/school-survey)
set(SURVEY_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}/school-survey)

configure_file(${SURVEY_PACKAGING_DIR}/school-survey-lab.in
    ${PROJECT_BINARY_DIR}/packaging/school-survey-lab @ONLY)
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/school-survey-lab
    DESTINATION ${CMAKE_INSTALL_BINDIR})
# GNUInstallDirs puts the prefix /usr's configuration in /etc: the full path says so.
install(FILES ${SURVEY_PACKAGING_DIR}/working-folder
    DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/school-survey)

install(FILES ${SURVEY_PACKAGING_DIR}/school-survey.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SURVEY_PACKAGING_DIR}/icons/school-survey.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The PNG sizes are drawn from the SVG by scripts/render-icons.sh.
foreach(size 48 128 256)
    install(FILES ${SURVEY_PACKAGING_DIR}/icons/school-survey-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME school-survey.png)
endforeach()

# Manual pages. The program has no --help (it would open its window) and the wrapper takes no
# options, so theirs are written by hand; survey-data's is made from its --help with help2man
# when help2man is there, so that it never falls behind the subcommands.
string(TIMESTAMP SURVEY_MAN_DATE "%Y-%m-%d" UTC)
set(SURVEY_MAN_DIR ${PROJECT_BINARY_DIR}/man)
set(survey_man_pages)
foreach(page school-survey school-survey-lab)
    configure_file(${SURVEY_PACKAGING_DIR}/man/${page}.1.in ${SURVEY_MAN_DIR}/${page}.1 @ONLY)
endforeach()

find_program(HELP2MAN help2man)
find_program(GZIP gzip REQUIRED)
set(survey_pages school-survey school-survey-lab)
if(HELP2MAN)
    add_custom_command(OUTPUT ${SURVEY_MAN_DIR}/survey-data.1
        # help2man writes ASCII for its default locale C: Russian text needs a UTF-8 one.
        COMMAND ${HELP2MAN} --locale=C.UTF-8 --no-info --no-discard-stderr
            "--manual=Анкета школьника"
            --include=${SURVEY_PACKAGING_DIR}/man/survey-data.h2m
            --output=${SURVEY_MAN_DIR}/survey-data.1 $<TARGET_FILE:survey-data>
        DEPENDS survey-data ${SURVEY_PACKAGING_DIR}/man/survey-data.h2m
        COMMENT "Manual page of survey-data from its --help"
        VERBATIM)
    list(APPEND survey_pages survey-data)
else()
    message(WARNING "help2man not found: survey-data.1 is left out (scripts/install-deps.sh "
        "installs help2man)")
endif()

# gzip -n: no name or time stamp inside, so that the same page always gives the same file.
foreach(page IN LISTS survey_pages)
    set(compressed ${SURVEY_MAN_DIR}/gz/${page}.1)
    add_custom_command(OUTPUT ${compressed}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${SURVEY_MAN_DIR}/${page}.1 ${compressed}
        COMMAND ${GZIP} -9 -n -f ${compressed}
        DEPENDS ${SURVEY_MAN_DIR}/${page}.1
        VERBATIM)
    list(APPEND survey_man_pages ${compressed}.gz)
endforeach()
add_custom_target(survey_man_pages ALL DEPENDS ${survey_man_pages})
install(FILES ${survey_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
