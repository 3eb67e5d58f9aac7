// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, validation, restraint toggles and locality search of the main window.
#include "app/modello/form1.h"
#include "form/pannelli.h"

#include <cmath>

#include "hazard/localita.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::form {
namespace fs = std::filesystem;


Form1::Form1(Messaggi& messaggi, text::NumberFormat formato)
    : messaggi_(&messaggi), formato_(std::move(formato)) {}

void Form1::mostra(const std::string& testo, const std::string& titolo) {
    messaggi_->mostra(Messaggio{testo, titolo, Icona::stop});
    ++mostrati_;
}

fs::path Form1::file_griglia() const {
    return lavoro.file_griglia();
}

fs::path Form1::file_localita() const {
    return lavoro.file_localita();
}

bool Form1::Form_Load(const std::vector<std::string>& args, const fs::path& current_dir) {
    fs::path root;
    try {
        root = trova_root(args, current_dir);
    } catch (const Failure& f) {
        mostra(f.what(), f.title());
        return false;
    }
    return avvia(root);
}

bool Form1::avvia(const fs::path& root, const std::optional<std::string>& nome_lavoro) {
    // Start-up's notices are counted as the window's own.
    struct Conta : Messaggi {
        Messaggi& m;
        std::size_t n = 0;
        explicit Conta(Messaggi& m) : m(m) {}
        void mostra(const Messaggio& x) override { ++n, m.mostra(x); }
    } conta(*messaggi_);
    Pannello p = pannello();
    // The job's locality fills the search list, as if typed.
    const bool avviato = avvia_lavoro(root, nome_lavoro, lavoro, p, conta, formato_,
                                      [this](const std::string& t) { imposta_testo_combo(t); });
    mostrati_ += conta.n;
    if (!avviato) return false;
    stato.pannello.testi = std::move(p.testi);
    stato.pannello.datum = p.datum;
    T1 = numero_di_testo(Campo::T1, stato.pannello.testi[Campo::T1], formato_).value_or(0);

    // Captions of the fields, in the job's work units.
    const auto& unita = lavoro.unita;
    for (const DatiCampoForm& d : kTabellaCampi)
        if (d.etichetta >= 0)
            stato.label1[static_cast<std::size_t>(d.etichetta)] =
                d.didascalia + unita.etichetta(d.famiglia);
    stato.label1[34] = "fe " + unita.etichetta_tensioni;

    messaggi_avvio_ = mostrati_;
    // A job without site data opens on no result and without the stop's message: the verdict's
    // place says "Sito da indicare" until the user gives the site.
    in_avvio_ = true;
    const bool completata = Command1_Click(0);
    in_avvio_ = false;
    if (!completata) cancella_risultati();
    return true;
}

// The window must not open on the design texts of its results (numbers nobody computed) when
// the start-up run stopped: it shows no result at all until a run completes.
void Form1::cancella_risultati() {
    cancella_testi_risultato(stato.pannello.testi);
    stato.label2_0.clear();
    stato.label2_1.clear();
    stato.label2_6.clear();
    stato.label3.clear();
    stato.fonte.clear();
    stato.nota_VR.clear();
    stato.avvisi.clear();
    stato.sito_iniziale = sito_iniziale();
}

void Form1::senza_risultati() {
    ultima_.reset();
    cancella_risultati();
}

Pannello Form1::pannello() const {
    return stato.pannello;
}

std::optional<std::string> Form1::motivo_rifiuto(Campo c) const {
    return form::motivo_rifiuto(c, stato.pannello.testi[c], formato_, nota_notazione_,
                                &lavoro.unita);
}

bool Form1::Text1_Validate(int index) {
    const auto c = campo_di_indice(index);
    if (!c) return false;
    auto motivo = motivo_rifiuto(*c);
    if (!motivo) {
        scrivi_gradi_decimali(*c);
        return false;
    }
    mostra(*motivo, kInputErrato);
    return true;
}

bool Form1::Text1_DblClick(int index) {
    const auto c = campo_di_indice(index);
    if (!c) return false;
    const DatiCampoForm& d = dati_campo(*c);
    if (!d.ingresso) return false;
    // The editor converts lengths, specific weights and stresses only.
    switch (d.famiglia) {
        case units::Famiglia::lunghezza:
        case units::Famiglia::peso_specifico:
        case units::Famiglia::tensione:
            break;
        case units::Famiglia::nessuna:
        case units::Famiglia::volume:
        case units::Famiglia::forza:
        case units::Famiglia::momento:
            return false;
    }
    unita_campo = lavoro.unita.unita(d.famiglia);
    campo_attivo = index;
    return true;
}

void Form1::imposta_check(int index, bool value) {
    const auto lato = lato_di_indice(index);
    if (!lato) return;
    const bool changed = appoggiato(stato.pannello.vincoli, *lato) != value;
    imposta_lato(stato.pannello.vincoli, *lato, value);
    // The bottom toggle reacts to a click even when it is already supported.
    if (changed || *lato == Lato::inferiore) Check1_Click(index);
}

void Form1::Check1_Click(int index) {
    const auto lato = lato_di_indice(index);
    // The base of the panel is always supported: its toggle never changes.
    if (!lato || *lato == Lato::inferiore) return;
    const bool supported = appoggiato(stato.pannello.vincoli, *lato);
    stato.check1_caption[static_cast<std::size_t>(index)] = supported ? "Appoggiato" : "Libero";
    // A combination that cannot be checked (a free top beside a supported side) is kept as a
    // step on the way to another, whatever the order of the clicks: the verdict's place says
    // so, and AGGIORNA says why.
    stato.line_width[static_cast<std::size_t>(linea_di_check(index))] = supported ? 3 : 1;
}

void Form1::imposta_testo_combo(const std::string& testo) {
    stato.combo_text = testo;
    Combo1_Change();
}

void Form1::Combo1_Change() {
    if (ricerca_in_corso_) return;
    ricerca_in_corso_ = true;
    try {
        if (auto found = hazard::cerca_localita(file_localita(), stato.combo_text))
            stato.combo_list = std::move(*found);
    } catch (const Failure& f) {
        stato.combo_list.clear();
        mostra(f.what(), f.title());
    }
    ricerca_in_corso_ = false;
}

void Form1::Combo1_Click(int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= stato.combo_list.size()) return;
    if (auto pick = hazard::scegli_localita(stato.combo_list[static_cast<std::size_t>(position)])) {
        stato.pannello.testi[Campo::lat] = separatore_locale(pick->first, formato_);
        stato.pannello.testi[Campo::lon] = separatore_locale(pick->second, formato_);
        stato.pannello.datum = hazard::Datum::ed50;  // the list is ED50
        // The name is what follows the two coordinates on the line.
        const std::string& riga = stato.combo_list[static_cast<std::size_t>(position)];
        const std::size_t dopo = riga.find(pick->second, pick->first.size());
        localita_scelta_ = localita_nota(
            text::trim(dopo == std::string::npos ? "" : riga.substr(dopo + pick->second.size())),
            pick->second, pick->first, formato_);
    }
}

void Form1::scrivi_gradi_decimali(Campo c) {
    std::string& testo = stato.pannello.testi[c];
    testo = testo_gradi_decimali(c, testo, formato_);
}

std::optional<std::string> Form1::localita_del_sito(double lon, double lat) const {
    for (const auto* nota : {&localita_scelta_, &lavoro.localita})
        if (*nota && (*nota)->lon == lon && (*nota)->lat == lat) return (*nota)->nome;
    return std::nullopt;
}

}  // namespace tv::form
