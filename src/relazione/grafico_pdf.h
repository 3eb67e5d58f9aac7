// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the report's PDF renderer and its plots: the page resolution, millimetres to device
// units, the fonts, colours and texts as Qt takes them.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <string>

#include "relazione/documento.h"

namespace tv::relazione {

inline constexpr int kDpi = 600;

inline double mm(double x) {
    return x * kDpi / 25.4;
}
inline QString q(const std::string& s) {
    return QString::fromStdString(s);
}
inline QColor colore(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

inline QFont carattere(double punti, bool grassetto = false, bool corsivo = false, bool serif = false) {
    QFont f;
    f.setFamilies(serif ? QStringList{"DejaVu Serif", "Liberation Serif", "Times New Roman"}
                        : QStringList{"DejaVu Sans", "Liberation Sans", "Tahoma", "Arial"});
    f.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    f.setItalic(corsivo);
    // Unshaped text keeps every letter a glyph of its own: no ligatures, so that "fi" in
    // "verifica" is found by a search in the PDF.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

// A plot in the box `riquadro` (device units): title, axes with ticks, reference lines, series,
// labelled markers placed clear of each other and a legend.
void disegna_grafico(QPainter& p, QPaintDevice* device, const Grafico& g, const QRectF& riquadro);
// The panel seen from the front with its sides' restraints and a legend, its top at y, from x.
void disegna_vincoli(QPainter& p, const DisegnoVincoli& d, double y, double x);

}  // namespace tv::relazione
