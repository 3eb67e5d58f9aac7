// SPDX-License-Identifier: GPL-3.0-or-later
// Flat frame painting: etched border under the caption, caption on the frame's own background.
#include "app/cornice.h"

#include <QPainter>

namespace tv::app {

CorniceWidget::CorniceWidget(const QString& titolo, QWidget* parent) : QGroupBox(titolo, parent) {}

void CorniceWidget::paintEvent(QPaintEvent*)
{
    QPainter pittore(this);
    const QFontMetrics metriche(font());
    const int meta = metriche.height() / 2;
    // Etched border: a dark line with a light one just inside it.
    const QRect bordo = rect().adjusted(0, meta, -2, -2);
    pittore.setPen(palette().color(QPalette::Mid));
    pittore.drawRect(bordo);
    pittore.setPen(palette().color(QPalette::Light));
    pittore.drawRect(bordo.translated(1, 1));

    if (title().isEmpty())
        return;
    const int margine = metriche.horizontalAdvance(QLatin1Char(' '));
    const QRect testo(2 * margine, 0, metriche.horizontalAdvance(title()) + 2 * margine, metriche.height());
    pittore.fillRect(testo, palette().color(QPalette::Window));
    pittore.setPen(palette().color(QPalette::WindowText));
    pittore.drawText(testo, Qt::AlignCenter | Qt::TextSingleLine, title());
}

}  // namespace tv::app
