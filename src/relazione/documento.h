// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report as data: a document of sections, tables, formula lines, plots, the
// restraint drawing and the verdict, built from the values of one check without any toolkit.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "form/aspetto.h"
#include "form/calcolo.h"
#include "form/dati_relazione.h"
#include "units/unita.h"

namespace tv::form {
struct Lavoro;
}

namespace tv::relazione {

using form::FormulaDomanda;
using form::RisultatoVerifica;

// ---------------------------------------------------------------- the document model

using form::Allineamento;
using form::Rgb;

// Shown at the top of every page; the first page repeats it as a title block.
struct Intestazione {
    std::string programma;  // program name
    std::string versione;
    std::string lavoro;      // job name
    std::string coordinate;  // "Long. 13,3995°  Lat. 42,3505°"
    std::string localita;    // empty when the coordinates are not a known locality's
    std::string data;
    // The job's report data for the title block: (label, value), only those given.
    std::vector<std::pair<std::string, std::string>> dati_lavoro;
    std::string pannello;  // "P1 - Nord": the saved panel the pages are about, empty for none
};

struct Paragrafo {
    std::string testo;
    bool titoletto = false;  // a small heading that stays with the block after it
    bool operator==(const Paragrafo&) const = default;
};

// Numbers are already texts with the decimal comma; the renderer only places them.
struct Tabella {
    std::vector<std::string> intestazioni;
    std::vector<Allineamento> allineamenti;  // one per column
    std::vector<double> larghezze;           // share of the text width, one per column
    std::vector<std::vector<std::string>> righe;
    bool operator==(const Tabella&) const = default;
};

// A formula written out and then with the numbers put in (the second may be empty).
struct Formula {
    std::string simbolica;
    std::string numerica;
    bool operator==(const Formula&) const = default;
};

struct Punto {
    double x = 0, y = 0;
    bool operator==(const Punto&) const = default;
};

struct Serie {
    std::string nome;
    std::vector<Punto> punti;
    Rgb colore;
    bool asse_secondario = false;  // drawn against the right axis
    bool tratteggiata = false;
    bool operator==(const Serie&) const = default;
};

// A labelled point of a series.
struct Marcatore {
    Punto punto;
    std::string etichetta;
    Rgb colore;
    bool asse_secondario = false;
    bool operator==(const Marcatore&) const = default;
};

// A straight line across the plot: x = valore (verticale) or y = valore.
struct Riferimento {
    bool verticale = true;
    double valore = 0;
    std::string etichetta;
    Rgb colore;
    bool asse_secondario = false;
    bool operator==(const Riferimento&) const = default;
};

struct Tacca {
    double valore = 0;
    std::string testo;
    bool operator==(const Tacca&) const = default;
};

struct Asse {
    std::string titolo;  // quantity and unit, "T [s]"
    double minimo = 0, massimo = 1;
    std::vector<Tacca> tacche;
    bool operator==(const Asse&) const = default;
};

struct Grafico {
    std::string titolo;
    Asse x, y;
    std::optional<Asse> y2;  // right axis
    std::vector<Serie> serie;
    std::vector<Riferimento> riferimenti;
    std::vector<Marcatore> marcatori;
    bool operator==(const Grafico&) const = default;
};

// The panel seen from the front: supported sides drawn as supports, free ones as free edges.
struct DisegnoVincoli {
    bool superiore = true, sinistro = false, inferiore = true, destro = false;
    bool incastro = false;  // the base is fixed (a cantilever), not a support
    double B = 1, L = 1;  // proportions of the drawing
    std::string testo_B, testo_L;
    bool operator==(const DisegnoVincoli&) const = default;
};

struct Esito {
    std::string testo;
    Rgb colore;
    bool operator==(const Esito&) const = default;
};

// A framed box for the designer's own words (empty: room to write by hand), with the lines to
// sign under it ("Data", "Il progettista").
struct Riquadro {
    std::string testo;
    std::vector<std::string> firme;
    bool operator==(const Riquadro&) const = default;
};

using Blocco =
    std::variant<Paragrafo, Tabella, Formula, Grafico, DisegnoVincoli, Esito, Riquadro>;

struct Sezione {
    std::string titolo;
    std::vector<Blocco> blocchi;
    bool operator==(const Sezione&) const = default;
};

struct Documento {
    Intestazione intestazione;
    std::string titolo;
    std::string sottotitolo;
    std::vector<Sezione> sezioni;
};

// One part of a long report (one panel): its pages' own header and its sections. A part starts
// on a page of its own.
struct Parte {
    Intestazione intestazione;
    std::vector<Sezione> sezioni;
};

// A report too long to hold whole (every panel of a job): its header and first sections, then
// parts built one at a time, as often as the renderer asks, the same sections every time, then
// the closing sections under the first header again.
class FonteRelazione {
  public:
    virtual ~FonteRelazione() = default;
    // The header, title and subtitle, and the sections before the parts.
    virtual const Documento& inizio() const = 0;
    virtual std::size_t parti() const = 0;
    virtual Parte parte(std::size_t i) = 0;
    virtual std::vector<Sezione> fine() const { return {}; }
};

// One whole document as a source of no parts.
class FonteDocumento : public FonteRelazione {
  public:
    explicit FonteDocumento(const Documento& doc) : doc_(doc) {}
    const Documento& inizio() const override { return doc_; }
    std::size_t parti() const override { return 0; }
    Parte parte(std::size_t) override { return {}; }

