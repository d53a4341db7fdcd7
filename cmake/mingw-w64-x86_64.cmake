# Cross-builds for Windows x64 with Debian's MinGW-w64 compilers (posix threads, as the Qt
# they link with was built) and runs the built programs under Wine, so that CTest runs the
# Windows test programs as it runs the Linux ones:
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DQT_MINGW_PREFIX=<Qt 5 for MinGW-w64, see scripts/setup-windows.sh>
#   cmake -S . -B build-windows-qt6 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DQT_MAJOR_VERSION=6 -DQT_MINGW_PREFIX=<Qt 6 for MinGW-w64>
# A Qt 6 for MinGW-w64 takes moc, rcc and uic from the host's Qt 6 of the same version
# (Debian's qt6-base-dev-tools); its CMake package finds them in /usr by default.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
# CMake looks for no objdump on Windows; the test of the plug-in's exports uses it.
find_program(CMAKE_OBJDUMP ${MINGW_TRIPLE}-objdump)

set(QT_MINGW_PREFIX "$ENV{QT_MINGW_PREFIX}" CACHE PATH "Qt 5 or Qt 6 built for MinGW-w64 x86_64")
# try_compile projects read this file again; they get the prefix and the Qt major version
# from the outer project.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QT_MINGW_PREFIX QT_MAJOR_VERSION)
# The project's QT_MAJOR_VERSION (5 unless given) names the Qt the prefix must hold.
set(_qt_major 5)
if(QT_MAJOR_VERSION)
    set(_qt_major ${QT_MAJOR_VERSION})
endif()
if(NOT QT_MINGW_PREFIX OR NOT EXISTS "${QT_MINGW_PREFIX}/lib/cmake/Qt${_qt_major}")
    message(FATAL_ERROR "QT_MINGW_PREFIX='${QT_MINGW_PREFIX}' holds no Qt ${_qt_major} for "
                        "MinGW-w64 (scripts/setup-windows.sh --qt ${_qt_major} --print-prefix "
                        "names one)")
endif()

# Libraries, headers and packages only from the MinGW-w64 sysroot and the Windows Qt, never
# from the Linux system; programs (moc, rcc, uic are Linux tools) from anywhere.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE} "${QT_MINGW_PREFIX}")
set(CMAKE_PREFIX_PATH "${QT_MINGW_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The emulator: Wine with a private prefix in the build folder, and the DLLs of the MinGW-w64
# runtime (libstdc++, libgcc_s_seh, libwinpthread) and of Qt on the program's search path.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(_runtime_dirs "${QT_MINGW_PREFIX}/bin")
    foreach(_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
                        OUTPUT_VARIABLE _dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${_dll_path}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${_dll} is")
        endif()
        get_filename_component(_dll_dir "${_dll_path}" DIRECTORY)
        get_filename_component(_dll_dir "${_dll_dir}" REALPATH)
        list(APPEND _runtime_dirs "${_dll_dir}")
    endforeach()
    list(REMOVE_DUPLICATES _runtime_dirs)
    string(REPLACE ";" ":" _runtime_dirs "${_runtime_dirs}")
    set(CMAKE_CROSSCOMPILING_EMULATOR
        "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;${CMAKE_BINARY_DIR}/wineprefix;${_runtime_dirs}"
        CACHE STRING "Runs a Windows program under Wine")
endif()
