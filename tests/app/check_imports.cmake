# Fails when BINARY imports at load time a DLL outside ALLOWED (names, any case). The loader looks
# for a DLL that is not on Windows' KnownDLLs list beside the program first, where anyone who can
# write to that folder could put one of the same name; such DLLs are loaded at first use from
# the system folder instead.
#   cmake -D OBJDUMP=... -D BINARY=... -D ALLOWED="a.dll;b.dll" -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${BINARY}")
endif()
string(TOLOWER "${ALLOWED}" allowed)
string(REPLACE "," ";" allowed "${allowed}")
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
if(NOT imports)
    message(FATAL_ERROR "no import table found in ${BINARY}")
endif()
set(unexpected "")
foreach(line IN LISTS imports)
    string(REPLACE "DLL Name: " "" name "${line}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" lower)
    message(STATUS "imports ${name}")
    if(NOT lower IN_LIST allowed)
        list(APPEND unexpected ${name})
    endif()
endforeach()
if(unexpected)
    message(FATAL_ERROR "${BINARY} imports at load time: ${unexpected}; load it from the "
                        "system folder at first use instead (framework/system_library.h)")
endif()
