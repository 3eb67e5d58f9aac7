// SPDX-License-Identifier: GPL-3.0-or-later
// Batch checks: the start-up state copied for every row, the row's fields and restraints set
// through the window's handlers, one check run, and the rows spread over threads in blocks.
#include "cli/batch.h"
#include "cli/mensola.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <fstream>
#include <mutex>
#include <sys/stat.h>
#include <thread>

#include "panel/domanda.h"
#include "cli/comandi.h"
#include "cli/scrittura.h"
#include "form/lettura_pannello.h"
#include "form/testi.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::cli {
namespace fs = std::filesystem;

namespace {

// The field of each input column (none: id, descrizione and the restraints), by its column name.
const std::array<std::optional<form::Campo>, kColonneIngresso> kCampo = [] {
    std::array<std::optional<form::Campo>, kColonneIngresso> out{};
    for (std::size_t c = 0; c < kColonneIngresso; ++c) out[c] = form::campo_di_nome(kNomiIngresso[c]);
    return out;
}();

constexpr std::size_t kDomanda = colonna_ingresso("domanda");
constexpr std::size_t kDatum = colonna_ingresso("datum");
static_assert(kDomanda < kColonneIngresso && kDatum < kColonneIngresso &&
              colonna_ingresso("top") < kColonneIngresso);
constexpr std::size_t kLat = colonna_ingresso("lat"), kLon = colonna_ingresso("lon");
static_assert(kLat < kColonneIngresso && kLon < kColonneIngresso);
constexpr std::size_t kErrore = kColonnaErrore;

// The input column of a name the panel reader asks: the reader's names are the field table's
// own texts, so their address finds most at once; any other is compared by its letters.
std::size_t colonna_chiesta(std::string_view nome) {
    for (std::size_t i = 0; i < kColonneIngresso; ++i)
        if (kNomiIngresso[i].data() == nome.data() && kNomiIngresso[i].size() == nome.size())
            return i;
    return colonna_ingresso(nome);
}

// The field of each input column (none for id, descrizione and the restraints), found once.
constexpr std::array<std::optional<form::Campo>, kColonneIngresso> kCampoDiColonna = [] {
    std::array<std::optional<form::Campo>, kColonneIngresso> out{};
    for (std::size_t i = 0; i < kColonneIngresso; ++i) out[i] = form::campo_di_nome(kNomiIngresso[i]);
    return out;
}();

std::string vincolo(bool appoggiato) {
    return appoggiato ? "1" : "0";
}

// The return period, a whole number of years, as the general number text writes it.
std::string testo_TR(double TR, const text::NumberFormat& f) {
    if (TR == std::trunc(TR) && std::fabs(TR) < 1e15)
        return std::to_string(static_cast<long long>(TR));
    return text::general(TR, f);
}

// The row's result columns, formatted as the window shows them. Throws tv::Failure where the
// window would stop (a shown value that is not finite).
void scrivi_risultati(const form::RisultatoVerifica& r, const units::Unita& u,
                      const text::NumberFormat& formato,
                      std::array<std::string, kColonneUscita>& celle) {
    form::TestiRisultato t = form::testi_risultato(r, u, formato, form::Ampiezza::valori);
    // A cantilever has no arch: its columns stay empty and the span says so.
    std::visit(panel::Overloaded{[](const panel::Freccia&) {},
                                 [&](const panel::Mensola&) { colonne_mensola(t); }},
               r.pannello.resistenza);
    auto c = celle.begin() + kColonneIngresso;
    *c++ = text::rounded(r.ed50.lat, 6, formato);
    *c++ = text::rounded(r.ed50.lon, 6, formato);
    for (std::string* testo : {&t.ag, &t.Ss, &t.S, &t.VR, static_cast<std::string*>(nullptr), &t.W,
                               &t.Wa, &t.Ta, &t.Sa, &t.Fa, &t.Rlat, &t.d, &t.K1, &t.K2, &t.campata})
        *c++ = testo ? std::move(*testo) : testo_TR(r.azione.TR, formato);
    *c++ = r.ok ? form::kVerdettoOk : form::kVerdettoNo;
    *c++ = form::colonna_fonte(r.azione);
    for (const form::Avviso& a : r.avvisi) {
        if (!c->empty()) *c += "; ";
        *c += form::testo_avviso(a, formato);
    }
}

}  // namespace

