// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/printoptions.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace inspector {

namespace {
PrintOptions& lastConfirmed() {
  static PrintOptions options;
  return options;
}
}  // namespace

void askPrintOptions(QWidget* parent, std::function<void(const PrintOptions&)> then) {
  auto* dialog = new QDialog(parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(QStringLiteral("Bild für den Druck"));
  const PrintOptions& last = lastConfirmed();
  auto* width = new QSpinBox(dialog);
  width->setObjectName(QStringLiteral("width"));
  width->setRange(kLeastPrintWidth, kMostPrintWidth);
  width->setSingleStep(100);
  width->setSuffix(QStringLiteral(" Pixel"));
  width->setValue(last.width);
  auto* screen = new QRadioButton(QStringLiteral("wie auf dem Bildschirm"), dialog);
  auto* printer = new QRadioButton(QStringLiteral("für den Drucker: weißer Grund, dunkle Punkte"), dialog);
  screen->setObjectName(QStringLiteral("screen"));
  printer->setObjectName(QStringLiteral("printer"));
  (last.scheme == support::Scheme::Printer ? printer : screen)->setChecked(true);
  auto* colours = new QVBoxLayout;
  colours->addWidget(screen);
  colours->addWidget(printer);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Breite:"), width);
  form->addRow(QStringLiteral("Farben:"), colours);
  auto* note = new QLabel(QStringLiteral("3000 Pixel reichen für eine A4-Seite bei 300 dpi, 12000 für ein Plakat. "
                                         "Das Bild wird in dieser Größe neu gezeichnet."),
                          dialog);
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Bild berechnen …"));
  auto* rows = new QVBoxLayout(dialog);
  rows->addLayout(form);
  rows->addWidget(note);
  rows->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [=, then = std::move(then)] {
    const PrintOptions chosen{width->value(),
                              printer->isChecked() ? support::Scheme::Printer : support::Scheme::Screen};
    lastConfirmed() = chosen;
    dialog->accept();
    then(chosen);
  });
  dialog->open();
}

QString printName(const QString& name, int width) {
  QString base = name;
  if (base.endsWith(QStringLiteral(".png"))) base.chop(4);
  return QStringLiteral("%1_%2px.png").arg(base).arg(width);
}

}  // namespace inspector
