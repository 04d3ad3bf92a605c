# The game's folders depend one way, from the top down: app -> view -> doc ->
# dialogs -> net -> ai -> audio -> record -> world -> res. A header and its source count as one
# unit (doc/kratDoc = kratDoc.h + kratDoc.cpp); the check fails, naming the
# files, when a unit includes one of a higher folder or the includes go round
# in a loop.
# Run: cmake -DROOT=<source folder> -P checkIncludeGraph.cmake

set(folders res world record audio ai net dialogs doc view app) # lowest first
set(patterns "")
foreach(folder IN LISTS folders)
    list(APPEND patterns "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
endforeach()
file(GLOB_RECURSE sources RELATIVE "${ROOT}" ${patterns})

function(layer result unit)
    string(REGEX REPLACE "/.*" "" folder "${unit}")
    list(FIND folders "${folder}" index)
    set(${result} ${index} PARENT_SCOPE)
endfunction()

set(units "")
foreach(source IN LISTS sources)
    string(REGEX REPLACE "\\.(h|cpp)$" "" unit "${source}")
    list(APPEND units "${unit}")
    file(STRINGS "${ROOT}/${source}" lines REGEX "^#include \"")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^#include \"([^\"]+)\\.h\".*" "\\1" target "${line}")
        if(NOT target STREQUAL unit AND EXISTS "${ROOT}/${target}.h")
            string(REPLACE "/" "_" key "${unit}")
            list(APPEND "edges_${key}" "${target}")
            layer(from "${unit}")
            layer(to "${target}")
            if(to GREATER from)
                message(FATAL_ERROR "${source} includes ${target}.h, which stands above it")
            endif()
        endif()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES units)

# Depth-first search; a unit met again while still on the path closes a loop.
function(visit unit path)
    string(REPLACE "/" "_" key "${unit}")
    get_property(state GLOBAL PROPERTY "state_${key}")
    if(state STREQUAL "done")
        return()
    endif()
    if(state STREQUAL "open")
        message(FATAL_ERROR "include loop: ${path} -> ${unit}")
    endif()
    set_property(GLOBAL PROPERTY "state_${key}" "open")
    foreach(next IN LISTS "edges_${key}")
        visit("${next}" "${path} -> ${unit}")
    endforeach()
    set_property(GLOBAL PROPERTY "state_${key}" "done")
endfunction()

foreach(unit IN LISTS units)
    visit("${unit}" "")
endforeach()
list(LENGTH units count)
message(STATUS "${count} units, every include points down the layers, no loop")