Lotto::Lotto(const form::Lavoro& lavoro, const form::Pannello& avvio, hazard::FonteGriglia& fonte,
             text::NumberFormat formato)
    : unita_(lavoro.unita),
      lavoro_(lavoro),
      formato_(std::move(formato)),
      // The grid as it is now, for every row of the batch.
      griglia_(fonte.ricerca([&] { return lavoro.file_griglia(); })),
      pannello_avvio_(avvio) {
    for (std::size_t c = 0; c < kColonneIngresso; ++c)
        if (kCampo[c]) avvio_[c] = avvio.testi[*kCampo[c]];
    // Start-up's restraints, echoed where a row leaves them empty.
    for (const form::ColonnaVincolo& v : form::kColonneVincoli)
        avvio_[colonna_ingresso(v.colonna)] = vincolo(form::appoggiato(avvio.vincoli, v.lato));
    avvio_[kDomanda] = panel::descrizione(avvio.formula).breve;
    avvio_[kDatum] = hazard::nomi_datum(avvio.datum).nome;
    sito_iniziale_ = lavoro.sito_iniziale(avvio.testi);
    for (form::Campo c : form::kCampiIngresso) {
        const std::string& testo = avvio.testi[c];
        if (form::motivo_rifiuto(c, testo, formato_, false, &unita_) || !leggi_numero(c, testo, numeri_avvio_))
            avvio_accettato_ = false;
    }
}

bool Lotto::leggi_numero(form::Campo c, const std::string& testo,
                         form::NumeriIngresso& numeri) const {
    switch (form::dati_campo(c).lettura) {
        case form::Lettura::nessuna:
            return true;
        case form::Lettura::lettera_suolo:
            if (const auto s = form::suolo_di_testo(testo)) {
                numeri.suolo = *s;
                return true;
            }
            return false;
        case form::Lettura::locale_o_vuoto:
            numeri.Tk = !text::trim(testo).empty();
            if (!numeri.Tk) return true;
            [[fallthrough]];
        case form::Lettura::locale:
        case form::Lettura::punto_o_locale:
        case form::Lettura::coordinata:
        case form::Lettura::intero:
            if (const auto v = form::numero_accettato(c, testo, formato_, unita_)) {
                numeri.valori[c] = *v;
                return true;
            }
            return false;
    }
    return false;
}

Lotto::~Lotto() = default;

Lotto::Banco::Banco() = default;
Lotto::Banco::~Banco() = default;

RigaEsito Lotto::verifica(const RigaIngresso& riga) const {
    Banco banco;
    RigaEsito e;
    verifica(riga, banco, e);
    return e;
}

