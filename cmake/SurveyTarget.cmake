# Compiler settings shared by every target of the project: warnings as errors, UTF-8 sources and
# literals, and the sanitizers when SURVEY_SANITIZE or SURVEY_FUZZ is on.
function(survey_target_defaults target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive- /Zc:__cplusplus)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
            -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
            -Werror -finput-charset=UTF-8 -fexec-charset=UTF-8)
    endif()
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS QT_NO_FOREACH
        QT_NO_CAST_TO_ASCII QT_USE_QSTRINGBUILDER)
    if(SURVEY_FUZZ)
        # Coverage for libFuzzer in every object; the fuzz executables add the fuzzer's main.
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
            -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    elseif(SURVEY_SANITIZE AND NOT MSVC)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
            -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
endfunction()
