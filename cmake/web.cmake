# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The program in the browser: the sweep waits for events inside a handler
# and the message boxes run their own loops, which the page allows only with
# emscripten's asyncify; 256 MB of memory (tablets); the worker pool one
# thread beyond the browser's count of cores, as Qt's threads need one for
# the window's own. The kernel's vectors as WebAssembly's.
target_compile_options(varnoskel_orbits PRIVATE -msimd128)
target_link_options(varnoskel PRIVATE
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sINITIAL_MEMORY=268435456 -sMINIFY_HTML=0
  "-sPTHREAD_POOL_SIZE=navigator.hardwareConcurrency+1")

# The fonts of the Linux desktop the layout is made for, and Qt's German
# texts: a page can take neither from the system.
set(liberation /usr/share/fonts/truetype/liberation)
qt_add_resources(varnoskel page_fonts PREFIX /fonts BASE ${liberation} FILES
  ${liberation}/LiberationSerif-Regular.ttf ${liberation}/LiberationSerif-Bold.ttf
  ${liberation}/LiberationSerif-Italic.ttf ${liberation}/LiberationSans-Regular.ttf)
qt_add_resources(varnoskel page_translations PREFIX /translations BASE /usr/share/qt6/translations FILES
  /usr/share/qt6/translations/qtbase_de.qm)
