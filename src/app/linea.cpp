// SPDX-License-Identifier: GPL-3.0-or-later
// Line widget: geometry fixed at creation, pen width and colour changed at will.
#include "app/linea.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace tv::app {

LineaWidget::LineaWidget(QPoint da, QPoint a, double scala, QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    riposiziona(da, a, scala);
}

void LineaWidget::riposiziona(QPoint da, QPoint a, double scala)
{
    scala_ = scala > 0 ? scala : 1.0;
    const int margine = static_cast<int>(std::ceil(larghezza_massima * scala_)) + 1;
    const QRect box = QRect(da, a).normalized().adjusted(-margine, -margine, margine, margine);
    setGeometry(box);
    da_ = da - box.topLeft();
    a_ = a - box.topLeft();
    update();
}

void LineaWidget::imposta_larghezza(int larghezza)
{
    larghezza = std::max(1, larghezza);
    if (larghezza == larghezza_)
        return;
    larghezza_ = larghezza;
    update();
}

void LineaWidget::imposta_colore(const QColor& colore)
{
    if (colore == colore_)
        return;
    colore_ = colore;
    update();
}

int LineaWidget::larghezza_in_pixel() const
{
    return std::max(1, static_cast<int>(std::lround(larghezza_ * scala_)));
}

void LineaWidget::paintEvent(QPaintEvent*)
{
    QPainter pittore(this);
    QPen penna(colore_);
    penna.setWidth(larghezza_in_pixel());
    // Square caps close the corners where a wide edge meets a thin one.
    penna.setCapStyle(Qt::SquareCap);
    pittore.setPen(penna);
    pittore.drawLine(da_, a_);
}

}  // namespace tv::app