void Lotto::verifica(const RigaIngresso& riga, Banco& banco, RigaEsito& e) const {
    e.completata = false;
    e.come_lette = riga.con_punto;
    auto& celle = e.celle;
    for (std::size_t c = kColonneIngresso; c < kColonneUscita; ++c) celle[c].clear();
    for (std::size_t c = 0; c < kColonneIngresso; ++c) {
        const auto& cella = riga.celle[c];
        celle[c] = cella && !cella->empty() ? *cella : avvio_[c];
    }
    if (celle[0].empty()) celle[0] = std::to_string(riga.numero);
    if (!riga.errore.empty()) {
        for (std::size_t c = 1; c < kColonneIngresso; ++c) celle[c].clear();
        celle[kErrore] = riga.errore;
        return;
    }
    // A job without site data has only the program's initial coordinates: a row must give its own.
    if (sito_iniziale_)
        for (std::size_t c : {kLat, kLon})
            if (!riga.celle[c] || riga.celle[c]->empty()) {
                celle[kErrore] = "Il lavoro non ha dati del sito: indicare lat e lon";
                return;
            }
    // A row of a local mechanism goes its own way; a kind no one has is refused there.
    if (meccanismi_) {
        const auto& cella = riga.meccanismo[0];
        const auto tipo = form::tipo_di_nome(cella ? *cella : std::string());
        if (!tipo || form::e_meccanismo(*tipo)) {
            verifica_meccanismo(riga, tipo, banco, e);
            return;
        }
        for (std::size_t c = 0; c < kColonneMeccanismo; ++c)
            e.meccanismo[c] = riga.meccanismo[c].value_or("");
        for (std::size_t c = kColonneMeccanismo; c < kColonneUscitaMeccanismo; ++c)
            e.meccanismo[c].clear();
        e.meccanismo[0] = "pannello";
    }

    // The row's cells over the start-up panel through the one reader of a panel's cells: a
    // refused cell stops the row with its column and why.
    // Start-up's panel again, as far as the reader writes it: the inputs, the choices and, in a
    // file that has them, the mechanism's texts.
    form::Pannello& pannello = banco.pannello_;
    pannello.id.clear();
    pannello.descrizione.clear();
    for (form::Campo c : form::kCampiIngresso) pannello.testi[c] = pannello_avvio_.testi[c];
    pannello.vincoli = pannello_avvio_.vincoli;
    pannello.formula = pannello_avvio_.formula;
    pannello.datum = pannello_avvio_.datum;
    pannello.tipo = pannello_avvio_.tipo;
    pannello.scelte = pannello_avvio_.scelte;
    if (meccanismi_) pannello.meccanismo = pannello_avvio_.meccanismo;
    // The row's numbers as the reader accepted them; a cell left empty keeps start-up's.
    form::NumeriIngresso numeri = numeri_avvio_;
    const auto rifiuto = form::leggi_celle(
        [&riga](std::string_view nome) -> std::optional<form::CellaRiga> {
            // The fields first, most names asked being theirs; a row without choices skips them.
            if (const std::size_t c = colonna_chiesta(nome); c < kColonneIngresso) {
                if (!riga.celle[c]) return std::nullopt;
                return form::CellaRiga{*riga.celle[c], riga.con_punto[c]};
            }
            if (!riga.con_scelte) return std::nullopt;
            for (std::size_t k = 0; k < form::kNomiScelte.size(); ++k)
                if (form::kNomiScelte[k] == nome) {
                    if (!riga.scelte[k]) return std::nullopt;
                    return form::CellaRiga{*riga.scelte[k], false};
                }
            return std::nullopt;
        },
        pannello, unita_, formato_, &numeri);
    // A field a choice wrote (no cell of its own) echoes the number the check takes.
    for (std::size_t c = 0; c < kColonneIngresso; ++c) {
        const auto campo = kCampoDiColonna[c];
        if ((riga.celle[c] && !riga.celle[c]->empty()) || !campo ||
            pannello.testi[*campo] == pannello_avvio_.testi[*campo])
            continue;
        celle[c] = form::cella_di_testo(*campo, pannello.testi[*campo], formato_);
    }
    // The choices echoed as the formula table and the datum name write them, once read.
    if (panel::formula_di_nome(celle[kDomanda]))
        celle[kDomanda] = panel::descrizione(pannello.formula).breve;
    if (hazard::datum_di_testo(celle[kDatum])) celle[kDatum] = hazard::nomi_datum(pannello.datum).nome;
    if (rifiuto) {
        celle[kErrore] = form::testo_rifiuto(*rifiuto);
        return;
    }
    // In a job without site data the row gave its own coordinates (checked above).
    pannello.sito_proprio = sito_iniziale_;

    // A start-up text validation refuses, unless the row gave its own, is said as a row's cell
    // would be; the row's texts are then read again as the check reads them.
    const bool accettati = avvio_accettato_;
    if (!accettati)
        for (form::Campo c : form::kCampiIngresso)
            if (auto motivo = form::motivo_rifiuto(c, pannello.testi[c], formato_, false, &unita_)) {
                celle[kErrore] = std::string(form::dati_campo(c).colonna) + ": " + *motivo;
                return;
            }
    const panel::Vincoli& vincoli = pannello.vincoli;
    const panel::FormulaDomanda formula = pannello.formula;
    const hazard::Datum datum = pannello.datum;
    // The row as a panel, checked by the one check function; its result is read as computed.
    form::EsitoVerifica esito;
    try {
        esito = form::calcola_verifica(
            accettati ? form::ingressi_da_numeri(numeri, vincoli, formula, datum, unita_)
                      : form::ingressi_da_testi(pannello, unita_, formato_),
            *griglia_);
    } catch (const Failure& err) {
        esito = form::Arresto{err.what(), err.title()};
    }
    if (const auto* a = std::get_if<form::Arresto>(&esito)) {
        celle[kErrore] = a->testo;
        return;
    }
    try {
        scrivi_risultati(std::get<form::RisultatoVerifica>(esito), unita_, formato_, celle);
    } catch (const Failure& err) {
        for (std::size_t c = kColonneIngresso; c < kColonneUscita; ++c) celle[c].clear();
        celle[kErrore] = err.what();
        return;
    }
    e.completata = true;
}

