# The layers of the program, lowest first: the core (state/, storage/) and the tools (tools/)
# know nothing of windows; the shell (app/, widgets/) knows no screen; the screens (screens/)
# may use all of them. Every target's include root is the repository root, so the compiler would
# accept an include across a layer; this check refuses it.
#
# survey_check_includes(<source root>) fails with the offending lines. It runs when the project
# is configured and, through `cmake -DSURVEY_SOURCE_DIR=… -P CheckIncludes.cmake`, again at every
# build in which a source changed.

set(SURVEY_LAYER_RULES
    "state|storage|tools:app|widgets|screens"
    "app|widgets:screens"
)

function(survey_check_includes root)
    set(offences "")
    foreach(rule IN LISTS SURVEY_LAYER_RULES)
        string(REPLACE ":" ";" parts "${rule}")
        list(GET parts 0 folders)
        list(GET parts 1 forbidden)
        string(REPLACE "|" ";" folders "${folders}")
        foreach(folder IN LISTS folders)
            file(GLOB_RECURSE sources RELATIVE "${root}"
                "${root}/${folder}/*.h" "${root}/${folder}/*.cpp")
            foreach(source IN LISTS sources)
                file(STRINGS "${root}/${source}" lines
                    REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${forbidden})/")
                foreach(line IN LISTS lines)
                    string(STRIP "${line}" line)
                    string(APPEND offences "\n  ${source}: ${line}")
                endforeach()
            endforeach()
        endforeach()
    endforeach()
    if(offences)
        message(FATAL_ERROR "An include crosses the layers of the program (core and tools below "
            "the shell, the shell below the screens):${offences}")
    endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND SURVEY_SOURCE_DIR)
    survey_check_includes("${SURVEY_SOURCE_DIR}")
    if(SURVEY_STAMP)
        file(TOUCH "${SURVEY_STAMP}")
    endif()
endif()
