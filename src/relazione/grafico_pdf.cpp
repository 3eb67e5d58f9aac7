// SPDX-License-Identifier: GPL-3.0-or-later
// The report's plots drawn with QPainter: axes and ticks scaled to the box, reference lines,
// series, labelled markers and the legend; and the drawing of the panel's restraints.
#include "relazione/grafico_pdf.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tv::relazione {

void disegna_grafico(QPainter& p, QPaintDevice* device, const Grafico& g, const QRectF& riquadro) {
    const double x = riquadro.left(), y = riquadro.top(), w = riquadro.width(),
                 h = riquadro.height();
    const QRectF area(x + mm(16), y + mm(12), w - mm(16) - (g.y2 ? mm(16) : mm(4)),
                      h - mm(12) - mm(13));
    p.setPen(Qt::black);
    p.setFont(carattere(9.5, true));
    p.drawText(QRectF(x, y, w, mm(6)), Qt::AlignHCenter | Qt::AlignVCenter, q(g.titolo));

    const auto px = [&](double v) {
        return area.left() + (v - g.x.minimo) / (g.x.massimo - g.x.minimo) * area.width();
    };
    const auto py = [&](double v, bool destro) {
        const Asse& a = destro && g.y2 ? *g.y2 : g.y;
        return area.bottom() - (v - a.minimo) / (a.massimo - a.minimo) * area.height();
    };
    // Grid and ticks.
    p.setFont(carattere(7.5));
    const QPen griglia(QColor(215, 215, 215), mm(0.12));
    for (const Tacca& t : g.x.tacche) {
        const double xx = px(t.valore);
        p.setPen(griglia);
        p.drawLine(QPointF(xx, area.top()), QPointF(xx, area.bottom()));
        p.setPen(QPen(Qt::black, mm(0.2)));
        p.drawLine(QPointF(xx, area.bottom()), QPointF(xx, area.bottom() + mm(1.2)));
        p.drawText(QRectF(xx - mm(10), area.bottom() + mm(1.5), mm(20), mm(4)),
                   Qt::AlignHCenter | Qt::AlignTop, q(t.testo));
    }
    for (const Tacca& t : g.y.tacche) {
        const double yy = py(t.valore, false);
        p.setPen(griglia);
        p.drawLine(QPointF(area.left(), yy), QPointF(area.right(), yy));
        p.setPen(QPen(Qt::black, mm(0.2)));
        p.drawLine(QPointF(area.left() - mm(1.2), yy), QPointF(area.left(), yy));
        p.drawText(QRectF(area.left() - mm(15), yy - mm(2), mm(13.3), mm(4)),
                   Qt::AlignRight | Qt::AlignVCenter, q(t.testo));
    }
    if (g.y2)
        for (const Tacca& t : g.y2->tacche) {
            const double yy = py(t.valore, true);
            p.setPen(QPen(Qt::black, mm(0.2)));
            p.drawLine(QPointF(area.right(), yy), QPointF(area.right() + mm(1.2), yy));
            p.drawText(QRectF(area.right() + mm(1.7), yy - mm(2), mm(13), mm(4)),
                       Qt::AlignLeft | Qt::AlignVCenter, q(t.testo));
        }
    // Axis titles.
    p.setFont(carattere(8.5));
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.bottom() + mm(6), area.width(), mm(5)),
               Qt::AlignHCenter | Qt::AlignTop, q(g.x.titolo));
    const auto verticale = [&](double cx, const std::string& t, QColor c) {
        p.save();
        p.setPen(c);
        p.translate(cx, area.center().y());
        p.rotate(-90);
        p.drawText(QRectF(-area.height() / 2, -mm(2.5), area.height(), mm(5)), Qt::AlignCenter,
                   q(t));
        p.restore();
    };
    verticale(area.left() - mm(14), g.y.titolo, Qt::black);
    if (g.y2) verticale(area.right() + mm(14), g.y2->titolo, Qt::black);

    p.save();
    p.setClipRect(area.adjusted(-mm(0.5), -mm(0.5), mm(0.5), mm(0.5)));
    for (const Riferimento& r : g.riferimenti) {
        p.setPen(QPen(colore(r.colore), mm(0.3), Qt::DashLine));
        if (r.verticale)
            p.drawLine(QPointF(px(r.valore), area.top()), QPointF(px(r.valore), area.bottom()));
        else
            p.drawLine(QPointF(area.left(), py(r.valore, r.asse_secondario)),
                       QPointF(area.right(), py(r.valore, r.asse_secondario)));
    }
    for (const Serie& s : g.serie) {
        QPainterPath path;
        for (std::size_t i = 0; i < s.punti.size(); ++i) {
            const QPointF pt(px(s.punti[i].x), py(s.punti[i].y, s.asse_secondario));
            if (i == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        p.setPen(QPen(colore(s.colore), mm(0.45), s.tratteggiata ? Qt::DashLine : Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    p.restore();
    p.setPen(QPen(Qt::black, mm(0.3)));
    p.drawRect(area);

    p.setFont(carattere(7.5));
    const QFontMetricsF fm(p.font(), device);
    std::vector<QRectF> occupati;
    // A label moves up (then down) in steps until it clears those already placed.
    const auto posa = [&](QRectF box) {
        for (int k = 0; k < 12; ++k) {
            const QRectF prova = box.translated(0, (k % 2 ? 1 : -1) * ((k + 1) / 2) * mm(4.2));
            const bool libero =
                std::none_of(occupati.begin(), occupati.end(),
                             [&](const QRectF& o) { return o.intersects(prova); });
            if (libero && area.contains(prova)) {
                box = prova;
                break;
            }
        }
        occupati.push_back(box);
        return box;
    };
    for (const Riferimento& r : g.riferimenti) {
        p.setPen(colore(r.colore).darker(120));
        const QString t = q(r.etichetta);
        const double lw = fm.horizontalAdvance(t) + mm(1);
        if (r.verticale) {
            // Along the line, near the foot of the plot.
            p.save();
            p.translate(px(r.valore) - mm(0.8), area.bottom() - mm(1.5));
            p.rotate(-90);
            p.drawText(QRectF(0, -mm(4), lw, mm(4)), Qt::AlignLeft | Qt::AlignBottom, t);
            p.restore();
        } else {
            const double yy = py(r.valore, r.asse_secondario);
            const QRectF box(area.right() - mm(2) - lw, yy - mm(4.2), lw, mm(4));
            occupati.push_back(box);
            p.drawText(box, Qt::AlignRight | Qt::AlignBottom, t);
        }
    }
    for (const Marcatore& m : g.marcatori) {
        const QPointF c(px(m.punto.x), py(m.punto.y, m.asse_secondario));
        occupati.push_back(QRectF(c.x() - mm(1.2), c.y() - mm(1.2), mm(2.4), mm(2.4)));
    }
    for (const Marcatore& m : g.marcatori) {
        const QPointF c(px(m.punto.x), py(m.punto.y, m.asse_secondario));
        p.setPen(QPen(Qt::black, mm(0.2)));
        p.setBrush(colore(m.colore));
        p.drawEllipse(c, mm(1.0), mm(1.0));
        p.setBrush(Qt::NoBrush);
        const QString t = q(m.etichetta);
        const double lw = fm.horizontalAdvance(t) + mm(1);
        const bool a_sinistra = c.x() + mm(2) + lw > area.right();
        const QRectF box =
            posa(a_sinistra ? QRectF(c.x() - mm(2) - lw, c.y() - mm(5), lw, mm(4))
                            : QRectF(c.x() + mm(2), c.y() - mm(5), lw, mm(4)));
        p.fillRect(box, QColor(255, 255, 255, 215));
        p.setPen(colore(m.colore).darker(130));
        p.drawText(box, (a_sinistra ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, t);
    }
    // Legend of the series, in a row between the title and the plot; a series without a name
    // (the second outline of a drawing) has none.
    double lx = area.right();
    for (auto s = g.serie.rbegin(); s != g.serie.rend(); ++s) {
        if (s->nome.empty()) continue;
        const QString t = q(s->nome) + (s->asse_secondario ? " (asse destro)" : "");
        lx -= fm.horizontalAdvance(t) + mm(12);
        const double ly = area.top() - mm(3);
        p.setPen(
            QPen(colore(s->colore), mm(0.45), s->tratteggiata ? Qt::DashLine : Qt::SolidLine));
        p.drawLine(QPointF(lx, ly), QPointF(lx + mm(8), ly));
        p.setPen(Qt::black);
        p.drawText(QRectF(lx + mm(9.5), ly - mm(2), mm(60), mm(4)),
                   Qt::AlignLeft | Qt::AlignVCenter, t);
    }
}

void disegna_vincoli(QPainter& p, const DisegnoVincoli& d, double y, double x) {
    const double maxW = mm(58), maxH = mm(32);
    const double scala = std::min(maxW / std::max(d.B, 1e-9), maxH / std::max(d.L, 1e-9));
    const double w = d.B * scala, h = d.L * scala;
    const double x0 = x + mm(8) + (maxW - w) / 2, y0 = y + mm(3) + (maxH - h) / 2;
    QRectF r(x0, y0, w, h);
    p.fillRect(r, QColor(236, 226, 214));
    const auto lato = [&](QPointF a, QPointF b, bool appoggiato, QPointF fuori) {
        if (appoggiato) {
            p.setPen(QPen(Qt::black, mm(0.7)));
            p.drawLine(a, b);
            // Hatching on the outer side: the support.
            p.setPen(QPen(Qt::black, mm(0.2)));
            const double lun = std::hypot(b.x() - a.x(), b.y() - a.y());
            const int n = std::max(3, static_cast<int>(lun / mm(3)));
            for (int i = 0; i <= n; ++i) {
                const QPointF m = a + (b - a) * (static_cast<double>(i) / n);
                p.drawLine(m, m + fuori * mm(2) + (b - a) / lun * mm(1.5));
            }
        } else {
            p.setPen(QPen(QColor(110, 110, 110), mm(0.3), Qt::DashLine));
            p.drawLine(a, b);
        }
    };
    lato(r.topLeft(), r.topRight(), d.superiore, QPointF(0, -1));
    if (d.incastro) {
        // A fixed base: a heavy line over a solid band, the drawing of a clamp.
        p.fillRect(QRectF(r.bottomLeft(), QSizeF(w, mm(1.6))), QColor(90, 90, 90));
        p.setPen(QPen(Qt::black, mm(0.9)));
        p.drawLine(r.bottomLeft(), r.bottomRight());
    } else {
        lato(r.bottomLeft(), r.bottomRight(), d.inferiore, QPointF(0, 1));
    }
    lato(r.topLeft(), r.bottomLeft(), d.sinistro, QPointF(-1, 0));
    lato(r.topRight(), r.bottomRight(), d.destro, QPointF(1, 0));
    p.setPen(Qt::black);
    p.setFont(carattere(8.5));
    p.drawText(QRectF(x0 - mm(10), y0 + h + mm(2.5), w + mm(20), mm(5)),
               Qt::AlignHCenter | Qt::AlignTop, q(d.testo_B));
    p.save();
    p.translate(x0 - mm(3), y0 + h / 2);
    p.rotate(-90);
    p.drawText(QRectF(-mm(30), -mm(5), mm(60), mm(5)), Qt::AlignHCenter | Qt::AlignBottom,
               q(d.testo_L));
    p.restore();
    // Legend under the drawing: the kinds of side it shows (a cantilever has no support).
    const double ly = y + maxH + mm(12), lx = x + mm(8);
    if (d.incastro) {
        p.fillRect(QRectF(lx, ly - mm(0.3), mm(8), mm(1.6)), QColor(90, 90, 90));
        p.setPen(QPen(Qt::black, mm(0.9)));
    } else {
        p.setPen(QPen(Qt::black, mm(0.7)));
    }
    p.drawLine(QPointF(lx, ly), QPointF(lx + mm(8), ly));
    p.setPen(QPen(QColor(110, 110, 110), mm(0.3), Qt::DashLine));
    p.drawLine(QPointF(lx + mm(32), ly), QPointF(lx + mm(40), ly));
    p.setPen(Qt::black);
    p.drawText(QRectF(lx + mm(10), ly - mm(3), mm(22), mm(6)), Qt::AlignVCenter,
               d.incastro ? "Incastrato" : "Appoggiato");
    p.drawText(QRectF(lx + mm(42), ly - mm(3), mm(22), mm(6)), Qt::AlignVCenter, "Libero");
}

}  // namespace tv::relazione
