cmake_minimum_required(VERSION 3.20)
# Fails when a core folder includes a header of a folder above it in the floor order.
#   cmake -DCORE=<core folder> -DFLOORS=base,settings,... -P floor_check.cmake
string(REPLACE "," ";" floors "${FLOORS}")

# Includes that still run up, each "from-file -> included header"; to be emptied, never grown.
set(allowed)

set(faults)
list(LENGTH floors count)
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
    list(GET floors ${index} folder)
    list(SUBLIST floors ${index} -1 above)
    list(REMOVE_AT above 0)
    file(GLOB_RECURSE files RELATIVE ${CORE} ${CORE}/${folder}/*.h ${CORE}/${folder}/*.cpp)
    foreach(file ${files})
        file(STRINGS ${CORE}/${file} lines REGEX "^#include \"core/")
        foreach(line ${lines})
            string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
            string(REGEX REPLACE "^core/([^/]+)/.*" "\\1" target "${header}")
            list(FIND above ${target} up)
            if(NOT up EQUAL -1 AND NOT "${file} -> ${header}" IN_LIST allowed)
                list(APPEND faults "core/${file} includes ${header}, a floor above it")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "${text}")
endif()
