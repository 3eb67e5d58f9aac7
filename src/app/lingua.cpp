// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's Italian translation for the window program's dialogs, with the buttons' texts of its own
// for a system where the translation is not installed.
#include "app/lingua.h"

#include <QApplication>
#include <QLocale>
#include <cstring>

namespace tv::app {

namespace {

struct Testo {
    const char* contesto;
    const char* inglese;
    const char* italiano;  // as Qt's Italian translation has it
};

// The standard buttons of message boxes, button boxes and input dialogs, and the file dialog's
// accept buttons and labels.
constexpr Testo kTesti[] = {
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "Save", "Salva"},
    {"QPlatformTheme", "Save All", "Salva tutti"},
    {"QPlatformTheme", "Open", "Apri"},
    {"QPlatformTheme", "&Yes", "&Sì"},
    {"QPlatformTheme", "Yes to &All", "Sì &a tutti"},
    {"QPlatformTheme", "&No", "&No"},
    {"QPlatformTheme", "N&o to All", "N&o a tutti"},
    {"QPlatformTheme", "Abort", "Interrompi"},
    {"QPlatformTheme", "Retry", "Riprova"},
    {"QPlatformTheme", "Ignore", "Ignora"},
    {"QPlatformTheme", "Close", "Chiudi"},
    {"QPlatformTheme", "Cancel", "Annulla"},
    {"QPlatformTheme", "Discard", "Scarta"},
    {"QPlatformTheme", "Help", "Aiuto"},
    {"QPlatformTheme", "Apply", "Applica"},
    {"QPlatformTheme", "Reset", "Ripristina"},
    {"QPlatformTheme", "Restore Defaults", "Ripristina valori predefiniti"},
    {"QFileDialog", "&Save", "&Salva"},
    {"QFileDialog", "&Open", "&Apri"},
    {"QFileDialog", "Save As", "Salva come"},
    {"QFileDialog", "File &name:", "&Nome del file:"},
    {"QFileDialog", "Look in:", "Cerca in:"},
    {"QFileDialog", "Files of type:", "File di tipo:"},
};

// The texts above in place of Qt's translation; every other text stays Qt's English.
class PulsantiItaliani : public QTranslator {
public:
    QString translate(const char* contesto, const char* testo, const char* /*disambiguazione*/,
                      int /*n*/) const override {
        for (const Testo& t : kTesti)
            if (std::strcmp(t.contesto, contesto) == 0 && std::strcmp(t.inglese, testo) == 0)
                return QString::fromUtf8(t.italiano);
        return {};
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

std::unique_ptr<QTranslator> installa_italiano(const QString& cartella) {
    std::unique_ptr<QTranslator> traduttore = std::make_unique<QTranslator>();
    // qtbase holds every dialog of Qt Widgets and Qt Print Support.
    if (!traduttore->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"), cartella))
        traduttore = std::make_unique<PulsantiItaliani>();
    QApplication::installTranslator(traduttore.get());
    return traduttore;
}

}  // namespace tv::app
