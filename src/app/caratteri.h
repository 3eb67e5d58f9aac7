// SPDX-License-Identifier: GPL-3.0-or-later
// Fonts of the window: the design names, with fallbacks where the machine lacks them.
#pragma once

#include "app/campi.h"

#include <QFont>
#include <QStringList>

namespace tv::app {

// Folders searched for the design fonts when the system's font configuration does not list them.
QStringList cartelle_caratteri();

// Makes the design fonts available to the application: for every design family the font
// database does not know, the matching files of cartelle_caratteri() are registered.
// Safe to call more than once; returns the families registered by this call.
QStringList registra_caratteri();

// The families tried in order for a design family: the name itself, then look-alikes.
QStringList famiglie_per(const char* famiglia);

// famiglie_per() without the families this machine has only as bitmap fonts: those come in a few
// fixed sizes and would show the design's point sizes (8.25 pt...) at the wrong size.
QStringList famiglie_scalabili(const char* famiglia);

// A font for the design description, falling back along famiglie_scalabili().
QFont crea_font(const Carattere& carattere);

}  // namespace tv::app
