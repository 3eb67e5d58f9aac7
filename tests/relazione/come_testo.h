// SPDX-License-Identifier: GPL-3.0-or-later
// The report as text for the goldens: one line a paragraph, a formula line, a table row or a
// series, so that a changed number shows as a changed line.
#pragma once

#include <charconv>
#include <string>
#include <variant>
#include <vector>

#include "relazione/documento.h"

namespace tv::relazione::in_testo {

inline std::string num(double x) {
    char b[32];
    return std::string(b, std::to_chars(b, b + sizeof b, x, std::chars_format::general, 6).ptr);
}

inline std::string rgb(const Rgb& c) {
    return "rgb(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) +
           ")";
}

inline std::string asse(const char* nome, const Asse& a) {
    std::string r = std::string(nome) + " " + a.titolo + " [" + num(a.minimo) + ", " +
                    num(a.massimo) + "]";
    for (const Tacca& t : a.tacche) r += " " + num(t.valore) + "=" + t.testo;
    return r + "\n";
}

inline char lettera(Allineamento a) {
    switch (a) {
        case Allineamento::sinistra: return 'S';
        case Allineamento::destra: return 'D';
        case Allineamento::centro: return 'C';
    }
    return '?';
}

struct Blocchi {
    std::string operator()(const Paragrafo& p) const {
        return (p.titoletto ? "### " : "") + p.testo + "\n";
    }
    std::string operator()(const Tabella& t) const {
        std::string r = "tabella";
        for (std::size_t i = 0; i < t.larghezze.size(); ++i)
            r += std::string(" ") + lettera(t.allineamenti.at(i)) + num(t.larghezze[i]);
        r += "\n";
        if (!t.intestazioni.empty()) r += "  [" + unisci(t.intestazioni) + "]\n";
        for (const auto& riga : t.righe) r += "  |" + unisci(riga) + "|\n";
        return r;
    }
    std::string operator()(const Formula& f) const {
        return "  " + f.simbolica + "\n" + (f.numerica.empty() ? "" : "  " + f.numerica + "\n");
    }
    std::string operator()(const Grafico& g) const {
        std::string r = "grafico " + g.titolo + "\n" + asse("  x", g.x) + asse("  y", g.y);
        if (g.y2) r += asse("  y2", *g.y2);
        const auto lato = [](bool secondario) { return secondario ? " y2" : ""; };
        for (const Serie& s : g.serie) {
            r += "  serie " + s.nome + " " + rgb(s.colore) + lato(s.asse_secondario) +
                 (s.tratteggiata ? " tratteggiata" : "") + ":";
            for (const Punto& p : s.punti) r += " " + num(p.x) + ";" + num(p.y);
            r += "\n";
        }
        for (const Riferimento& f : g.riferimenti)
            r += std::string("  riferimento ") + (f.verticale ? "x = " : "y = ") + num(f.valore) +
                 " " + f.etichetta + " " + rgb(f.colore) + lato(f.asse_secondario) + "\n";
        for (const Marcatore& m : g.marcatori)
            r += "  marcatore " + num(m.punto.x) + ";" + num(m.punto.y) + " " + m.etichetta + " " +
                 rgb(m.colore) + lato(m.asse_secondario) + "\n";
        return r;
    }
    std::string operator()(const DisegnoVincoli& v) const {
        const auto lato = [](bool appoggiato) { return appoggiato ? "appoggiato" : "libero"; };
        return std::string("vincoli superiore ") + lato(v.superiore) + ", sinistro " +
               lato(v.sinistro) + ", inferiore " + (v.incastro ? "incastrato" : lato(v.inferiore)) + ", destro " +
               lato(v.destro) + "; B " + num(v.B) + " " + v.testo_B + ", L " + num(v.L) + " " +
               v.testo_L + "\n";
    }
    std::string operator()(const Esito& e) const {
        return "esito " + rgb(e.colore) + " " + e.testo + "\n";
    }
    std::string operator()(const Riquadro& q) const {
        return "riquadro [" + q.testo + "] firme [" + unisci(q.firme) + "]\n";
    }
    static std::string unisci(const std::vector<std::string>& v) {
        std::string r;
        for (const auto& s : v) r += (r.empty() ? "" : " | ") + s;
        return r;
    }
};

// Sections alone, as the document writes them.
inline std::string sezioni_come_testo(const std::vector<Sezione>& sezioni) {
    std::string r;
    for (const Sezione& s : sezioni) {
        r += "\n## " + s.titolo + "\n";
        for (const Blocco& b : s.blocchi) r += std::visit(Blocchi{}, b);
    }
    return r;
}

// The document written out whole, one line a paragraph, a formula line, a table row or a series.
inline std::string come_testo(const Documento& d) {
    const Intestazione& i = d.intestazione;
    std::string r = "# " + d.titolo + "\n" + d.sottotitolo + "\n";
    r += "intestazione " + Blocchi::unisci({i.programma, i.versione, i.lavoro, i.coordinate,
                                            i.localita, i.data}) + "\n";
    if (!i.pannello.empty()) r += "  Pannello: " + i.pannello + "\n";
    for (const auto& [voce, valore] : i.dati_lavoro) r += "  " + voce + ": " + valore + "\n";
    return r + sezioni_come_testo(d.sezioni);
}

}  // namespace tv::relazione::in_testo
