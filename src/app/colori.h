// SPDX-License-Identifier: GPL-3.0-or-later
// Background and text colours of single controls, and of a whole window at once.
#pragma once

#include <QColor>
#include <QWidget>

namespace tv::app {

// Sets the colour a control fills its background with (labels, frames, toggles and the window
// fill their whole area; text fields and lists their editing area).
void set_background(QWidget* controllo, const QColor& colore);

// Sets the colour of a control's text.
void set_text_color(QWidget* controllo, const QColor& colore);

// The colours as the control paints them now.
QColor background(const QWidget* controllo);
QColor text_color(const QWidget* controllo);

// True for the controls that carry a background and a text colour of their own: labels, text
// fields, lists, toggles and frames. Buttons, lines and formula pictures do not.
bool ha_colori(const QWidget* controllo);

// Paints `finestra` and every control inside it that ha_colori(): background and text.
void colora_tutto(QWidget* finestra, const QColor& sfondo, const QColor& testo);

}  // namespace tv::app
