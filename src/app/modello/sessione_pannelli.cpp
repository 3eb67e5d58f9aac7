// SPDX-License-Identifier: GPL-3.0-or-later
// The window's panels over the panels file: a panel's cells laid over the job's state, accepted
// changes written back cell by cell, the file and the current panel's name saved whole.
#include "app/modello/sessione_pannelli.h"

#include <functional>
#include <utility>

#include "panel/domanda.h"
#include "form/lettura_pannello.h"
#include "hazard/datum.h"
#include "panel/formule.h"
#include "text/encoding.h"
#include "text/file_atomico.h"
#include "text/error.h"
#include "text/sha256.h"

namespace tv::form {
namespace {

std::optional<std::string> scrivi_testo(const std::filesystem::path& file, const std::string& s) {
    text::FileAtomico f(file);
    if (!f.aperto()) return f.messaggio_apertura();
    f.stream() << s;
    if (!f.conferma()) return f.messaggio_scrittura();
    return std::nullopt;
}

// The kind's column and the mechanism's own columns.
constexpr std::string_view kColonnaVerifica = "verifica";

// The kind and a mechanism's texts into the row: nothing for an arching panel in a file that
// never held a mechanism, so that its bytes stay as they were.
void scrivi_tipo(FilePannelli& f, RigaPannello& r, const StatoFinestra& s) {
    if (!e_meccanismo(s.pannello.tipo) && !f.colonna(kColonnaVerifica)) return;
    f.imposta(r, kColonnaVerifica, std::string(descrizione_tipo(s.pannello.tipo).nome));
    if (!e_meccanismo(s.pannello.tipo)) return;
    for (int i = 0; i < kCampiMeccanismo; ++i) {
        const auto c = static_cast<CampoMeccanismo>(i);
        f.imposta(r, dati_campo(c).nome, s.pannello.meccanismo[posizione(c)]);
    }
}

}  // namespace

SessionePannelli::SessionePannelli(Form1& form)
    : form_(form), base_(form.stato), noto_(form.stato) {
    const auto& dir = form_.cartelle().dir_lavoro;
    if (const auto testo = text::read_bytes(dir / kFilePannelli)) {
        file_ = leggi_pannelli(*testo, (dir / kFilePannelli).string());
        impronta_ = text::sha256_hex(*testo);
    } else {
        file_ = carica_pannelli(dir);  // no file, or one that cannot be read: its message
    }
    letto_ = file_;
    if (!file_) return;
    avvisi_ = messaggi_righe(*file_);
    const auto lista = file_->ids();
    if (lista.empty()) return;
    corrente_ = lista.front();
    if (const auto t = text::read_bytes(dir / kFilePannelloCorrente)) {
        const auto linee = text::split_lines(*t);
        if (!linee.empty() && file_->pannello(text::trim(linee.front())))
            corrente_ = text::trim(linee.front());
    }
    mostra_riga(*file_->pannello(corrente_));
}

std::vector<std::string> SessionePannelli::ids() const {
    auto out = file_ ? file_->ids() : std::vector<std::string>{};
    if (out.empty()) out.push_back(corrente_);
    return out;
}

std::string SessionePannelli::descrizione() const {
    const RigaPannello* r = file_ ? file_->pannello(corrente_) : nullptr;
    return r ? file_->cella(*r, "descrizione") : std::string();
}

std::vector<std::string> SessionePannelli::prendi_avvisi() {
    return std::exchange(avvisi_, {});
}

void SessionePannelli::mostra_riga(const RigaPannello& r) {
    StatoFinestra& s = form_.stato;
    // The row read over the job's state by the one reader of a panel's cells, as the command
    // line and the batch read it.
    Pannello p = base_.pannello;
    p.id.clear();
    p.descrizione.clear();
    p.sito_proprio = false;
    const auto rifiuto = leggi_celle(celle_di_riga(*file_, r), p, form_.unita(), form_.formato());
    for (Campo c : kCampiIngresso) s.pannello.testi[c] = p.testi[c];
    s.pannello.vincoli = p.vincoli;
    s.pannello.formula = p.formula;
    s.pannello.datum = p.datum;
    s.pannello.tipo = p.tipo;
    s.pannello.meccanismo = p.meccanismo;
    s.pannello.scelte = p.scelte;
    for (const ColonnaVincolo& v : kColonneVincoli) form_.Check1_Click(static_cast<int>(v.lato));
    // A refused cell leaves the panel unchecked: its fields show what was accepted, no result.
    if (rifiuto) {
        avvisi_.push_back(messaggio_rifiuto(p.id, *rifiuto));
        form_.senza_risultati();
    } else {
        form_.Command1_Click(0);
    }
    noto_ = form_.stato;
}

void SessionePannelli::scrivi_ingressi(FilePannelli& f, RigaPannello& r, const StatoFinestra& s,
                                       bool anche_sito) const {
    for (Campo c : kCampiIngresso) {
        const std::string_view colonna = dati_campo(c).colonna;
        if (!anche_sito && colonna_sito(colonna)) continue;
        f.imposta(r, colonna, cella_di_testo(c, s.pannello.testi[c], form_.formato()));
    }
    for (const auto& [colonna, lato] : kColonneVincoli)
        f.imposta(r, colonna, appoggiato(s.pannello.vincoli, lato) ? "1" : "0");
    f.imposta(r, "domanda", std::string(panel::descrizione(s.pannello.formula).breve));
    if (anche_sito) f.imposta(r, "datum", std::string(hazard::nomi_datum(s.pannello.datum).nome));
    // The choices beside their numbers, in files that have them or once one is made.
    for (std::string_view nome : kNomiScelte) {
        if (!anche_sito && colonna_sito(nome)) continue;
        std::string cella = cella_scelta(s.pannello.scelte, nome);
        if (!cella.empty() || f.colonna(nome)) f.imposta(r, nome, std::move(cella));
    }
    scrivi_tipo(f, r, s);
}

RigaPannello& SessionePannelli::riga_corrente(const StatoFinestra& prima) {
    if (!file_) file_ = nuovo_file_pannelli();
    if (RigaPannello* r = file_->pannello(corrente_)) return *r;
    // The default panel of a job without panels: its inputs as they stood before the change.
    RigaPannello& r = file_->aggiungi(corrente_);
    scrivi_ingressi(*file_, r, prima, false);
    return r;
}

std::optional<std::string> SessionePannelli::registra() {
    const StatoFinestra& s = form_.stato;
    const StatoFinestra prima = noto_;
    std::vector<std::pair<std::string, std::string>> celle;
    for (Campo c : kCampiIngresso) {
        if (s.pannello.testi[c] == noto_.pannello.testi[c] || form_.motivo_rifiuto(c)) continue;
        celle.emplace_back(dati_campo(c).colonna,
                           cella_di_testo(c, s.pannello.testi[c], form_.formato()));
        noto_.pannello.testi[c] = s.pannello.testi[c];
    }
    if (s.pannello.vincoli != noto_.pannello.vincoli && vincoli_ammessi(s.pannello.vincoli)) {
        for (const auto& [colonna, lato] : kColonneVincoli)
            celle.emplace_back(colonna, appoggiato(s.pannello.vincoli, lato) ? "1" : "0");
        noto_.pannello.vincoli = s.pannello.vincoli;
    }
    if (s.pannello.formula != noto_.pannello.formula) {
        celle.emplace_back("domanda", panel::descrizione(s.pannello.formula).breve);
        noto_.pannello.formula = s.pannello.formula;
    }
    if (s.pannello.datum != noto_.pannello.datum) {
        celle.emplace_back("datum", hazard::nomi_datum(s.pannello.datum).nome);
        noto_.pannello.datum = s.pannello.datum;
    }
    for (std::string_view nome : kNomiScelte) {
        std::string cella = cella_scelta(s.pannello.scelte, nome);
        if (cella == cella_scelta(noto_.pannello.scelte, nome)) continue;
        if (!cella.empty() || (file_ && file_->colonna(nome)))
            celle.emplace_back(std::string(nome), std::move(cella));
    }
    noto_.pannello.scelte = s.pannello.scelte;
    const bool tipo_cambiato = s.pannello.tipo != noto_.pannello.tipo;
    const bool testi_cambiati =
        e_meccanismo(s.pannello.tipo) && s.pannello.meccanismo != noto_.pannello.meccanismo;
    if (celle.empty() && !tipo_cambiato && !testi_cambiati) return std::nullopt;
    RigaPannello& r = riga_corrente(prima);
    for (auto& [colonna, testo] : celle) file_->imposta(r, colonna, std::move(testo));
    if (tipo_cambiato || testi_cambiati) {
        scrivi_tipo(*file_, r, s);
        noto_.pannello.tipo = s.pannello.tipo;
        noto_.pannello.meccanismo = s.pannello.meccanismo;
    }
    return salva();
}

bool SessionePannelli::scegli(const std::string& id) {
    if (id == corrente_) return true;
    const RigaPannello* r = file_ ? file_->pannello(id) : nullptr;
    if (!r) return false;
    corrente_ = id;
    mostra_riga(*r);
    // Only the name of the panel shown: nothing else of the file changed.
    scrivi_testo(form_.cartelle().dir_lavoro / kFilePannelloCorrente, corrente_ + "\n");
    return true;
}

std::optional<std::string> SessionePannelli::nuovo() {
    riga_corrente(noto_);
    RigaPannello& r = file_->aggiungi();
    scrivi_ingressi(*file_, r, base_, false);
    corrente_ = file_->cella(r, "id");
    mostra_riga(r);
    return salva();
}

std::optional<std::string> SessionePannelli::duplica() {
    const RigaPannello originale = riga_corrente(noto_);
    RigaPannello& r = file_->aggiungi();
    const std::size_t id = *file_->colonna("id");
    for (std::size_t k = 0; k < originale.celle.size(); ++k)
        if (k != id) r.celle[k] = originale.celle[k];
    r.con_punto = originale.con_punto;  // still refused, and still written as read
    corrente_ = r.celle[id];
    mostra_riga(r);
    return salva();
}

std::optional<std::string> SessionePannelli::elimina() {
    if (!file_ || file_->ids().size() < 2) return std::nullopt;
    file_->rimuovi(corrente_);
    corrente_ = file_->ids().front();
    mostra_riga(*file_->pannello(corrente_));
    return salva();
}

std::optional<std::string> SessionePannelli::imposta_descrizione(const std::string& descrizione) {
    if (descrizione == this->descrizione()) return std::nullopt;
    RigaPannello& r = riga_corrente(noto_);
    file_->imposta(r, "descrizione", descrizione);
    return salva();
}

std::optional<std::string> SessionePannelli::salva() {
    const auto& dir = form_.cartelle().dir_lavoro;
    const auto percorso = dir / kFilePannelli;
    // Another window or a hand edit wrote the file since this window read it: its panels are
    // kept, this window's changes laid over them, never its copy written over theirs.
    const auto ora = text::read_bytes(percorso);
    if ((ora ? text::sha256_hex(*ora) : std::string()) != impronta_) {
        try {
            const FilePannelli loro = ora ? leggi_pannelli(*ora, percorso.string())
                                          : nuovo_file_pannelli();
            // Read without a file, the job had its one panel "1" with the job's values: the
            // same panel another window may have saved meanwhile.
            FilePannelli base = letto_ ? *letto_ : nuovo_file_pannelli();
            if (!letto_) scrivi_ingressi(base, base.aggiungi("1"), base_, false);
            std::map<std::string, std::string> rinominati;
            file_ = unisci_pannelli(base, *file_, loro, scelta_, &rinominati);
            if (const auto n = rinominati.find(corrente_); n != rinominati.end())
                corrente_ = n->second;
        } catch (const Failure& e) {
            return std::string(e.what()) + " Le modifiche di questa finestra non sono salvate.";
        }
        nota_ = std::string(kFilePannelli) +
                " era stato cambiato da un'altra finestra o a mano: riletto, con le modifiche "
                "di questa finestra";
        if (!file_->pannello(corrente_)) {
            const auto lista = file_->ids();
            if (!lista.empty()) corrente_ = lista.front();
            if (const RigaPannello* r = file_->pannello(corrente_)) mostra_riga(*r);
        }
    }
    if (auto e = salva_pannelli(dir, *file_)) return e;
    letto_ = file_;
    impronta_ = text::sha256_hex(testo_pannelli(*file_));
    return scrivi_testo(dir / kFilePannelloCorrente, corrente_ + "\n");
}

}  // namespace tv::form
