# The Windows release: Keyvane-<major>.<minor>.<patch>-win64.zip, holding one program folder that
# the user unpacks anywhere writable (the data lives beside the program):
#
#   Keyvane/Keyvane.exe
#   Keyvane/Chimebox.dll
#   Keyvane/Manual/...     the user manual, opened by the Help menu
#
# `tools/package` builds the two binaries, installs these files into the build's release/ folder
# and zips them there with tools/release-zip (a fixed order and fixed times, so that the same
# source gives the same zip), with SHA256SUMS beside it.

# Only the program folder: no import library, no headers, no Data folder.
install(TARGETS Keyvane RUNTIME DESTINATION Keyvane)
install(PROGRAMS $<TARGET_FILE:Chimebox> DESTINATION Keyvane)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Manual/ DESTINATION Keyvane/Manual)

# Installing needs Keyvane and Chimebox alone, which tools/package builds first, not every
# target (the test programs included).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(KEYVANE_RELEASE_NAME
    Keyvane-${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}-win64
    CACHE INTERNAL "the release zip's name, without .zip")
# The test pack for a Windows desktop (tools/test-pack), made at every build.
set(KEYVANE_TEST_PACK ${CMAKE_BINARY_DIR}/${KEYVANE_RELEASE_NAME}-tests.zip
    CACHE INTERNAL "the test pack's zip")
