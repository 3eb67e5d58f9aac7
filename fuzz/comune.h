// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target shares: the check that fails the run on a broken promise, a small
// suite on disk with an in-memory grid, and the rules a check run must keep whatever it is fed.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/modello/form1.h"
#include "form/testi.h"
#include "hazard/fonte.h"
#include "hazard/indice.h"
#include "suite_temp.h"
#include "text/encoding.h"
#include "text/number_text.h"

namespace tv::fuzz {

// A broken promise: libFuzzer records the input that led here.
[[noreturn]] inline void guasto(std::string_view cosa) {
    std::fprintf(stderr, "\nPROMESSA MANCATA: %.*s\n", static_cast<int>(cosa.size()), cosa.data());
    std::abort();
}

inline void richiedi(bool ok, std::string_view cosa) {
    if (!ok) guasto(cosa);
}

inline std::string_view come_testo(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A finite number in the given notation, as every result the window shows must be.
inline bool numero_finito(const std::string& testo, const text::NumberFormat& f) {
    const auto v = text::parse_number(testo, f);
    return v && std::isfinite(*v);
}

// The small suite of the form tests, and its grid held in memory for every run.
class Ambiente {
  public:
    Ambiente()
        : griglia_(std::make_shared<hazard::GrigliaFissa>(std::make_shared<hazard::GrigliaIndicizzata>(
              hazard::leggi_griglia(form::prova::testo_griglia(), "griglia")))) {}
    const form::prova::SuiteTemp& suite() const { return suite_; }
    const std::shared_ptr<hazard::FonteGriglia>& griglia() const { return griglia_; }

    // A form started on the suite as the window starts, with the grid in memory.
    bool avvia(form::Form1& f) const {
        f.imposta_fonte_griglia(griglia_);
        return f.Form_Load(suite_.args(), suite_.root());
    }

  private:
    form::prova::SuiteTemp suite_;
    std::shared_ptr<hazard::FonteGriglia> griglia_;
};

// The one environment of a target's process, made at its first input.
inline const Ambiente& ambiente() {
    static const Ambiente a;
    return a;
}

// The window before a run, to compare with after it.
struct Prima {
    explicit Prima(const form::Form1& f, std::size_t messaggi)
        : stato(f.stato), risultato(f.risultato), T1(f.T1), messaggi(messaggi) {}
    form::StatoFinestra stato;
    std::optional<form::RisultatoVerifica> risultato;
    double T1;
    std::size_t messaggi;
};

inline bool stesso_risultato(const std::optional<form::RisultatoVerifica>& a,
                             const std::optional<form::RisultatoVerifica>& b) {
    if (!a || !b) return !a && !b;
    const auto n = [](const form::RisultatoVerifica& r) {
        // An island site has no grid node: its zone's name stands in for the first node.
        const auto* g = std::get_if<form::OrigineGriglia>(&r.azione.origine);
        const auto* i = std::get_if<form::OrigineIsola>(&r.azione.origine);
        return std::tuple(r.azione.ag, r.azione.TR, r.azione.F0, r.azione.spettro.s,
                          r.pannello.Fa, r.pannello.Rlat, g ? g->nodi[0].codice : 0,
                          g ? g->nodi[0].distanza_km : 0.0, i ? i->zona : std::string_view{}, r.ok);
    };
    return n(*a) == n(*b);
}

// The rules of a check run: a completed run shows only finite numbers and a verdict that agrees
// with them, and no message; a stopped run shows one clear message and changes nothing.
inline void controlla_run(const form::Form1& f, const form::RaccoltaMessaggi& m, const Prima& prima,
                          bool completata) {
    const auto& s = f.stato;
    const auto& fmt = f.formato();
    for (std::size_t i = prima.messaggi; i < m.elenco.size(); ++i) {
        richiedi(!m.elenco[i].testo.empty(), "messaggio vuoto");
        richiedi(text::is_valid_utf8(m.elenco[i].testo), "messaggio non UTF-8");
    }
    if (!completata) {
        richiedi(m.elenco.size() == prima.messaggi + 1, "verifica interrotta senza un messaggio");
        richiedi(s == prima.stato, "verifica interrotta che ha cambiato la finestra");
        richiedi(stesso_risultato(f.risultato, prima.risultato) && f.T1 == prima.T1,
                 "verifica interrotta che ha cambiato le variabili");
        return;
    }
    richiedi(m.elenco.size() == prima.messaggi, "verifica completata con un messaggio");
    // A cantilever has no arch: its deflection, K1 and K2 show that there is no value.
    const bool mensola = f.risultato && std::holds_alternative<panel::Mensola>(
                                            f.risultato->pannello.resistenza);
    for (const auto& d : form::kTabellaCampi)
        if (!d.ingresso && !(mensola && s.pannello.testi[d.campo] == form::kNessunValore))
            richiedi(numero_finito(s.pannello.testi[d.campo], fmt),
                     "risultato non numerico nel campo " + std::string(d.nome) + ": \"" +
                         s.pannello.testi[d.campo] + "\"");
    for (const std::string* l : {&s.label2_0, &s.label2_1, &s.label2_6})
        richiedi(numero_finito(*l, fmt), "etichetta non numerica: \"" + *l + "\"");
    for (const std::string* l : {&s.label1[form::kLabelCritica], &s.label3})
        richiedi(l->find("nan") == std::string::npos && l->find("inf") == std::string::npos,
                 "etichetta con un numero non finito: \"" + *l + "\"");
    richiedi(f.risultato && std::isfinite(f.risultato->azione.ag) && std::isfinite(f.T1),
             "ag o T1 non finiti");

    const std::string& verdetto = s.label1[form::kLabelVerdetto];
    const bool ok = verdetto.ends_with(" > Fa : OK");
    richiedi(ok || verdetto.ends_with(" < Fa : !!!"), "verdetto mancante: \"" + verdetto + "\"");
    richiedi((s.text22_sfondo == form::Rgb{128, 255, 128}) == ok, "colore del verdetto");
    const double Rlat = *text::parse_number(s.pannello.testi[form::Campo::Rlat], fmt);
    const double Fa = *text::parse_number(s.pannello.testi[form::Campo::Fa], fmt);
    richiedi(!(Rlat > Fa) || ok, "verdetto \"!!!\" con Rlat maggiore di Fa");
    richiedi(!(Rlat < Fa) || !ok, "verdetto \"OK\" con Rlat minore di Fa");
}

// A run of "AGGIORNA" held to the rules above.
inline void aggiorna(form::Form1& f, const form::RaccoltaMessaggi& m) {
    const Prima prima(f, m.elenco.size());
    const bool completata = f.Command1_Click(0);
    controlla_run(f, m, prima, completata);
}

}  // namespace tv::fuzz
