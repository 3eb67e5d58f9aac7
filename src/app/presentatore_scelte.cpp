// SPDX-License-Identifier: GPL-3.0-or-later
// The presenter's part for the norm's pickers: a pick writes its fields' numbers through the one
// function the command line and the files use; the lists show the choices the numbers bear out.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/cornice_scelte.h"
#include "app/finestra.h"
#include "app/presentatore.h"
#include "form/campi.h"
#include "form/pannelli.h"
#include "form/scelte.h"
#include "form/suggerimenti.h"
#include "text/number_text.h"

namespace tv::app {

namespace {

// The list's entry of the choice shown: its row, else "altro" (the last entry).
template <class T, class E>
int indice_di(const T& tabella, const std::optional<E>& scelta) {
    for (std::size_t i = 0; i < tabella.size(); ++i)
        if (scelta && tabella[i].valore == *scelta) return static_cast<int>(i);
    return static_cast<int>(tabella.size());
}

bool uguale_scritto(const std::string& testo, double valore, const text::NumberFormat& f) {
    const auto v = text::parse_dot_or_locale(testo, f);
    return v && *v == text::round_half_even(valore, 4);
}

}  // namespace

void Presentatore::collega_scelte() {
    ControlliScelte& s = finestra_.scelte();
    for (Picker p : kPicker) {
        QComboBox* lista = s.lista(p);
        connect(lista, &QComboBox::activated, this, [this, p, lista](int indice) {
            if (in_sincronia_ || indice < 0) return;
            // "altro" clears the choice and leaves the numbers as they are.
            const std::string parola = lista->itemData(indice).toString().toStdString();
            std::optional<std::string> rifiuto;
            form::imposta_scelta(form_.stato.pannello, nome_picker(p), parola, form_.unita(),
                                 form_.formato(), rifiuto);
            mostra_stato();
            ridisegna();
            emit ingresso_accettato();
        });
    }
    for (std::size_t i = 0; i < form::kCorrettivi.size(); ++i)
        connect(s.correttivo(i), &QCheckBox::clicked, this, [this, i](bool acceso) {
            if (in_sincronia_) return;
            form::Scelte scelte = form_.stato.pannello.scelte;
            scelte.correttivi[i] = acceso;
            std::optional<std::string> rifiuto;
            form::imposta_scelta(form_.stato.pannello, "correttivi",
                                 form::cella_scelta(scelte, "correttivi"), form_.unita(),
                                 form_.formato(), rifiuto);
            mostra_stato();
            ridisegna();
            emit ingresso_accettato();
        });
    // New masonry: each of fk, the units and the class stored; fd and E written once all hold.
    const auto nuova = [this](std::string_view nome, const std::string& testo) {
        if (in_sincronia_) return;
        std::optional<std::string> rifiuto;
        form::imposta_scelta(form_.stato.pannello, nome, testo, form_.unita(), form_.formato(), rifiuto);
        if (rifiuto) sincronia_.mostra({*rifiuto, form::kInputErrato, form::Icona::stop});
        mostra_stato();
        ridisegna();
        emit ingresso_accettato();
    };
    connect(s.fk(), &QLineEdit::editingFinished, this,
            [this, nuova] { nuova("fk", finestra_.scelte().fk()->text().toStdString()); });
    connect(s.elementi(), &QComboBox::activated, this, [this, nuova](int i) {
        nuova("elementi", finestra_.scelte().elementi()->itemData(i).toString().toStdString());
    });
    connect(s.classe_esecuzione(), &QComboBox::activated, this, [this, nuova](int i) {
        nuova("classe_esecuzione",
              finestra_.scelte().classe_esecuzione()->itemData(i).toString().toStdString());
    });
    // A suggestion picked is taken: T1 from H, qa from the element; "altro" writes nothing.
    for (auto [lista, nome] : {std::pair{s.edificio(), "struttura_edificio"},
                               std::pair{s.elemento(), "elemento_non_strutturale"}})
        connect(lista, &QComboBox::activated, this, [this, lista, nome](int indice) {
            const std::string parola = lista->itemData(indice).toString().toStdString();
            if (in_sincronia_ || indice < 0 || parola.empty()) return;
            std::optional<std::string> rifiuto;
            form::imposta_scelta(form_.stato.pannello, nome, parola, form_.unita(), form_.formato(),
                                 rifiuto);
            mostra_stato();
            ridisegna();
            emit ingresso_accettato();
        });
    connect(s.h_su_H(), &QLineEdit::editingFinished, this, [this] {
        if (in_sincronia_) return;
        std::optional<std::string> rifiuto;
        form::imposta_scelta(form_.stato.pannello, "h_su_H",
                             finestra_.scelte().h_su_H()->text().toStdString(), form_.unita(),
                             form_.formato(), rifiuto);
        // A refused h/H is said; the field then shows the one kept.
        if (rifiuto) sincronia_.mostra({*rifiuto, form::kInputErrato, form::Icona::stop});
        mostra_stato();
        ridisegna();
        emit ingresso_accettato();
    });
}

void Presentatore::mostra_scelte() {
    ControlliScelte& s = finestra_.scelte();
    const form::Pannello& p = form_.stato.pannello;
    const form::ScelteValide v = form::scelte_valide(p, form_.unita(), form_.formato());
    s.lista(Picker::classe_uso)->setCurrentIndex(indice_di(form::kClassiUso, v.classe_uso));
    s.lista(Picker::stato_limite)->setCurrentIndex(indice_di(form::kStatiLimite, v.stato_limite));
    s.lista(Picker::tipo_costruzione)
        ->setCurrentIndex(indice_di(form::kTipiCostruzione, v.tipo_costruzione));
    s.lista(Picker::categoria_topografica)
        ->setCurrentIndex(indice_di(form::kCategorieTopografiche, v.categoria_topografica));
    // The knowledge level fd was worked with while a masonry type holds (LC1 when none was
    // picked), else as stored.
    s.lista(Picker::muratura)->setCurrentIndex(indice_di(form::kMurature, v.muratura));
    const auto lc = v.muratura ? std::optional(v.livello_conoscenza) : p.scelte.livello_conoscenza;
    s.lista(Picker::livello_conoscenza)->setCurrentIndex(indice_di(form::kLivelliConoscenza, lc));
    for (std::size_t i = 0; i < form::kCorrettivi.size(); ++i)
        s.correttivo(i)->setChecked(p.scelte.correttivi[i]);
    // h/H is kept in "." notation and shown with the locale's separator, as every field.
    s.h_su_H()->setText(
        QString::fromStdString(form::separatore_locale(p.scelte.h_su_H, form_.formato())));
    s.fk()->setText(QString::fromStdString(form::separatore_locale(p.scelte.fk, form_.formato())));
    s.elementi()->setCurrentIndex(indice_di(form::kMaterialiNuovi, p.scelte.elementi));
    s.classe_esecuzione()->setCurrentIndex(indice_di(form::kClassiEsecuzione, p.scelte.classe_esecuzione));
    // The suggestion the fields hold, else "altro".
    std::optional<form::TipoEdificio> edificio;
    if (const auto H = form::altezza_edificio_m(p, form_.unita(), form_.formato()))
        for (const auto& e : form::kTipiEdificio)
            if (uguale_scritto(p.testi[form::Campo::T1], form::periodo_suggerito(e.valore, *H),
                               form_.formato()))
                edificio = e.valore;
    s.edificio()->setCurrentIndex(indice_di(form::kTipiEdificio, edificio));
    std::optional<form::ElementoNonStrutturale> elemento;
    for (const auto& e : form::kElementi)
        if (uguale_scritto(p.testi[form::Campo::qa], e.numero, form_.formato()))
            elemento = e.valore;
    s.elemento()->setCurrentIndex(indice_di(form::kElementi, elemento));
}

}  // namespace tv::app
