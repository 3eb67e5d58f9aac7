// SPDX-License-Identifier: GPL-3.0-or-later
// Colours through the palette: the style keeps drawing every control, only in the chosen colours.
#include "app/colori.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace tv::app {

namespace {

// Controls whose colour is that of their editing area rather than of the whole widget.
bool ha_area_di_testo(const QWidget* controllo)
{
    return qobject_cast<const QLineEdit*>(controllo) != nullptr ||
           qobject_cast<const QAbstractScrollArea*>(controllo) != nullptr;
}

struct Ruoli {
    QPalette::ColorRole sfondo;
    QPalette::ColorRole testo;
};

// Only the roles the control paints with change, so that a colour set on a container does not
// spill into controls of another kind inside it (a white window keeps grey buttons). Toggles fill
// their background with the Button role but write their caption in WindowText.
Ruoli ruoli(const QWidget* controllo)
{
    if (ha_area_di_testo(controllo))
        return {QPalette::Base, QPalette::Text};
    if (qobject_cast<const QPushButton*>(controllo) != nullptr)
        return {QPalette::Button, QPalette::ButtonText};
    return {controllo->backgroundRole(), QPalette::WindowText};
}

}  // namespace

void set_background(QWidget* controllo, const QColor& colore)
{
    if (controllo == nullptr)
        return;
    const Ruoli r = ruoli(controllo);
    QPalette tavolozza = controllo->palette();
    tavolozza.setColor(r.sfondo, colore);
    controllo->setPalette(tavolozza);
    if (!ha_area_di_testo(controllo))
        controllo->setAutoFillBackground(true);
}

void set_text_color(QWidget* controllo, const QColor& colore)
{
    if (controllo == nullptr)
        return;
    QPalette tavolozza = controllo->palette();
    tavolozza.setColor(ruoli(controllo).testo, colore);
    controllo->setPalette(tavolozza);
}

QColor background(const QWidget* controllo)
{
    return controllo->palette().color(ruoli(controllo).sfondo);
}

QColor text_color(const QWidget* controllo)
{
    return controllo->palette().color(ruoli(controllo).testo);
}

bool ha_colori(const QWidget* controllo)
{
    return qobject_cast<const QLabel*>(controllo) != nullptr || qobject_cast<const QLineEdit*>(controllo) != nullptr ||
           qobject_cast<const QAbstractScrollArea*>(controllo) != nullptr ||
           qobject_cast<const QCheckBox*>(controllo) != nullptr || qobject_cast<const QGroupBox*>(controllo) != nullptr;
}

void colora_tutto(QWidget* finestra, const QColor& sfondo, const QColor& testo)
{
    if (finestra == nullptr)
        return;
    set_background(finestra, sfondo);
    set_text_color(finestra, testo);
    for (QWidget* controllo : finestra->findChildren<QWidget*>()) {
        if (!ha_colori(controllo))
            continue;
        set_background(controllo, sfondo);
        set_text_color(controllo, testo);
    }
}

}  // namespace tv::app
