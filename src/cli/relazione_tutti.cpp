// The report of all the job's saved panels: a summary table, then each panel's sections, as the
// command line's report --all and the window's "RELAZIONE" build it.
#include "cli/relazione_tutti.h"

#include "form/testi.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::cli {

relazione::Documento documento_tutti(const OpzioniCheck& o, const Avvio& a,
                                     const form::Pannello& avvio,
                                     const form::FilePannelli& pannelli, const std::string& data,
                                     std::ostream& err, int& codice) {
    const form::Lavoro& lavoro = a.lavoro;
    relazione::Documento tutto;
    relazione::Tabella riepilogo{{"Pannello", "Descrizione", "Fa", "Rlat", "Rlat/Fa", "Esito"},
                                 {relazione::Allineamento::sinistra,
                                  relazione::Allineamento::sinistra,
                                  relazione::Allineamento::destra, relazione::Allineamento::destra,
                                  relazione::Allineamento::destra,
                                  relazione::Allineamento::centro},
                                 {0.12, 0.36, 0.14, 0.14, 0.10, 0.14},
                                 {}};
    std::vector<relazione::Sezione> sezioni;
    const auto colonna_id = pannelli.colonna("id");
    for (const form::RigaPannello& riga : pannelli.righe) {
        // A row that could not be read has its line in the summary, never a silent gap.
        if (!riga.leggibile()) {
            riepilogo.righe.push_back(
                {"", "riga " + std::to_string(riga.linea) + " non letta: " + pannelli.errore(riga), "", "",
                 "", ""});
            codice = 1;
            continue;
        }
        if (!colonna_id) break;
        const std::string& id = riga.celle[*colonna_id];
        const std::string descrizione = pannelli.cella(riga, "descrizione");
        OpzioniCheck opzioni = o;
        opzioni.panel = id;
        form::Pannello r = avvio;
        if (auto c = applica_opzioni(opzioni, lavoro, r, err)) {
            riepilogo.righe.push_back({id, descrizione, "", "", "", "dati rifiutati"});
            codice = 1;
            continue;
        }
        const form::EsitoVerifica esito = calcola_pannello(a, r);
        if (const auto* arresto = std::get_if<form::Arresto>(&esito)) {
            err << "Pannello \"" << text::printable(id) << "\": " << arresto->titolo << ": "
                << text::printable(arresto->testo) << "\n";
            riepilogo.righe.push_back({id, descrizione, "", "", "", arresto->titolo});
            codice = 1;
            continue;
        }
        const auto& v = std::get<form::RisultatoVerifica>(esito);
        relazione::Documento doc;
        try {
            doc = relazione::costruisci_relazione(
                v, relazione::contesto_relazione(
                       lavoro, relazione::localita_del_risultato(lavoro, v), data));
        } catch (const Failure& e) {
            err << "Pannello \"" << text::printable(id) << "\": " << text::printable(e.what())
                << "\n";
            codice = 1;
            continue;
        }
        if (tutto.sezioni.empty() && sezioni.empty()) tutto = doc;
        const auto numero = [&](double x, int decimali) {
            return form::virgola_decimale(text::fixed(x, decimali, text::dot_format()));
        };
        const double forze = lavoro.unita.fattore_forze;
        riepilogo.righe.push_back(
            {id, descrizione, numero(v.pannello.Fa * forze, 2), numero(v.pannello.Rlat * forze, 2),
             v.pannello.Fa > 0 ? numero(v.pannello.Rlat / v.pannello.Fa, 3) : "",
             v.ok ? form::kVerdettoOk : form::kVerdettoNo});
        std::string titolo = "Pannello " + id + (descrizione.empty() ? "" : " - " + descrizione);
        if (r.sito_proprio) {
            titolo += " (sito proprio del pannello)";
            riepilogo.righe.back()[0] += " *";
        }
        for (auto& s : doc.sezioni) {
            s.titolo = titolo + ": " + s.titolo;
            sezioni.push_back(std::move(s));
        }
    }
    relazione::Sezione prima{"Riepilogo dei pannelli", {riepilogo}};
    for (const auto& riga : riepilogo.righe)
        if (riga[0].ends_with(" *")) {
            prima.blocchi.emplace_back(relazione::Paragrafo{
                "* Pannello con un sito diverso da quello del lavoro.", false});
            break;
        }
    tutto.sezioni.clear();
    tutto.sezioni.push_back(std::move(prima));
    for (auto& s : sezioni) tutto.sezioni.push_back(std::move(s));
    return tutto;
}

}  // namespace tv::cli
