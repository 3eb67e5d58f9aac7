// SPDX-License-Identifier: GPL-3.0-or-later
// A formula picture: an SVG resource drawn stretched over the widget's whole area.
#pragma once

#include <QSize>
#include <QString>
#include <QSvgRenderer>
#include <QWidget>

#include "panel/formule.h"

namespace tv::app {

// Registers the formula pictures' resources (":/formule/..."), which live in a static library
// and would otherwise be dropped by the linker. Safe to call more than once.
void registra_formule();

// What the demand formula's picture has no room for (bounds, cases, coefficients), as the
// picture's tooltip: rich text at the desktop's own size.
QString legenda_formula(panel::FormulaDomanda formula);

class FormulaWidget : public QWidget {
    Q_OBJECT

public:
    explicit FormulaWidget(const QString& risorsa, QWidget* parent = nullptr);

    QString risorsa() const { return risorsa_; }
    // Draws another picture from now on.
    void imposta_risorsa(const QString& risorsa);
    // False when the resource is missing or is not a readable SVG.
    bool valida() const { return renderer_.isValid(); }
    // Size of the drawing as designed (its view box), before stretching.
    QSize dimensione_disegno() const;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QString risorsa_;
    QSvgRenderer renderer_;
};

}  // namespace tv::app
