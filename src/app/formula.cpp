// SPDX-License-Identifier: GPL-3.0-or-later
// Formula pictures drawn from SVG resources.
#include "app/formula.h"

#include <QPainter>

static void inizializza_formule()
{
    Q_INIT_RESOURCE(formule);
}

namespace tv::app {

void registra_formule()
{
    static const bool fatto = (inizializza_formule(), true);
    (void)fatto;
}

FormulaWidget::FormulaWidget(const QString& risorsa, QWidget* parent)
    : QWidget(parent), risorsa_(risorsa), renderer_(risorsa)
{
    setFocusPolicy(Qt::NoFocus);
}

void FormulaWidget::imposta_risorsa(const QString& risorsa)
{
    if (risorsa == risorsa_)
        return;
    risorsa_ = risorsa;
    renderer_.load(risorsa);
    update();
}

static QString senza_a_capo(const QString& testo)
{
    // A tooltip wraps rich text at its own width: each line is kept whole instead.
    return QStringLiteral("<p style=\"white-space:pre\">") + testo + QStringLiteral("</p>");
}

static QString legenda(panel::FormulaDomanda formula)
{
    switch (formula) {
    case panel::FormulaDomanda::ec8:
        return QStringLiteral(
            "UNI EN 1998-1 § 4.3.5.2: <i>S</i><sub>a</sub> non minore di <i>α</i>·<i>S</i>.");
    case panel::FormulaDomanda::circolare_c7_2_11:
        return QStringLiteral(
            "Circolare 2019 [C7.2.11], coefficienti <i>a</i>, <i>b</i>, <i>a</i><sub>p</sub> della "
            "Tabella C7.2.II:<br><i>c</i> = <i>a</i> se <i>T</i><sub>a</sub> &lt; "
            "<i>a</i>·<i>T</i><sub>1</sub>; <i>c</i> = <i>b</i> se <i>T</i><sub>a</sub> ≥ "
            "<i>b</i>·<i>T</i><sub>1</sub>;<br>per <i>a</i>·<i>T</i><sub>1</sub> ≤ "
            "<i>T</i><sub>a</sub> &lt; <i>b</i>·<i>T</i><sub>1</sub> (plateau) <i>S</i><sub>a</sub> "
            "= <i>α</i>·<i>S</i>·(1 + <i>Z</i>/<i>H</i>)·<i>a</i><sub>p</sub>.");
    case panel::FormulaDomanda::circolare_c7_2_5:
        return QStringLiteral(
            "Circolare 2019 [C7.2.5]-[C7.2.10], primo modo dell'edificio:<br>"
            "<i>c</i> = <i>a</i> = 0,8 ed <i>e</i> = 1,6 se <i>T</i><sub>a</sub> &lt; "
            "<i>a</i>·<i>T</i><sub>k</sub>; <i>c</i> = <i>b</i> = 1,1 ed <i>e</i> = 1,2 se "
            "<i>T</i><sub>a</sub> ≥ <i>b</i>·<i>T</i><sub>k</sub>;<br>"
            "<i>S</i><sub>eZ</sub> = <i>A</i>·<i>a</i><sub>Z</sub> se <i>a</i>·<i>T</i><sub>k</sub> "
            "≤ <i>T</i><sub>a</sub> &lt; <i>b</i>·<i>T</i><sub>k</sub>; <i>S</i><sub>eZ</sub> ≥ "
            "<i>S</i><sub>e</sub>(<i>T</i><sub>a</sub>) se <i>T</i><sub>a</sub> &gt; "
            "<i>T</i><sub>k</sub>;<br>"
            "<i>a</i><sub>Z</sub> = <i>S</i><sub>e</sub>(<i>T</i><sub>k</sub>, "
            "<i>ξ</i><sub>k</sub>)·<i>γ</i><sub>1</sub>·<i>Z</i>/<i>H</i>·√(1 + "
            "0,0004·<i>ξ</i><sub>k</sub>²), <i>γ</i><sub>1</sub> = 3<i>n</i>/(2<i>n</i> + 1), "
            "<i>A</i> = 1,1·<i>ξ</i><sub>k</sub><sup>−0,5</sup>.");
    }
    return {};
}

QString legenda_formula(panel::FormulaDomanda formula) { return senza_a_capo(legenda(formula)); }

QSize FormulaWidget::dimensione_disegno() const
{
    return renderer_.viewBox().size();
}

void FormulaWidget::paintEvent(QPaintEvent*)
{
    if (!renderer_.isValid())
        return;
    QPainter pittore(this);
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.setRenderHint(QPainter::TextAntialiasing);
    renderer_.render(&pittore, QRectF(rect()));
}

}  // namespace tv::app
