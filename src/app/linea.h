// SPDX-License-Identifier: GPL-3.0-or-later
// A straight line drawn on its container, with a settable width and colour.
#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace tv::app {

// Covers the bounding box of its segment plus room for the widest pen; lets mouse events
// through to whatever lies under it.
class LineaWidget : public QWidget {
    Q_OBJECT

public:
    // `da` and `a` are the end points in the parent's pixels; `scala` multiplies the pen width
    // (logical dpi / 96), so that a width of 3 stays three screen pixels at 96 dpi.
    LineaWidget(QPoint da, QPoint a, double scala, QWidget* parent = nullptr);

    // The same segment between new end points at a new pen scale (the window zoomed).
    void riposiziona(QPoint da, QPoint a, double scala);

    void imposta_larghezza(int larghezza);
    int larghezza() const { return larghezza_; }

    void imposta_colore(const QColor& colore);
    QColor colore() const { return colore_; }

    // End points in the parent's pixels, wherever the widget has been moved.
    QPoint da() const { return pos() + da_; }
    QPoint a() const { return pos() + a_; }

    // Widest pen the geometry leaves room for.
    static constexpr int larghezza_massima = 3;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    int larghezza_in_pixel() const;

    QPoint da_;  // end points in the widget's own pixels
    QPoint a_;
    double scala_;
    int larghezza_ = 1;
    QColor colore_ = Qt::black;
};

}  // namespace tv::app
