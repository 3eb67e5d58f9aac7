// SPDX-License-Identifier: GPL-3.0-or-later
// Batch checks: a CSV file of panels, each row checked from the suite's start-up state as the
// window checks one panel, and the results written as CSV in input order.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "form/campi.h"
#include "form/lavoro.h"
#include "form/messaggi.h"
#include "form/pannelli.h"
#include "form/verifica_meccanismo.h"

namespace tv::cli {

// Input columns, in the order of the output: id, descrizione (any text naming the panel, echoed
// as read), the fields in their batch order (the field
// table's `ordine`), the restraints and the formula, the fields of one formula, the datum.
// Values are texts in the job's work units as the window shows them, "." as decimal separator;
// top, left and right are 1 (supported) or 0 (free); domanda is the demand formula's short name
// in either case (echoed as written in the formula table); datum that of lat and lon, ED50 or
// WGS84 in either case (echoed as ED50 or WGS84).
inline constexpr std::array<std::string_view, 4> kColonneScelte = {"top", "left", "right",
                                                                   "domanda"};
inline constexpr std::size_t kColonneIngresso = 2 + form::kCampiOrdinati + kColonneScelte.size() + 1;
inline constexpr std::array<std::string_view, kColonneIngresso> kNomiIngresso = [] {
    std::array<std::string_view, kColonneIngresso> out{};
    std::size_t i = 0;
    out[i++] = "id";
    out[i++] = "descrizione";
    for (form::Campo c : form::kOrdineCampi)
        if (!form::dati_campo(c).formula) out[i++] = form::dati_campo(c).colonna;
    for (std::string_view nome : kColonneScelte) out[i++] = nome;
    for (form::Campo c : form::kOrdineCampi)
        if (form::dati_campo(c).formula) out[i++] = form::dati_campo(c).colonna;
    out[i++] = "datum";
    return out;
}();

// The position of a column by its name (kColonneIngresso when there is none).
constexpr std::size_t colonna_ingresso(std::string_view nome) {
    for (std::size_t i = 0; i < kColonneIngresso; ++i)
        if (kNomiIngresso[i] == nome) return i;
    return kColonneIngresso;
}

// Result columns, after the input ones: the site in ED50 where the grid was searched first;
// fonte is "griglia" or the island group and zone ("G1 Sardegna"); avvisi the plausibility
// warnings joined by "; "; errore is empty on a completed row.
inline constexpr std::size_t kColonneRisultato = 21;
inline constexpr std::array<std::string_view, kColonneRisultato> kNomiRisultato = {
    "lat_ed50", "lon_ed50", "ag",      "Ss",    "S",      "VR",    "TR",
    "W",        "Wa",       "Ta",      "Sa",    "Fa",     "Rlat",  "d_mm",
    "K1",       "K2",       "span",    "verdict", "fonte", "avvisi", "errore"};

inline constexpr std::size_t kColonneUscita = kColonneIngresso + kColonneRisultato;

// The local mechanisms' columns, read and written only by a file whose header has `verifica`:
// the kind (pannello, ribaltamento, flessione, ribaltamento_composto, elemento_libero; empty is
// pannello) and the mechanism's fields, then, after today's columns, the governing mechanism's
// results (lengths in m, a0* in m/s2, M* in t, accelerations as fractions of g).
inline constexpr std::size_t kColonneMeccanismo = 1 + form::kCampiMeccanismo;
inline constexpr std::array<std::string_view, kColonneMeccanismo> kNomiMeccanismo = [] {
    std::array<std::string_view, kColonneMeccanismo> out{};
    out[0] = "verifica";
    for (std::size_t i = 0; i < form::kNomiCampiMeccanismo.size(); ++i)
        out[i + 1] = form::kNomiCampiMeccanismo[i];
    return out;
}();
// Then the choices that write the numbers of their fields (form::kNomiScelte), read only.
inline constexpr std::size_t kColonneScelteLette = form::kNomiScelte.size();
inline constexpr std::size_t kColonneLette =
    kColonneIngresso + kColonneMeccanismo + kColonneScelteLette;
// L_interno is the internal work of the interlock (kN m), F_ammorsamento its friction (kN),
// W_cuneo the wedge's weight (kN) and T0 a free element's period (s), empty where the mechanism
// has none.
// The governing mechanism's results; the nonlinear check's (d in m, T in s) empty under the
// linear analysis.
inline constexpr std::array<std::string_view, 34> kNomiRisultatoMeccanismo = {
    "meccanismo", "z_cerniera", "h1_cerniera", "alpha0",    "e_star",         "M_star",
    "a0_star",    "demand_SLD", "demand_SLV",  "zeta_SLD",  "zeta_SLV",       "ag_cap_SLD",
    "ag_cap_SLV", "TR_SLD",     "ag_SLD",      "TR_SLV",    "ag_SLV",         "L_interno",
    "F_ammorsamento", "W_cuneo", "T0",
    "d0", "d_SLV", "T_SLV", "D_SLV", "zeta_SLV_nl", "ag_cap_SLV_nl",
    "d_SLC", "T_SLC", "D_SLC", "zeta_SLC", "ag_cap_SLC", "TR_SLC", "ag_SLC"};
inline constexpr std::size_t kColonneUscitaMeccanismo =
    kColonneMeccanismo + kNomiRisultatoMeccanismo.size();

// The position of an output column by its name, input or result (kColonneUscita when none).
constexpr std::size_t colonna_uscita(std::string_view nome) {
    if (colonna_ingresso(nome) < kColonneIngresso) return colonna_ingresso(nome);
    for (std::size_t i = 0; i < kColonneRisultato; ++i)
        if (kNomiRisultato[i] == nome) return kColonneIngresso + i;
    return kColonneUscita;
}
inline constexpr std::size_t kColonnaErrore = colonna_uscita("errore");
static_assert(kColonnaErrore < kColonneUscita);

// One row of the batch file.
struct RigaIngresso {
    std::size_t numero = 0;  // 1 for the first row after the header
    // The text of each input column, trimmed; nullopt where the file has no such column.
    std::array<std::optional<std::string>, kColonneIngresso> celle;
    std::string errore;  // why the row could not be split into its columns; else empty
    // Number cells of a ";" file holding a ".": kept as read, and refused.
    std::bitset<kColonneIngresso> con_punto;
    // The mechanism's columns (kNomiMeccanismo), as the others.
    std::array<std::optional<std::string>, kColonneMeccanismo> meccanismo;
    std::bitset<kColonneMeccanismo> meccanismo_con_punto;
    // The choices' columns (form::kNomiScelte), h/H in "." notation.
    std::array<std::optional<std::string>, kColonneScelteLette> scelte;
    bool con_scelte = false;  // the file has a choice's column
};

// One row of the output: the texts the check used for the input columns, then the results.
struct RigaEsito {
    std::array<std::string, kColonneUscita> celle;
    bool completata = false;
    std::bitset<kColonneIngresso> come_lette;  // input cells echoed as read, never reformatted
    // The mechanism's input columns echoed, then its results; written with `meccanismi`.
    std::array<std::string, kColonneUscitaMeccanismo> meccanismo;
    const std::string& errore() const { return celle[kColonnaErrore]; }
};

// Reads a batch file: a header of named columns (any order, any subset of kNomiIngresso in any
// letter case; other columns are read past), then one row a panel. The header shows the
// separator: ";" when it has one and no ",", then numbers are read with decimal commas. Fields may be quoted ("a, b" with "" for a quote); blanks around fields and
// empty lines are ignored; a UTF-8 byte-order mark is skipped; texts that are not UTF-8 are read
// as Windows-1252.
class LettoreLotto {
  public:
    // Throws tv::Failure naming the file when it cannot be read, has no header, or its header
    // names one column twice, a column holding ";", or one a letter or two from a column's name
    // ("latt", "gama"), which the message names.
    LettoreLotto(const std::string& nome, std::istream& in);
    explicit LettoreLotto(const std::filesystem::path& file);
    ~LettoreLotto();
    LettoreLotto(const LettoreLotto&) = delete;
    LettoreLotto& operator=(const LettoreLotto&) = delete;