RigaIngresso riga_di_pannello(const form::FilePannelli& f, const form::RigaPannello& r,
                              std::size_t numero) {
    RigaIngresso riga;
    riga.numero = numero;
    if (!r.leggibile()) {
        riga.errore = "Riga " + std::to_string(r.linea) + " del file: " + f.errore(r);
        return riga;
    }
    for (std::size_t c = 0; c < kColonneIngresso; ++c) {
        const auto k = f.colonna(kNomiIngresso[c]);
        if (!k) continue;
        riga.celle[c] = r.celle[*k];
        riga.con_punto[c] = std::find(r.con_punto.begin(), r.con_punto.end(), *k) != r.con_punto.end();
    }
    for (std::size_t c = 0; c < kColonneScelteLette; ++c)
        if (const auto k = f.colonna(form::kNomiScelte[c])) {
            riga.scelte[c] = r.celle[*k];
            riga.con_scelte = true;
        }
    for (std::size_t c = 0; c < kColonneMeccanismo; ++c) {
        const auto k = f.colonna(kNomiMeccanismo[c]);
        if (!k) continue;
        riga.meccanismo[c] = r.celle[*k];
        riga.meccanismo_con_punto[c] =
            std::find(r.con_punto.begin(), r.con_punto.end(), *k) != r.con_punto.end();
    }
    return riga;
}

TotaliLotto esegui_lotto(const Lotto& lotto, LettoreLotto& lettore, std::ostream& out, int jobs,
                         const std::function<void(std::size_t)>& avanzamento) {
    return esegui_lotto(
        lotto, [&](RigaIngresso& r) { return lettore.prossima(r); }, out, jobs, avanzamento,
        false);
}

