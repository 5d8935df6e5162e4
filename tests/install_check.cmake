# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs the build into a scratch DESTDIR and checks that the program and
# everything a desktop finds it by land in the GNU directories.
set(root "${BUILD}/install-check")
file(REMOVE_RECURSE "${root}")
set(ENV{DESTDIR} "${root}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix /usr RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(id org.varnoskel.Varnoskel)
set(files bin/varnoskel share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml
  share/icons/hicolor/scalable/apps/${id}.svg share/man/man1/varnoskel.1.gz
  share/doc/varnoskel/copyright share/doc/varnoskel/changelog.gz)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND files share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
foreach(file ${files})
  if(NOT EXISTS "${root}/usr/${file}")
    message(FATAL_ERROR "not installed: /usr/${file}")
  endif()
endforeach()
file(READ "${root}/usr/share/applications/${id}.desktop" entry)
if(NOT entry MATCHES "Exec=varnoskel" OR NOT entry MATCHES "Icon=${id}")
  message(FATAL_ERROR "desktop entry does not start the program with its icon")
endif()
message(STATUS "installed: program, desktop entry, metainfo, icons, manual page, copyright, changelog")
