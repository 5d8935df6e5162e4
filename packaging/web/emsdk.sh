# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Qt's CMake finds emscripten through an emsdk folder: a `.emscripten` that
# names `upstream/emscripten`, and the tools there. Debian installs them in
# /usr/bin and /usr/share/emscripten, so a folder of links stands in for it.
# Debian's emcc needs node's modules path; the program's output needs node 18+
# without its own fetch.
export NODE_PATH=/usr/share/nodejs
export EMSCRIPTEN=/usr/share/emscripten

emsdk_folder() {
  d=$1/emsdk-debian
  if [ ! -f "$d/.complete" ]; then
    rm -rf "$d"
    mkdir -p "$d/upstream/emscripten"
    echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" > "$d/.emscripten"
    for t in emcc em++ emar emranlib emcmake emconfigure emmake emrun emsize emnm em-config; do
      [ -e "/usr/bin/$t" ] && ln -s "/usr/bin/$t" "$d/upstream/emscripten/$t"
    done
    ln -s /usr/share/emscripten/cmake "$d/upstream/emscripten/cmake"
    touch "$d/.complete"
  fi
  export EMSDK="$d"
}
