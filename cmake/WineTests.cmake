# Test registration for both builds. In the Windows build every test program runs under wine,
# inside one Xvfb display and one persistent wineserver that the "wine_session" fixture starts
# once per CTest run and stops at its end.

set(KEYVANE_WINE_SESSION_DIR ${CMAKE_BINARY_DIR}/wine-session)

if(WIN32)
    set(_session ${CMAKE_SOURCE_DIR}/tools/wine-session)
    add_test(NAME wine_session_start COMMAND ${_session} start ${KEYVANE_WINE_SESSION_DIR})
    add_test(NAME wine_session_stop COMMAND ${_session} stop ${KEYVANE_WINE_SESSION_DIR})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session TIMEOUT 300)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session TIMEOUT 60)
endif()

# A second session on an English system's code page (1252), for the tests that must behave the
# same on every code page.
set(KEYVANE_WINE_SESSION_1252_DIR ${CMAKE_BINARY_DIR}/wine-session-cp1252)
if(WIN32)
    add_test(NAME wine_session_cp1252_start
             COMMAND ${_session} start ${KEYVANE_WINE_SESSION_1252_DIR} en_US.UTF-8)
    add_test(NAME wine_session_cp1252_stop COMMAND ${_session} stop ${KEYVANE_WINE_SESSION_1252_DIR})
    set_tests_properties(wine_session_cp1252_start PROPERTIES FIXTURES_SETUP wine_session_cp1252
                                                              TIMEOUT 300)
    set_tests_properties(wine_session_cp1252_stop PROPERTIES FIXTURES_CLEANUP wine_session_cp1252
                                                             TIMEOUT 60)
endif()

# keyvane_add_test(<name> <target> [args...]): one CTest entry per test program.
function(keyvane_add_test name target)
    add_test(NAME ${name} COMMAND ${target} ${ARGN})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    if(WIN32)
        set_tests_properties(${name} PROPERTIES
            FIXTURES_REQUIRED wine_session
            RESOURCE_LOCK wine_display
            ENVIRONMENT "KEYVANE_WINE_SESSION=${KEYVANE_WINE_SESSION_DIR}")
    endif()
endfunction()

# The same in the session on code page 1252.
function(keyvane_add_test_on_code_page_1252 name target)
    add_test(NAME ${name} COMMAND ${target} ${ARGN})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT 600
        FIXTURES_REQUIRED wine_session_cp1252
        RESOURCE_LOCK wine_display
        ENVIRONMENT "KEYVANE_WINE_SESSION=${KEYVANE_WINE_SESSION_1252_DIR}")
endfunction()
