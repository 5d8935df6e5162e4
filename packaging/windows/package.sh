#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The three Windows files from a finished cross-build, into BUILD_DIR:
#   varnoskel-VERSION-windows-x86_64.zip    the folder that runs as it is
#   varnoskel-VERSION-windows-x86_64.msi    the same, as a Windows Installer package
#   varnoskel-VERSION-windows-source.tar.xz the program's and Qt's source, the
#                                           configure line, the toolchain file
#
#   package.sh BUILD_DIR QT_PREFIX QT_SOURCE_DIR VERSION
set -eu
build=$(cd "$1" && pwd)
qt=$2
qtsource=$3
version=$4
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
name=varnoskel-$version-windows-x86_64
stage=$build/stage/$name

rm -rf "$build/stage"
cmake --install "$build" --prefix "$stage" --strip > /dev/null
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.dll "$stage"/platforms/*.dll

# The zip: one folder, as a teacher unpacks it.
rm -f "$build/$name.zip"
(cd "$build/stage" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")

# The MSI: every file of the folder as a component (wixl-heat), the product
# around them.
(cd "$stage" && find . -type f | LC_ALL=C sort |
  wixl-heat -p ./ --var var.SourceDir --directory-ref INSTALLDIR --component-group ProgramFiles --win64 \
    > "$build/stage/files.wxs")
(cd "$stage" && wixl -a x64 -D SourceDir=. -D Version="$version" -D Win64=yes -o "$build/$name.msi" \
  "$here/varnoskel.wxs" "$build/stage/files.wxs")

# The corresponding source, with the configure line and the toolchain file
# beside Debian's qt6-base source.
{
  echo "Varnoskel $version for Windows x86-64 was built from:"
  echo "- varnoskel-$version/: the program's source (make package-windows builds everything)"
  echo "- qt6-base/: Debian's source package of Qt, as fetched by apt-get source, and its"
  echo "  configure line (configure.txt, with the toolchain file beside it)"
  echo "The MinGW-w64 runtime DLLs come from Debian's packages:"
  dpkg-query -W -f='  ${Package} ${Version} (source: ${source:Package} ${source:Version})\n' \
    gcc-mingw-w64-x86-64-posix-runtime mingw-w64-x86-64-dev
} | "$top/packaging/source-archive.sh" "$build" "varnoskel-$version-windows-source" "$version" "$qtsource" \
  "$qt/configure.txt" "$qt/x86_64-w64-mingw32.cmake"

ls -l "$build/$name.zip" "$build/$name.msi" "$build/varnoskel-$version-windows-source.tar.xz"
