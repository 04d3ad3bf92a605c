# Reads the option list (res/commandLineOptions.cmake) into what the man pages
# and --help show of it:
#   TARNOK_MAN_SYNOPSIS_EN / _PL   the synopsis lines of each man page
#   TARNOK_MAN_OPTIONS_EN / _PL    the entries of each page's options section
#   TARNOK_HELP_OPTIONS            the option lines of --help, as C string literals
set(TARNOK_MAN_SYNOPSIS_EN "")
set(TARNOK_MAN_SYNOPSIS_PL "")
set(TARNOK_MAN_OPTIONS_EN "")
set(TARNOK_MAN_OPTIONS_PL "")
set(TARNOK_HELP_OPTIONS "")

function(tarnok_option)
    cmake_parse_arguments(OPTION "" "EN;PL" "FORMS;ARGUMENT" ${ARGN})
    list(LENGTH OPTION_ARGUMENT argumentNames)
    if(NOT OPTION_FORMS OR NOT OPTION_EN OR NOT OPTION_PL OR NOT argumentNames MATCHES "^(0|2)$")
        message(FATAL_ERROR "tarnok_option(${ARGN}): needs FORMS, EN, PL and no or two ARGUMENT names")
    endif()

    # Roff: option names bold with escaped dashes, the argument in italics.
    set(roffForms "")
    foreach(form IN LISTS OPTION_FORMS)
        string(REPLACE "-" "\\-" form "${form}")
        list(APPEND roffForms "\\fB${form}\\fR")
    endforeach()
    list(JOIN roffForms ", " roffList)
    list(JOIN roffForms " | " roffChoice)
    list(JOIN OPTION_FORMS ", " helpForms)
    set(roffArgumentEn "")
    set(roffArgumentPl "")
    if(argumentNames EQUAL 2)
        list(GET OPTION_ARGUMENT 0 argumentEn)
        list(GET OPTION_ARGUMENT 1 argumentPl)
        string(TOLOWER "${argumentPl}" argumentPlLower)
        set(roffArgumentEn " \\fI${argumentEn}\\fR")
        set(roffArgumentPl " \\fI${argumentPlLower}\\fR")
        string(APPEND helpForms " ${argumentPl}")
    endif()

    # The Polish man page says the --help text as a sentence.
    string(SUBSTRING "${OPTION_PL}" 0 1 first)
    string(SUBSTRING "${OPTION_PL}" 1 -1 rest)
    string(TOUPPER "${first}" first)
    set(sentencePl "${first}${rest}.")

    # In the synopsis an option and its argument stay together, unhyphenated.
    string(REPLACE " \\fI" "\\ \\fI\\%" keptEn "${roffArgumentEn}")
    string(REPLACE " \\fI" "\\ \\fI\\%" keptPl "${roffArgumentPl}")
    set(TARNOK_MAN_SYNOPSIS_EN "${TARNOK_MAN_SYNOPSIS_EN}[${roffChoice}${keptEn}]\n" PARENT_SCOPE)
    set(TARNOK_MAN_SYNOPSIS_PL "${TARNOK_MAN_SYNOPSIS_PL}[${roffChoice}${keptPl}]\n" PARENT_SCOPE)
    set(TARNOK_MAN_OPTIONS_EN "${TARNOK_MAN_OPTIONS_EN}.TP\n${roffList}${roffArgumentEn}\n${OPTION_EN}\n" PARENT_SCOPE)
    set(TARNOK_MAN_OPTIONS_PL "${TARNOK_MAN_OPTIONS_PL}.TP\n${roffList}${roffArgumentPl}\n${sentencePl}\n" PARENT_SCOPE)

    # --help: the spellings and argument in a column 18 wide, then the text.
    string(LENGTH "${helpForms}" width)
    set(padding " ")
    if(width LESS 17)
        math(EXPR spaces "18 - ${width}")
        string(REPEAT " " ${spaces} padding)
    endif()
    set(line "  ${helpForms}${padding}${OPTION_PL}")
    string(REPLACE "\\" "\\\\" line "${line}")
    string(REPLACE "\"" "\\\"" line "${line}")
    set(TARNOK_HELP_OPTIONS "${TARNOK_HELP_OPTIONS}    \"${line}\\n\" \\\n" PARENT_SCOPE)
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/../res/commandLineOptions.cmake)
