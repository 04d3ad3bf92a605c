# The game's files depend one way: res <- world <- dialogs <- document <- view
# <- main frame and application. A header and its source count as one unit
# (app/kratDoc = kratDoc.h + kratDoc.cpp); the check fails, naming the files,
# when a unit includes one of a later layer or the includes of app/, view/,
# dialogs/, world/ and res/ go round in a loop.
# Run: cmake -DROOT=<source folder> -P checkIncludeGraph.cmake

file(GLOB_RECURSE sources RELATIVE "${ROOT}"
     "${ROOT}/app/*.h" "${ROOT}/app/*.cpp" "${ROOT}/view/*.h" "${ROOT}/view/*.cpp"
     "${ROOT}/dialogs/*.h" "${ROOT}/dialogs/*.cpp" "${ROOT}/world/*.h" "${ROOT}/world/*.cpp"
     "${ROOT}/res/*.h" "${ROOT}/res/*.cpp")

function(layer result unit)
    if(unit MATCHES "^res/")
        set(${result} 0 PARENT_SCOPE)
    elseif(unit MATCHES "^world/")
        set(${result} 1 PARENT_SCOPE)
    elseif(unit MATCHES "^dialogs/")
        set(${result} 2 PARENT_SCOPE)
    elseif(unit STREQUAL "app/kratDoc")
        set(${result} 3 PARENT_SCOPE)
    elseif(unit MATCHES "^view/")
        set(${result} 4 PARENT_SCOPE)
    else()
        set(${result} 5 PARENT_SCOPE)
    endif()
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
