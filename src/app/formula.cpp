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
