# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The program in the browser: the sweep waits for events inside a handler
# and the message boxes run their own loops, which the page allows only with
# emscripten's asyncify. With Qt's threads (a page the browser gives shared
# memory), the worker pool one thread beyond the browser's count of cores,
# as Qt's threads need one for the window's own, and a fixed memory of what
# the program needs (growing shared memory slows every access of the page's
# own code to it); without, a memory that starts small and grows. The
# kernel's vectors as WebAssembly's.
target_compile_options(varnoskel_orbits PRIVATE -msimd128)
target_link_options(varnoskel PRIVATE -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sMINIFY_HTML=0)
# What the page uses after a day's lesson (heavy sweeps, the lesson windows)
# is under 30 MB; a print picture 4000 pixels wide needs some 80 more.
set(VARNOSKEL_WEB_MEMORY 134217728 CACHE STRING "The threaded page's memory, bytes (a multiple of 65536)")
if(QT_FEATURE_thread)
  set_target_properties(varnoskel PROPERTIES QT_WASM_INITIAL_MEMORY ${VARNOSKEL_WEB_MEMORY}
                                             QT_WASM_PTHREAD_POOL_SIZE "navigator.hardwareConcurrency+1")
else()
  set_target_properties(varnoskel PROPERTIES QT_WASM_INITIAL_MEMORY 33554432)
  target_link_options(varnoskel PRIVATE -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=2147483648)
endif()

# The fonts of the Linux desktop the layout is made for, and Qt's German
# texts: a page can take neither from the system.
set(liberation /usr/share/fonts/truetype/liberation)
qt_add_resources(varnoskel page_fonts PREFIX /fonts BASE ${liberation} FILES
  ${liberation}/LiberationSerif-Regular.ttf ${liberation}/LiberationSerif-Bold.ttf
  ${liberation}/LiberationSerif-Italic.ttf ${liberation}/LiberationSans-Regular.ttf)
qt_add_resources(varnoskel page_translations PREFIX /translations BASE /usr/share/qt6/translations FILES
  /usr/share/qt6/translations/qtbase_de.qm)