TotaliLotto esegui_lotto(const Lotto& lotto, const FonteRighe& fonte, std::ostream& out, int jobs,
                         const std::function<void(std::size_t)>& avanzamento, bool excel) {
    // Rows are read, checked and written a block at a time: memory stays bounded and the
    // output keeps the input order whatever thread checked a row. One thread works on small
    // blocks, whose memory is reused; more threads need blocks large enough to share.
    const std::size_t kBlocco = jobs <= 1 ? 64 : 256 * static_cast<std::size_t>(jobs);
    std::vector<RigaIngresso> righe(kBlocco);
    std::vector<RigaEsito> esiti(kBlocco);
    TotaliLotto totali;
    // This thread's form, and one for every other thread.
    Lotto::Banco banco;
    std::vector<Lotto::Banco> banchi(static_cast<std::size_t>(std::max(jobs, 1)) - 1);
    std::string testo;  // the lines of one block
    out << intestazione_csv(excel, lotto.meccanismi());
    while (true) {
        std::size_t n = 0;
        while (n < kBlocco && fonte(righe[n])) ++n;
        if (n == 0) break;

        const std::size_t fili =
            std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), n);
        if (fili == 1) {
            for (std::size_t i = 0; i < n; ++i) lotto.verifica(righe[i], banco, esiti[i]);
        } else {
            std::atomic<std::size_t> prossima{0};
            std::exception_ptr guasto;
            std::mutex guasto_mutex;
            auto lavoro = [&](Lotto::Banco& proprio) {
                try {
                    for (std::size_t i; (i = prossima.fetch_add(1)) < n;)
                        lotto.verifica(righe[i], proprio, esiti[i]);
                } catch (...) {
                    const std::lock_guard<std::mutex> lock(guasto_mutex);
                    if (!guasto) guasto = std::current_exception();
                    prossima = n;
                }
            };
            std::vector<std::thread> altri;
            for (std::size_t k = 1; k < fili; ++k)
                altri.emplace_back([&, k] { lavoro(banchi[k - 1]); });
            lavoro(banco);
            for (auto& t : altri) t.join();
            if (guasto) std::rethrow_exception(guasto);
        }

        testo.clear();
        for (std::size_t i = 0; i < n; ++i) {
            aggiungi_riga_csv(testo, esiti[i], excel, lotto.meccanismi());
            if (!esiti[i].completata) ++totali.rifiutate;
        }
        out << testo;
        if (!out) break;  // the destination failed: the caller reports it
        totali.righe += n;
        if (avanzamento) avanzamento(totali.righe);
    }
    out.flush();
    return totali;
}

namespace {

// Lines after the header, for the progress bar's total (empty lines count too; the bar then
// ends a little short of full, and the last call completes it).
std::size_t conta_righe(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::size_t linee = 0;
    char ultimo = '\n';
    std::vector<char> buf(1 << 16);
    while (in) {
        in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
        const auto letti = static_cast<std::size_t>(in.gcount());
        linee += static_cast<std::size_t>(std::count(buf.data(), buf.data() + letti, '\n'));
        if (letti > 0) ultimo = buf[letti - 1];
    }
    if (ultimo != '\n') ++linee;
    return linee > 0 ? linee - 1 : 0;
}

class Barra {
  public:
    Barra(std::ostream& err, std::size_t totale)
        : err_(err), totale_(std::max<std::size_t>(totale, 1)) {}
    void mostra(std::size_t fatte, bool fine = false) {
        const std::size_t perc = fine ? 100 : std::min<std::size_t>(99, fatte * 100 / totale_);
        if (perc == ultima_ && !fine) return;
        ultima_ = perc;
        constexpr std::size_t kLarghezza = 40;
        const std::size_t pieni = perc * kLarghezza / 100;
        err_ << "\r[" << std::string(pieni, '#') << std::string(kLarghezza - pieni, '.') << "] "
             << std::to_string(perc) << "% " << std::to_string(fatte) << "/"
             << std::to_string(fine ? fatte : totale_) << " righe" << std::flush;
        if (fine) err_ << "\n";
    }

