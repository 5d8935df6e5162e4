// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Ctrl+Shift+S: the diagram drawn anew at print size (diagram/printpicture.h)
// with the width and colours asked for, a progress bar with a cancel button
// while its columns are computed, the window answering meanwhile, then saved
// where the user chooses.
#include <QProgressDialog>

#include "app/form1.h"
#include "diagram/printpicture.h"
#include "forms/export.h"
#include "forms/picturebox.h"
#include "inspector/printoptions.h"

void Form1::druckbildSpeichern() {
  inspector::askPrintOptions(this, [this](const inspector::PrintOptions& options) {
    const diagram::Sweep::Record& drawn = sweep.record();
    const diagram::PrintRequest request{fenster,     drawn.iteration, drawn.strich,
                                        drawn.drawn, options.width,   options.scheme};
    auto* picture = new diagram::PrintPicture(request, ui.picAusgabe->size(), ui.picAusgabe->font());
    picture->setParent(this);
    auto* progress =
        new QProgressDialog(QStringLiteral("Das Bild wird in %1 Pixeln Breite berechnet …").arg(options.width),
                            QStringLiteral("Abbrechen"), 0, picture->columns(), this);
    progress->setWindowTitle(QStringLiteral("Bild für den Druck"));
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->setMinimumDuration(0);
    connect(picture, &diagram::PrintPicture::progressed, progress, &QProgressDialog::setValue);
    connect(progress, &QProgressDialog::canceled, picture, &diagram::PrintPicture::cancel);
    const QString name =
        inspector::printName(QStringLiteral("feigenbaum_p%1-%2_x%3-%4.png")
                                 .arg(forms::fileNumber(fenster.links), forms::fileNumber(fenster.rechts),
                                      forms::fileNumber(fenster.xMin), forms::fileNumber(fenster.xMax)),
                             options.width);
    connect(picture, &diagram::PrintPicture::finished, this, [this, picture, progress, name](bool complete) {
      progress->close();
      picture->deleteLater();
      // The dialog lets events through: the picture is kept as it is.
      if (complete) forms::savePicture(this, QImage(picture->image()), name);
    });
    picture->start();
  });
}
