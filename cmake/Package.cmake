# The Windows release package, made with CPack: Keyvane-<major>.<minor>.<patch>-win64.zip, holding
# one program folder that the user unpacks anywhere writable (the data lives beside the program):
#
#   Keyvane/Keyvane.exe
#   Keyvane/Chimebox.dll
#   Keyvane/Manual/...     the user manual, opened by the Help menu
#
# `tools/package` builds the two binaries and runs cpack in the build folder.

# Only the program folder: no import library, no headers, no Data folder.
install(TARGETS Keyvane RUNTIME DESTINATION Keyvane)
install(PROGRAMS $<TARGET_FILE:Chimebox> DESTINATION Keyvane)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Manual/ DESTINATION Keyvane/Manual)

# cpack installs without first building every target (the test programs included): the package
# needs Keyvane and Chimebox alone, which tools/package builds before it runs cpack.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Keyvane)
set(CPACK_PACKAGE_VENDOR "Keyvane Project")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Keyvane: a small keeper of log-in credentials for Windows")
set(CPACK_PACKAGE_VERSION
    ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-win64)
# The archive's top folder is Keyvane/ from the install destinations, not the file name.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)

include(CPack)