  private:
    std::ostream& err_;
    std::size_t totale_;
    std::size_t ultima_ = 101;
};

// Whether `a` and `b` name one file (device and inode, links followed); false when either is
// missing.
bool stesso_file(const fs::path& a, const fs::path& b) {
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

}  // namespace

int esegui_batch(const OpzioniBatch& o, const fs::path& cwd, std::ostream& out, std::ostream& err) {
    std::unique_ptr<LettoreLotto> lettore;
    if (!o.file.empty()) {
        try {
            lettore = std::make_unique<LettoreLotto>(fs::path(o.file));
        } catch (const Failure& f) {
            err << text::printable(f.what()) << "\n";
            return 2;
        }
        if (!lettore->ignorate().empty()) {
            std::string elenco;
            for (const auto& n : lettore->ignorate()) elenco += (elenco.empty() ? "\"" : ", \"") + n + "\"";
            err << "Colonne ignorate nel file \"" << text::printable(text::decode(o.file))
                << "\": " << elenco << ".\n";
        }
    }

    const std::optional<Avvio> avvio = avvia_da_opzioni(o.root, o.extra, cwd, err, o.job);
    if (!avvio) return 1;
    const form::Lavoro& lavoro = avvio->lavoro;
    // Without a file, the job's saved panels are the rows.
    std::optional<form::FilePannelli> pannelli;
    if (!lettore) {
        if (!leggi_pannelli(lavoro, pannelli, err)) return 2;
        if (!pannelli) {
            err << "Il lavoro \"" << text::printable(lavoro.cartelle.nome_lavoro)
                << "\" non ha pannelli salvati (" << form::kFilePannelli
                << "): indicare il file CSV dei pannelli.\n";
            return 2;
        }
    }
    // What start-up said about the job file: every row starts from what it gave.
    stampa_messaggi(avvio->messaggi, 0, err);
    std::unique_ptr<Lotto> lotto;
    try {
        lotto = std::make_unique<Lotto>(lavoro, avvio->pannello, *avvio->griglia);
    } catch (const Failure& f) {
        err << f.title() << ": " << text::printable(f.what()) << "\n";
        return 1;
    }
    lotto->scrivi_meccanismi(lettore ? lettore->meccanismi()
                                     : pannelli->colonna("verifica").has_value());

    // Written beside OUT.csv and renamed over it once whole: an interrupted or failed batch
    // leaves the earlier file as it was.
    std::optional<text::FileAtomico> file_uscita;
    if (o.output) {
        // The results never replace what the batch reads: its file or the job's panels.
        std::vector<fs::path> ingressi{lavoro.cartelle.dir_lavoro / form::kFilePannelli};
        if (!o.file.empty()) ingressi.insert(ingressi.begin(), fs::path(o.file));
        for (const fs::path& ingresso : ingressi)
            if (stesso_file(fs::path(*o.output), ingresso)) {
                err << "Il file di uscita \"" << text::printable(text::decode(*o.output))
                    << "\" è il file di ingresso \""
                    << text::printable(text::decode(ingresso.string()))
                    << "\": nessun file scritto.\n";
                return 2;
            }
        file_uscita.emplace(fs::path(*o.output), text::FileAtomico::Interruzione::rimuovi);
        if (!file_uscita->aperto()) {
            err << text::printable(file_uscita->messaggio_apertura()) << "\n";
            return 2;
        }
    }
    std::ostream& uscita = file_uscita ? file_uscita->stream() : out;

    std::optional<Barra> barra;
    if (o.barra)
        barra.emplace(err, lettore ? conta_righe(fs::path(o.file)) : pannelli->righe.size());
    std::size_t prossimo = 0;
    const FonteRighe fonte = [&](RigaIngresso& r) {
        if (lettore) return lettore->prossima(r);
        if (prossimo == pannelli->righe.size()) return false;
        r = riga_di_pannello(*pannelli, pannelli->righe[prossimo], prossimo + 1);
        ++prossimo;
        return true;
    };
    TotaliLotto totali;
    try {
        totali = esegui_lotto(
            *lotto, fonte, uscita, o.jobs,
            [&](std::size_t fatte) {
                if (barra) barra->mostra(fatte);
            },
            o.excel);
    } catch (const Failure& f) {
        if (barra) err << "\n";
        err << text::printable(f.what()) << "\n";
        return 2;
    }
    if (barra) barra->mostra(totali.righe, true);
    if (file_uscita && !file_uscita->conferma()) {
        err << text::printable(file_uscita->messaggio_scrittura()) << "\n";
        return 2;
    }
    // `out` is named by its owner: the program's standard output by concludi, for every command.
    if (!uscita) return 2;
    return totali.rifiutate == 0 ? 0 : 1;
}

}  // namespace tv::cli
