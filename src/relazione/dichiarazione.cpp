// SPDX-License-Identifier: GPL-3.0-or-later
// The report's closing sections: the rules and the assumptions of the check, and what NTC 2018
// § 10.2 asks of a calculation made with a program (origin, analysis, scope, checks, judgement).
#include <algorithm>
#include <cmath>
#include <variant>

#include "form/testi.h"
#include "relazione/redazione.h"

namespace tv::relazione::redazione {

namespace {

// A SHA-256 in groups of eight digits, so that it wraps inside its column.
std::string a_gruppi(const std::string& hex) {
    if (hex.size() != 64) return hex;
    std::string r;
    for (std::size_t i = 0; i < hex.size(); i += 8) r += (i ? " " : "") + hex.substr(i, 8);
    return r;
}

Tabella tabella_voci(std::vector<std::vector<std::string>> righe) {
    Tabella t;
    t.intestazioni = {"Voce", "Valore"};
    t.allineamenti = {Allineamento::sinistra, Allineamento::sinistra};
    t.larghezze = {0.32, 0.68};
    t.righe = std::move(righe);
    return t;
}

}  // namespace

Sezione sezione_norme(const std::vector<const RisultatoVerifica*>& d, const Misure& m) {
    Sezione s{"7. Norme, riferimenti e ipotesi", {}};
    const auto p = [&](std::string t) { s.blocchi.push_back(Paragrafo{std::move(t)}); };
    p("Norme della verifica: NTC 2018 (D.M. 17/01/2018, Aggiornamento delle «Norme tecniche per "
      "le costruzioni») e la Circolare 21/01/2019 n. 7 che ne dà le istruzioni.");
    p("Pericolosità di base: Allegati A e B delle NTC 2008 (D.M. 14/01/2008), ai quali rimandano "
      "le NTC 2018 § 3.2. I parametri ag, F0 e Tc* sono mediati sui quattro nodi del reticolo "
      "che circondano il sito con pesi pari all'inverso della distanza e interpolati sul "
      "logaritmo del periodo di ritorno tra i due periodi tabulati; per le isole fuori dal "
      "reticolo valgono i valori della Tabella 2 dell'Allegato B. Coordinate in ED50, il "
      "sistema del reticolo.");
    p("Periodo di riferimento: NTC 2018 § 2.4.3 (VR = VN · Cu). Spettro: NTC 2018 § 3.2.3.2.1, "
      "con Ss e Cc dalla Tab. 3.2.IV e St dalla Tab. 3.2.V.");
    // Each formula and each kind of resistance of the checks, once, in the order first met.
    std::vector<panel::FormulaDomanda> formule;
    bool arco = false, mensola = false;
    for (const RisultatoVerifica* r : d) {
        if (std::find(formule.begin(), formule.end(), r->pannello.formula()) == formule.end())
            formule.push_back(r->pannello.formula());
        std::visit(panel::Overloaded{[&](const panel::Freccia&) { arco = true; },
                                     [&](const panel::Mensola&) { mensola = true; }},
                   r->pannello.resistenza);
    }
    std::string azione =
        "Azione sul pannello: NTC 2018 § 7.2.3, Fa = Sa · Wa / qa, allo SLV con γa = 1; Sa da un "
        "documento di comprovata validità: ";
    if (formule.size() > 1) azione += "per ciascun pannello quello della sua sezione 4, tra ";
    for (std::size_t i = 0; i < formule.size(); ++i)
        azione += (i ? " " : "") + std::string(panel::descrizione(formule[i]).metodo);
    p(azione);
    if (arco)
        p("Resistenza laterale: modello ad arco del programma (sezione 5), riferito a UNI EN "
          "1996-1-1 (EC6) § 6.3.2; la formula (6.25) dell'EC6 e la spinta Nad sono riportate a "
          "confronto. Rlat = qd · B · L.");
    if (mensola)
        p("Resistenza laterale della mensola: ribaltamento attorno allo spigolo di base senza "
          "resistenza a trazione, blocco compresso a 0,85 · fd (NTC 2018 § 7.8.2.2.3); "
          "Rlat = 2 · M_Rd / L.");
    p("Ipotesi di modello del programma, non tratte da una norma: la ripartizione della massa tra "
      "il verso verticale e quello orizzontale secondo i vincoli (sezione 4), con l'esponenziale "
      "del rapporto dei lati 9,151 · e^(−2,907 · B/L) per il pannello appoggiato sui quattro "
      "lati e le quote (L − 2t) / L e (B − 2t) / B, che tolgono la striscia larga 2t presso un "
      "vincolo che si assume scarichi direttamente su di esso. La forza Fa = Sa · Wa / qa della "
      "direzione verificata si calcola con il solo peso efficace Wa = quota · W, minore del peso "
      "intero W: il resto della massa si assume portato dall'altro verso o dal vincolo vicino e "
      "non è verificato a parte.");
    p("Le tabelle riportano i valori nelle unità di lavoro della commessa (" + m.ul + ", " + m.uf +
      ", " + m.ut + ", " + m.ug +
      "), arrotondati come nella finestra del programma; le formule con i valori sostituiti "
      "usano le stesse unità.");
    return s;
}

Sezione sezione_origine(const ContestoRelazione& c, int numero, int controlli, int giudizio) {
    Sezione s{std::to_string(numero) + ". Origine e caratteristiche del codice di calcolo", {}};
    s.blocchi.push_back(Paragrafo{"Dichiarazione ai sensi delle NTC 2018 § 10.2."});
    s.blocchi.push_back(tabella_voci({
        {"Nome del codice", c.programma},
        {"Versione", c.versione},
        {"Commit di compilazione", c.commit},
        {"Produttore", c.produttore},
        {"Licenza", c.licenza == "GPL-3.0-or-later"
                        ? "GNU General Public License, versione 3 o successiva (GPL-3.0-or-later): "
                          "il codice sorgente che produce i numeri si può leggere e verificare"
                        : c.licenza},
        {"Manuale di validazione", "versione " + c.versione +
                                       ", nella cartella help del programma (validazione.pdf)"},
        {"Reticolo di pericolosità", c.file_griglia},
        {"SHA-256 del reticolo", a_gruppi(c.sha_griglia)},
        {"Elenco delle località", c.file_localita},
        {"SHA-256 dell'elenco", a_gruppi(c.sha_localita)},
    }));
    s.blocchi.push_back(Paragrafo{
        "Affidabilità del codice (NTC 2018 § 10.2): il produttore documenta nel manuale di "
        "validazione i casi prova del programma, ciascuno calcolato in modo indipendente e "
        "confrontato con i risultati del programma a ogni sua compilazione; per questa verifica "
        "il programma ha inoltre svolto i controlli automatici della sezione " +
        std::to_string(controlli) + ", che il progettista valuta nel giudizio della sezione " +
        std::to_string(giudizio) + "."});
    return s;
}

Sezione sezione_tipo() {
    Sezione s{"9. Tipo di analisi", {}};
    s.blocchi.push_back(Paragrafo{
        "Analisi statica lineare equivalente di un elemento non strutturale (NTC 2018 § 7.2.3): "
        "la forza orizzontale Fa, proporzionale al peso efficace del pannello, è confrontata con "
        "la resistenza laterale per effetto arco Rlat, allo stato limite di salvaguardia della "
        "vita (SLV)."});
    return s;
}

Sezione sezione_campo() {
    Sezione s{"10. Campo di impiego", {}};
    s.blocchi.push_back(Paragrafo{
        "Pannello di muratura non armata, senza aperture, costruito a contatto con i vincoli "
        "(senza giunti aperti), così che l'arco si formi; vincoli in grado di assorbire la spinta "
        "dell'arco (Nad, sezione 5). Il pannello lavora in un solo verso, tra due lati opposti "
        "appoggiati, oppure a mensola, incastrato alla sola base."});
    std::string formule = "Formule dell'azione: ";
    for (const panel::DescrizioneFormula& f : panel::kFormule)
        formule += std::string(f.impiego) + (&f == &panel::kFormule.back() ? "." : "; ");
    s.blocchi.push_back(Paragrafo{formule});
    return s;
}

Sezione sezione_controlli(const RisultatoVerifica& d, const Misure& m) {
    const auto& p = d.ingressi.pannello;
    Sezione s{"11. Controlli automatici", {}};
    Tabella t;
    t.intestazioni = {"Controllo", "Risultato", "Esito"};
    t.allineamenti = {Allineamento::sinistra, Allineamento::sinistra, Allineamento::sinistra};
    t.larghezze = {0.34, 0.36, 0.30};
    const double W = p.L * p.B * p.t * p.gamma;
    const bool W_ok = std::abs(W - d.pannello.W) <= 1e-9 * std::abs(W);
    t.righe.push_back({"Peso ricalcolato W = L · B · t · γ",
                       "W = " + m.F(W) + " " + m.uf + " (calcolo: " + m.F(d.pannello.W) + " " +
                           m.uf + ")",
                       W_ok ? "concorde" : "discorde"});
    t.righe.push_back(std::visit(
        panel::Overloaded{
            [&](const panel::Freccia& arco) -> std::vector<std::string> {
                const ConfrontoEC6 e = confronto_ec6(d, arco);
                return {"Confronto con EC6 (6.25): qd / qlat,d",
                        "qd = " + m.Sq(arco.qd) + ", qlat,d = " + m.Sq(e.qlat) + " " +
                            m.ft_unita + ", rapporto " + fx(e.rapporto, 3),
                        e.rapporto <= 1.0 ? "qd ≤ qlat,d"
                                          : "qd > qlat,d: il modello dà più della (6.25)"};
            },
            [](const panel::Mensola&) -> std::vector<std::string> {
                return {"Confronto con EC6 (6.25)", "la mensola non lavora ad arco",
                        "non applicabile"};
            }},
        d.pannello.resistenza));
    // The plausibility warnings of the check: none, or each with what it asks of the designer.
    // What the plausibility checks test, said as true of the panel's kind: a parapet's centre
    // stands above the building's height, and a cantilever takes qa = 1.
    const bool mensola = std::holds_alternative<panel::Mensola>(d.pannello.resistenza);
    t.righe.push_back(
        {"Plausibilità dei dati",
         std::string(mensola ? "Z > H ammesso (un parapetto sta sopra la copertura), t < L, "
                               "t < B, L/t ≤ 25, St da 1 a 1,4, Cu usuale, qa = 1"
                             : "Z ≤ H, t < L, t < B, la/t ≤ 25, St da 1 a 1,4, Cu usuale, "
                               "qa 1 o 2") +
             ", T1 tra metà e doppio di 0,05 · H^0,75 (H in m)",
         d.avvisi.empty() ? "nessun avviso"
                          : std::to_string(d.avvisi.size()) +
                                (d.avvisi.size() == 1 ? " avviso, sotto" : " avvisi, sotto")});
    for (const form::Avviso& a : d.avvisi)
        t.righe.push_back({"Plausibilità dei dati", form::testo_avviso(a, italiano()),
                           "avviso: il progettista ne valuti la causa"});
    s.blocchi.push_back(std::move(t));
    return s;
}

Sezione sezione_giudizio(const ContestoRelazione& c, int numero) {
    Sezione s{std::to_string(numero) + ". Giudizio motivato di accettabilità dei risultati", {}};
    s.blocchi.push_back(Paragrafo{
        "Giudizio del progettista sull'accettabilità dei risultati (NTC 2018 § 10.2):"});
    s.blocchi.push_back(Riquadro{c.dati.giudizio, {"Data", "Il progettista"}});
    return s;
}

}  // namespace tv::relazione::redazione
