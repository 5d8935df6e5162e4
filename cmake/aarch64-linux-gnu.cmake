# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cross-building for 64-bit ARM with Debian's cross toolchain and the arm64
# Qt packages of the same release (multiarch, under /usr/lib/aarch64-linux-gnu).
# Qt's build tools (moc) come from the build machine; the program's own
# build-time tool and the tests run through qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(QT_HOST_PATH /usr)
# pkg-config of the target: its .pc files, not the build machine's.
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config)
# The multiarch libraries live under /usr/lib/aarch64-linux-gnu, so the
# emulator takes the build machine's root as the target's.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /)
