#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Qt for Windows x86-64, built once from Debian's own qt6-base source with
# MinGW-w64 and kept outside the work tree. The folder's name is the source
# version and a hash of its configure options and compilers, so a change of
# either builds anew; a finished build is reused. Prints the prefix and the
# source tree, on one line, last.
#
#   build-qt.sh CACHE_DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/../../cmake/x86_64-w64-mingw32.cmake
cache=$1
mkdir -p "$cache"

. "$here/../qt-features.sh"

# Debian's source, shared with the browser's Qt.
src_line=$("$here/../qt-source.sh" "$cache")
version=${src_line%% *}
tree=${src_line#* }

# Only what the program needs; the bundled third-party libraries, so the
# DLLs depend on nothing but Windows and the MinGW runtime. OpenGL is off
# through INPUT_opengl (FEATURE_opengl alone leaves dynamic GL on); Direct2D
# stays, since the Windows platform plugin's font database needs it, but not
# its own platform plugin (direct2d1_1), a second build of the Windows one.
# The widgets and documents the program never shows are off too (see
# ../qt-features.sh), but for the input dialog, whose header the Windows
# style includes whatever the feature says: together a tenth of Qt's build.
options="-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DFEATURE_direct2d1_1=OFF
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DINPUT_opengl=no -DFEATURE_pkg_config=OFF -DFEATURE_vulkan=OFF -DFEATURE_sql=OFF
  -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_tabletevent=OFF -DFEATURE_imageformatplugin=OFF
  -DFEATURE_icu=OFF -DFEATURE_glib=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
  $(qt_features_off '-DFEATURE_%s=OFF' inputdialog)"
# The cache's key: the source version, the options and the compilers.
compilers=$(grep -E '_COMPILER |FIND_ROOT_PATH |QT_HOST_PATH' "$toolchain"; x86_64-w64-mingw32-g++-posix --version | head -1)
key=$(printf '%s\n%s\n%s\n' "$version" "$options" "$compilers" | sha256sum | cut -c1-12)
prefix=$cache/qt-$version-mingw-$key

# One build of each Qt at a time: CI starts them beside its other steps, and
# a second caller waits for that build to finish rather than starting over.
exec 9> "$prefix.lock"
flock -n 9 || { echo "Qt $version for Windows: waiting for the build under way" >&2; flock 9; }
if [ -f "$prefix/.complete" ]; then
  echo "Qt $version for Windows: reusing $prefix" >&2
  echo "$prefix $tree"
  exit 0
fi

echo "Qt $version for Windows: building into $prefix (about half an hour on two cores)" >&2
build=$cache/build-$version-$key
rm -rf "$build" "$prefix"
start=$(date +%s)
# shellcheck disable=SC2086 # the options are words
cmake -G Ninja -S "$tree" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
  $options >&2
cmake --build "$build" -j2 >&2
cmake --install "$build" >&2
rm -rf "$build"
# What was built, for the source archive that goes with the binaries.
printf 'Debian source package qt6-base %s, configured with:\ncmake -G Ninja -DCMAKE_TOOLCHAIN_FILE=x86_64-w64-mingw32.cmake\n  %s\n' \
  "$version" "$options" > "$prefix/configure.txt"
cp "$toolchain" "$prefix/x86_64-w64-mingw32.cmake"
echo "$version" > "$prefix/.complete"
echo "Qt $version for Windows: built in $(($(date +%s) - start)) s" >&2
echo "$prefix $tree"
