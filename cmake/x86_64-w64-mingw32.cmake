# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cross-building for 64-bit Windows with Debian's MinGW-w64 toolchain, the
# posix-thread flavour (std::thread and std::mutex work as on Linux). The
# same file builds Qt itself (packaging/windows/build-qt.sh) and the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-ranlib CACHE FILEPATH "")

# Libraries and headers only from the target's root and from the Qt built
# for it (VARNOSKEL_WINDOWS_QT); programs from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${triple} ${VARNOSKEL_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's build tools (moc, rcc) come from the build machine's Qt of the same
# version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# The program's build-time tool and the tests run under Wine, with the Qt
# DLLs and the MinGW runtime DLLs on its path.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll OUTPUT_VARIABLE libstdcxx
                OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(gcc_runtime ${libstdcxx} DIRECTORY)
set(VARNOSKEL_MINGW_RUNTIME ${gcc_runtime} /usr/${triple}/lib)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${VARNOSKEL_WINDOWS_QT}/bin
    ${VARNOSKEL_MINGW_RUNTIME} --)
