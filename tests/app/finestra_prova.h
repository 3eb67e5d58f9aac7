// SPDX-License-Identifier: GPL-3.0-or-later
// The real window started over a temporary suite, a click delivered through the window system,
// and a desktop whose dialogs and document viewer answer without a person.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPrinter>
#include <QTest>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

#include "app/finestra.h"
#include "app/piattaforma.h"
#include "app/presentatore.h"
#include "suite_temp.h"

namespace tv::app::prova {

// Collects the messages and lets a test look at the window while one is open.
struct MessaggiOsservati : form::RaccoltaMessaggi {
    void mostra(const form::Messaggio& m) override {
        if (osserva) osserva(m);
        RaccoltaMessaggi::mostra(m);
    }
    std::function<void(const form::Messaggio&)> osserva;
};

struct FinestraVera {
    explicit FinestraVera(const form::prova::SuiteTemp& suite)
        : form(messaggi, formato_locale()), presentatore(finestra, form) {
        QStringList args;
        for (const auto& a : suite.args()) args << QString::fromStdString(a);
        avviata = presentatore.avvia(args, QString());
        finestra.show();
        finestra.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&finestra));
    }
    QLineEdit* campo(int i) { return finestra.campo(i); }
    // Replaces the text of field i as the user would: focus, select all and type.
    void scrivi(int i, const QString& testo) {
        campo(i)->setFocus();
        campo(i)->selectAll();
        QTest::keyClicks(campo(i), testo);
    }
    std::vector<std::string> testi() const { return form::prova::testi_di(messaggi); }

    FinestraPrincipale finestra;
    MessaggiOsservati messaggi;
    form::Form1 form;
    Presentatore presentatore;
    bool avviata = false;
};

// A click delivered as the window system delivers it: to the window, at the widget's centre.
inline void clic(QWidget* w, QPoint dove = {-1, -1}) {
    if (dove.x() < 0) dove = w->rect().center();
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), dove));
}

// The printer dialog prints to `pdf` unless `annulla_stampa`, the save dialog returns `scelto`,
// the viewer takes every document while `apre`.
struct PiattaformaProva : Piattaforma {
    bool dialogo_stampa(QPrinter& stampante, QWidget*, const QString& proposto) override {
        pdf_proposto = proposto;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(pdf);
        return !annulla_stampa;
    }
    QString dialogo_salva(QWidget*, const QString& c, const QString& n, const QString& f) override {
        salvataggi.push_back({c, n, f});
        return scelto;
    }
    bool apri_documento(const QUrl& documento) override {
        aperti.push_back(documento);
        return apre;
    }

    QString pdf, pdf_proposto, scelto;
    bool annulla_stampa = false, apre = true;
    std::vector<QStringList> salvataggi;  // each save dialog's folder, name and filter
    std::vector<QUrl> aperti;
};

}  // namespace tv::app::prova
