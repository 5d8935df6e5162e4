# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Qt's features that the program never uses, switched off in the Windows and
# the browser Qt alike: widgets it does not show (the graphics view, calendar,
# date and time edits, dial, LCD number, MDI area, the font, colour and input
# dialogs, wizard, undo view, tool box, key sequence edit, splash screen,
# column view, ...) and documents it does not write (PDF, ODF, Markdown,
# animated images, undo stacks). Each is a build step less; none changes a
# widget the program shows.
#
#   qt_features_off FORMAT [KEPT...]   prints each name but the kept ones
#                                      through printf FORMAT
qt_features_off() {
  format=$1
  shift
  for f in graphicsview calendarwidget datetimeedit dial lcdnumber mdiarea fontdialog fontcombobox \
    colordialog inputdialog errormessage wizard undoview toolbox syntaxhighlighter keysequenceedit \
    splashscreen columnview datawidgetmapper commandlinkbutton \
    pdf textodfwriter textmarkdownreader textmarkdownwriter movie undocommand; do
    case " $* " in *" $f "*) continue ;; esac
    printf -- "$format " "$f"
  done
}