    // The next row; false after the last one. A row that cannot be split into the header's
    // columns comes back with `errore` set. Throws tv::Failure naming the file only on a line
    // too long to read (16 MiB).
    bool prossima(RigaIngresso& riga);

    // The header's columns the batch does not know, in file order, control characters as "?".
    const std::vector<std::string>& ignorate() const { return ignorate_; }
    // The header has the column `verifica`: the output has the mechanism's columns.
    bool meccanismi() const { return meccanismi_; }

    struct Csv;

  private:
    // Reads the header line: the separator, the unknown columns; returns the line the library
    // reads, with the known names as the batch writes them.
    std::string inizia(const std::string& linea);

    std::unique_ptr<Csv> csv_;
    std::string nome_;  // the file, for messages
    std::size_t numero_ = 0;
    form::Separatore separatore_ = form::Separatore::virgola;
    std::vector<std::string> ignorate_;
    bool meccanismi_ = false;
};

// The output's header line and the line of one row, each ending with "\n". Fields holding a
// comma, a quote, a line end or blanks at either end are quoted; a text starting with "=", "+",
// "-", "@", a tab or a CR, which a spreadsheet would run as a formula, has "'" before it (a number
// outside the id, the description and the cells echoed as read keeps its sign). `excel`: ";"
// between fields and decimal commas in numbers, as an Italian spreadsheet reads them.
// `meccanismi`: the mechanism's columns after today's.
std::string intestazione_csv(bool excel = false, bool meccanismi = false);
std::string riga_csv(const RigaEsito& riga);
void aggiungi_riga_csv(std::string& out, const RigaEsito& riga, bool excel = false,
                       bool meccanismi = false);

// The start-up state every row begins from, and the check of one row: its texts read through
// the fields' own validation into a panel, the restraint rule, and the one check function. Rows
// share only read-only state and one grid, so `verifica` may run on many threads at once, and a
// row's result never depends on another row.
class Lotto {
  public:
    // `avvio`: start-up's panel of `lavoro`, which every row starts from. The grid is read now
    // from `fonte` and kept for every row; throws tv::Failure when it cannot be read.
    Lotto(const form::Lavoro& lavoro, const form::Pannello& avvio, hazard::FonteGriglia& fonte,
          text::NumberFormat formato = text::dot_format());
    ~Lotto();
    Lotto(const Lotto&) = delete;
    Lotto& operator=(const Lotto&) = delete;

