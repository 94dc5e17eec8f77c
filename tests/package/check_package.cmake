# Makes the release zip as tools/package does, in a folder of its own, then checks that it holds
# exactly the program folder Keyvane/ (the program, its library and the manual), that every file
# in it is the one the build made or the manual's own, and that SHA256SUMS checks.
#   cmake -D BUILD_DIR=... -D SOURCE_DIR=... -D WORK_DIR=... -D ZIP_NAME=... -D PROGRAM=...
#         -D LIBRARY=... -D MANUAL_DIR=... -P check_package.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR SOURCE_DIR WORK_DIR ZIP_NAME PROGRAM LIBRARY MANUAL_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/unpacked)

string(REGEX REPLACE "\\.zip$" "" name ${ZIP_NAME})
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH}) # any time will do here, and the source may lack git
    set(ENV{SOURCE_DATE_EPOCH} 1700000000)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}
                COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
execute_process(COMMAND ${SOURCE_DIR}/tools/release-zip ${WORK_DIR} ${name}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "release-zip failed (${result}):\n${output}")
endif()
set(zip ${WORK_DIR}/${ZIP_NAME})
execute_process(COMMAND sha256sum --quiet -c SHA256SUMS WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "SHA256SUMS does not check:\n${output}")
endif()

# The archive's file list (directory entries aside) against the expected one, in its order.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip}
                RESULT_VARIABLE result OUTPUT_VARIABLE listing)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot list ${zip}")
endif()
string(REPLACE "\n" ";" listing "${listing}")
set(actual "")
foreach(entry IN LISTS listing)
    if(entry AND NOT entry MATCHES "/$")
        list(APPEND actual ${entry})
    endif()
endforeach()

file(GLOB_RECURSE manual_files RELATIVE ${MANUAL_DIR} ${MANUAL_DIR}/*)
foreach(required index.html style.css)
    if(NOT required IN_LIST manual_files)
        message(FATAL_ERROR "the manual has no ${required}")
    endif()
endforeach()
set(expected Keyvane/Keyvane.exe Keyvane/Chimebox.dll)
foreach(file IN LISTS manual_files)
    list(APPEND expected Keyvane/Manual/${file})
endforeach()

# In name order, as the same zip is made everywhere.
list(SORT expected)
if(NOT actual STREQUAL expected)
    string(REPLACE ";" "\n  " actual_text "${actual}")
    string(REPLACE ";" "\n  " expected_text "${expected}")
    message(FATAL_ERROR "${ZIP_NAME} holds\n  ${actual_text}\nexpected\n  ${expected_text}")
endif()

# Unpacked, every file is byte for byte the built one or the manual's.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip}
                WORKING_DIRECTORY ${WORK_DIR}/unpacked RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot unpack ${zip}")
endif()
set(pairs "Keyvane.exe|${PROGRAM}" "Chimebox.dll|${LIBRARY}")
foreach(file IN LISTS manual_files)
    list(APPEND pairs "Manual/${file}|${MANUAL_DIR}/${file}")
endforeach()
foreach(pair IN LISTS pairs)
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 packed)
    list(GET pair 1 original)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                            ${WORK_DIR}/unpacked/Keyvane/${packed} ${original}
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(FATAL_ERROR "Keyvane/${packed} in the zip differs from ${original}")
    endif()
endforeach()

file(SIZE ${zip} size)
list(LENGTH actual count)
message(STATUS "${ZIP_NAME}: ${size} bytes, the expected ${count} files")
