# Compiler settings shared by every target of the project.

# Sources are UTF-8; every Japanese literal must be Shift-JIS (code page 932) at run time, as the
# data files and the Windows ANSI functions expect. Clang only knows UTF-8 as an execution
# character set, so the clang-built fuzzers keep UTF-8 literals (they never look at message texts).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932)
endif()

# Our own targets link keyvane_warnings; third-party sources (GoogleTest) keep their own flags.
add_library(keyvane_warnings INTERFACE)
target_compile_options(keyvane_warnings INTERFACE
    -Wall -Wextra -Wconversion -Wsign-conversion -Wshadow -Wformat=2 -Wcast-qual
    -Wnon-virtual-dtor -Wold-style-cast)

if(KEYVANE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
    # Nothing to ship but our own binaries. They are the same bytes from the same source, built
    # anywhere at any time: the linker writes no time into the PE headers (Time/Date and the
    # export directory's stamp are 0), and no path of the build gets into an object.
    add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections
                     -Wl,--no-insert-timestamp $<$<CONFIG:Release>:-s>)
    add_compile_options(-ffunction-sections -fdata-sections
                        -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                        -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()