    // A worker's own field texts, reused from row to row: one for every thread.
    class Banco {
      public:
        Banco();
        ~Banco();

      private:
        friend class Lotto;
        form::Pannello pannello_;
    };

    // An empty or missing cell takes the start-up value (the row number for id), except lat
    // and lon when the job has no site data: the row is then refused. A refused
    // field gives "<column>: <message>"; a refused restraint combination, or a run that
    // stopped, gives the message the window would show. The row starts from the start-up
    // state whatever `banco` checked before. `esito` is overwritten (its strings keep their
    // memory).
    void verifica(const RigaIngresso& riga, Banco& banco, RigaEsito& esito) const;
    RigaEsito verifica(const RigaIngresso& riga) const;

    // The start-up text of each input column (empty for id).
    const std::array<std::string, kColonneIngresso>& valori_avvio() const { return avvio_; }

    // Whether the output has the mechanism's columns (a file with `verifica`); false at first.
    bool meccanismi() const { return meccanismi_; }
    void scrivi_meccanismi(bool si) { meccanismi_ = si; }

  private:
    // A row whose kind is a mechanism (nullopt: a kind no one has), its base cells echoed.
    void verifica_meccanismo(const RigaIngresso& riga, std::optional<form::TipoVerifica> tipo,
                             Banco& banco, RigaEsito& esito) const;
    // Reads the text of input field `c` into `numeri`; false when validation refuses it.
    bool leggi_numero(form::Campo c, const std::string& testo, form::NumeriIngresso& numeri) const;

    units::Unita unita_;  // the job's work units
    form::Lavoro lavoro_;  // the job, for the mechanisms' reading
    text::NumberFormat formato_;
    std::shared_ptr<const hazard::RicercaGriglia> griglia_;
    form::Pannello pannello_avvio_;
    std::array<std::string, kColonneIngresso> avvio_;
    // The start-up texts read once: a row that leaves a cell empty takes the number and the
    // verdict of validation from here.
    form::NumeriIngresso numeri_avvio_;
    bool avvio_accettato_ = true;  // every start-up text accepted and read
    bool sito_iniziale_ = false;  // the job has no site data
    bool meccanismi_ = false;
};

struct TotaliLotto {
    std::size_t righe = 0;
    std::size_t rifiutate = 0;  // rows with errore set
};

// Checks every row of `lettore` and writes the header and one line a row to `out`, in input
// order. `jobs` threads share the rows, with the same output. `avanzamento`, when set, is told
// the number of rows written so far. Stops after the first block `out` refuses.
TotaliLotto esegui_lotto(const Lotto& lotto, LettoreLotto& lettore, std::ostream& out, int jobs,
                         const std::function<void(std::size_t)>& avanzamento = {});
// The same over any source of rows (the job's panels), false after the last; `excel` as above.
using FonteRighe = std::function<bool(RigaIngresso&)>;
TotaliLotto esegui_lotto(const Lotto& lotto, const FonteRighe& fonte, std::ostream& out, int jobs,
                         const std::function<void(std::size_t)>& avanzamento, bool excel);

// The batch row of a saved panel: its cells under the batch's columns (a damaged row comes with
// its message as `errore`). `numero`: its place among the rows.
RigaIngresso riga_di_pannello(const form::FilePannelli& f, const form::RigaPannello& r,
                              std::size_t numero);

struct OpzioniBatch {
    std::string file;  // the batch file; empty: the job's panels
    std::optional<std::string> root;
    std::optional<std::string> job;  // a job of the suite's job folder instead of its current one
    bool excel = false;              // ";" and decimal commas
    int jobs = 1;
    std::optional<std::string> output;  // -o: the results file; else `out`
    bool barra = false;                 // a progress bar on `err`
    std::vector<std::string> extra;     // other arguments, e.g. "|diroot=DIR|"
};

// The batch command. Exit codes: 0 every row completed; 1 start-up failed, or some rows were
// refused or stopped (their messages are in errore); 2 the batch file or the results file could
// not be used, or `out` failed (reported by the caller, who knows what it is). The results file
// is written whole or not at all (FileAtomico): SIGINT, SIGTERM and SIGHUP during the batch leave
// the earlier file as it was and end the program with 130, 143 or 129.
int esegui_batch(const OpzioniBatch& o, const std::filesystem::path& cwd, std::ostream& out,
                 std::ostream& err);

}  // namespace tv::cli
