// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The hover help: a mouse move over a control writes its sentence into the
// help line txtHilfe; over the bare window it hides the X readout and the
// horizontal crosshair line and writes "Hilfe". The sentences come from the
// window's table of controls, which also names every control for a screen
// reader. A finger has no hover: held on a control for half a second, it
// writes the control's sentence and lifts without triggering the control; a
// tap triggers it as a click does. "i" shows the about box.
#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <vector>

class QLineEdit;
class QWidget;
namespace forms {
class LineShape;
}

namespace help {

class HoverHelp : public QObject {
  Q_OBJECT

 public:
  struct Controls {
    QWidget* window = nullptr;  // the bare window behind the controls
    QLineEdit *txtHilfe = nullptr, *txtY = nullptr;
    forms::LineShape* Line2 = nullptr;
    // The Start sentence ends with whatever txtVon shows, as typed.
    QWidget* Command1 = nullptr;
    QLineEdit* txtVon = nullptr;
  };
  // A control of the table: the sentence of the help line (empty: none), and
  // the name a screen reader speaks where neither that sentence nor its
  // caption says it (empty: one of those).
  struct Entry {
    QWidget* control;
    QString sentence, spoken;
  };

  HoverHelp(const Controls& controls, std::vector<Entry> entries, QObject* parent = nullptr);

  // The sentence of a control, or empty.
  QString sentence(const QObject* control) const;
  // For tests: a finger is held on a control.
  bool fingerHeld() const { return m_held; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void nameControls();
  bool touched(QWidget* control, QEvent* event);

  Controls m_ui;
  std::vector<Entry> m_entries;
  // A finger on a control: which, where it came down, and whether it has
  // been held long enough that lifting it triggers nothing.
  QPointer<QWidget> m_pressed;
  QPointF m_pressedAt;
  bool m_held = false;
  QTimer m_hold;
};

// "i": about the program.
void about(QWidget* parent);

}  // namespace help