  private:
    const Documento& doc_;
};

// How far a long report has gone: every panel checked, then laid out on pages, then drawn.
enum class FaseRelazione { verifica, impaginazione, scrittura };
// Told the phase, the panels done in it and their number; false stops the report.
using AvanzamentoRelazione = std::function<bool(FaseRelazione, std::size_t, std::size_t)>;

// ---------------------------------------------------------------- what the result does not hold

// The job and the day of the report; every value of the check comes from its result.
struct ContestoRelazione {
    std::string programma = "TORVELANDO PANNELLI MURARI";
    std::string versione;
    std::string lavoro;
    std::string data;                     // already written, e.g. "12/03/2025"
    std::optional<std::string> localita;  // only while the coordinates are exactly the locality's
    // The saved panel checked (its id and description), named on every page; empty for the
    // job's panel of a job without saved panels.
    std::string pannello_id, pannello_descrizione;
    units::Unita unita;                   // the job's work units, for the values shown in them
    // What the software declaration names: the build and the data files the check read.
    std::string commit = "non disponibile";  // the build's commit
    std::string produttore, licenza;          // as in the package metadata
    std::string file_griglia, sha_griglia;    // file name and SHA-256, "non disponibile"
    std::string file_localita, sha_localita;  // when it cannot be read
    form::DatiRelazione dati;                 // the job's relazione.txt, empty without one
};

// The report of one completed check. Throws tv::Failure when a value it must plot is refused by
// the spectrum or the arch curve (the values of a check that ran never are).
Documento costruisci_relazione(const RisultatoVerifica& r, const ContestoRelazione& c);
// "P1 - Nord", "P1" without a description; empty without an id.
std::string nome_pannello(const std::string& id, const std::string& descrizione);
// The header of every page of a report of the check at `sito` (lon, lat in `datum`), naming the
// context's panel.
Intestazione intestazione_relazione(const hazard::DatiSito& sito, hazard::Datum datum,
                                   const ContestoRelazione& c);

// The context of a check of the job: its name and units, the locality named only while the
// coordinates are exactly a known locality's, this program's version and `data`. Throws
// tv::Failure naming a data file that is there but cannot be read (a folder, a device).
ContestoRelazione contesto_relazione(const form::Lavoro& lavoro,
                                     std::optional<std::string> localita, std::string data);
// A locality a front end knows at the coordinates (lon, lat): the line picked, the job's.
using NotaLocalita = std::function<std::optional<std::string>(double lon, double lat)>;
// The locality named for the result's coordinates: the one `nota` knows, else a line of the
// locality list `file_localita` with exactly these coordinates; none for coordinates not in ED50.
std::optional<std::string> localita_del_risultato(const RisultatoVerifica& r,
                                                  const NotaLocalita& nota,
                                                  const std::filesystem::path& file_localita);
// The same for a job without a window: its job file's locality, else the locality list's.
std::optional<std::string> localita_del_risultato(const form::Lavoro& lavoro,
                                                  const RisultatoVerifica& r);

// Round ticks over [minimo, massimo] (about `circa` of them), labelled with the decimal comma;
// the range is widened to whole ticks.
Asse asse_con_tacche(std::string titolo, double minimo, double massimo, int circa = 6);

}  // namespace tv::relazione
