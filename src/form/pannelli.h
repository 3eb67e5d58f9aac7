// SPDX-License-Identifier: GPL-3.0-or-later
// The job's panels file (pannelli.csv): one row a panel, id, description and the batch's input
// columns as texts; read and composed here for the window and the command line alike.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "form/lavoro.h"
#include "form/tabella_campi.h"
#include "text/number_text.h"

namespace tv::form {

inline constexpr std::string_view kFilePannelli = "pannelli.csv";

// The columns the program writes: id, descrizione, the input fields in the field table's order,
// then the restraints (1 supported, 0 free), the demand formula and the datum of lat and lon.
inline constexpr std::array<std::string_view, 5> kColonneScelteP = {"top", "left", "right",
                                                                    "domanda", "datum"};
inline constexpr std::size_t kColonnePannello = 2 + kCampiIngresso.size() + 5;
inline constexpr std::array<std::string_view, kColonnePannello> kNomiColonnePannello = [] {
    std::array<std::string_view, kColonnePannello> out{};
    std::size_t i = 0;
    out[i++] = "id";
    out[i++] = "descrizione";
    for (Campo c : kCampiIngresso) out[i++] = dati_campo(c).colonna;
    for (std::string_view n : kColonneScelteP) out[i++] = n;
    return out;
}();

// The columns of the site: a panel has them only when the user typed them for it.
bool colonna_sito(std::string_view colonna);
// Columns holding numbers: written with the file's decimal separator.
bool colonna_numerica(std::string_view colonna);

// How a CSV file separates its columns, recognised from its header: "," with decimal points, or
// ";" with decimal commas (as an Italian spreadsheet writes it).
enum class Separatore { virgola, punto_e_virgola };
Separatore separatore_di_intestazione(std::string_view intestazione);

// Why a row could not be read; `nessuno` for a panel's row.
enum class Guasto : std::uint8_t {
    nessuno,
    virgolette,    // a quote left open
    meno_colonne,  // fewer cells than the header
    piu_colonne,   // more cells than the header
    senza_id,      // an empty id
    id_ripetuto,   // an id an earlier readable row has
};

// One row: its cells in the header's order, numbers with "."; a row that could not be read has
// no cells, only why and where its text lies in the file (written back as it was).
struct RigaPannello {
    std::vector<std::string> celle;
    // The number cells of a ";" file that hold a ".", kept as read and refused (see
    // punto_decimale): written back as they were until a new value replaces them.
    std::vector<std::size_t> con_punto;
    std::size_t linea = 0;  // its line in the file, 1 for the header
    // Its line in the text the file was read from (FilePannelli::originale).
    std::size_t inizio = 0, lunghezza = 0;
    Guasto guasto = Guasto::nessuno;

    bool leggibile() const { return guasto == Guasto::nessuno; }
};

// The ids' index looks texts up without making a std::string of them.
struct HashTesto {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

struct FilePannelli {
    std::vector<std::string> colonne;  // the header: the program's columns, then any other
    // Rows are added and removed, and ids changed, only through the members below, which keep
    // the index of the ids in step.
    std::vector<RigaPannello> righe;
    Separatore separatore = Separatore::virgola;

    // The column's place, nullopt when the header lacks it.
    std::optional<std::size_t> colonna(std::string_view nome) const;
    // The row of a panel, nullptr when none has that id (damaged rows have none).
    const RigaPannello* pannello(std::string_view id) const;
    RigaPannello* pannello(std::string_view id);
    // A cell's text; empty for a missing column or a damaged row.
    std::string cella(const RigaPannello& r, std::string_view colonna) const;
    // Why the cell is refused before any field reads it (a "." in a number of a ";" file).
    std::optional<std::string> rifiuto_di_cella(const RigaPannello& r,
                                                std::string_view colonna) const;
    // Writes a cell, adding the column to the header when missing (an empty text in a site
    // column clears it: the panel then takes the job's site).
    void imposta(RigaPannello& r, std::string_view colonna, std::string testo);
    // A new panel row at the end, with an id no other row has ("1", "2", ...) unless `id` is
    // given; its cells empty.
    RigaPannello& aggiungi(std::string id = {});
    bool rimuovi(std::string_view id);
    // The ids of the readable panels, in file order.
    std::vector<std::string> ids() const;
    // The line of row `r` as it was read (decoded to UTF-8); empty for a row made here.
    std::string_view originale(const RigaPannello& r) const;
    // Why row `r` could not be read ("meno colonne dell'intestazione", "id "P1" già usato da
    // un'altra riga"); empty for a readable row.
    std::string errore(const RigaPannello& r) const;

    // Reads the text of a panels file, kept whole: the lines of its damaged rows are written
    // back from it. See leggi_pannelli.
    static FilePannelli da_testo(std::string testo, const std::string& nome);

  private:
    void ricostruisci_indice();

    std::string testo_;  // the text the rows were read from, decoded to UTF-8
    // Each readable row's place by its id, in step while `righe` has `indicizzate_` rows; looked
    // up row by row otherwise.
    std::unordered_map<std::string, std::size_t, HashTesto, std::equal_to<>> indice_;
    std::size_t indicizzate_ = 0;
};

// A file of no panels with the program's columns.
FilePannelli nuovo_file_pannelli();

// Reads the text of a panels file (UTF-8, else Windows-1252; a byte-order mark skipped). A row
// that cannot be read is kept with its message; the others load. Throws tv::Failure naming
// `nome` when the header cannot be used (empty, a column twice, no id).
FilePannelli leggi_pannelli(std::string_view testo, const std::string& nome);
// The file in `dir_lavoro`, nullopt when there is none; throws tv::Failure as above, or when it
// cannot be read.
std::optional<FilePannelli> carica_pannelli(const std::filesystem::path& dir_lavoro);
// The message about a row that could not be read: "pannelli.csv, riga N: why; la riga resta nel
// file com'era."; and those of every such row, one each.
std::string messaggio_riga(const FilePannelli& f, const RigaPannello& r);
std::vector<std::string> messaggi_righe(const FilePannelli& f);

// The report's file name, without ".pdf", of every panel of job `lavoro` ("<job>_tutti") and of
// panel `id` ("<job>_<id>"; "<job>_pannello_<id>" for an id that is "tutti" or starts with
// "pannello_" in any letter case, so that no two reports share a name).
std::string nome_relazione_tutti(std::string_view lavoro);
std::string nome_relazione_pannello(std::string_view lavoro, std::string_view id);

// The whole text of the file, in its separator; a damaged row as it was read.
std::string testo_pannelli(const FilePannelli& f);

// The whole file written to `dir_lavoro` through the one writer, in its separator, UTF-8: nullopt
// when done, else the writer's message naming the file (which is then as it was).
std::optional<std::string> salva_pannelli(const std::filesystem::path& dir_lavoro,
                                          const FilePannelli& f);

// The saved panel `r` written over `p` (start-up's or the job's panel) by leggi_celle: nullopt
// when every cell was accepted, else the message of the first refusal ("Pannello "ID", column:
// why"), and the panel must not be checked.
std::optional<std::string> applica_riga(const FilePannelli& f, const RigaPannello& r, Pannello& p,
                                        const units::Unita& unita,
                                        const text::NumberFormat& formato);

// One CSV cell appended to `out`: quoted when it holds the separator, a quote, a line end or
// blanks at its ends; line ends inside it kept, or made blanks with `una_riga` (a panel's
// description must not split its row).
void aggiungi_cella_csv(std::string& out, std::string_view s, char sep, bool una_riga);

// A number cell of a ";" file (decimal commas) in "." notation. nullopt when it holds a ".",
// which such a file never writes in a number: "1.200" there is a grouped 1200, never 1.2.
std::optional<std::string> punto_decimale(std::string_view testo);
// The refusal of such a cell, naming what it holds.
std::string motivo_punto(std::string_view cella);
// A "." notation number written with a decimal comma, for ";" files.
std::string virgola_decimale(std::string_view testo);

// A cell of the panels file ("." notation, decimal degrees) as the field shows it in `formato`,
// and back; a text that is not a number stays as it is.
std::string testo_di_cella(Campo c, std::string_view cella, const text::NumberFormat& formato);
// A "." number as the job file or the locality list writes it ("1.0", "42.3505") with the
// locale's decimal separator instead, digits unchanged, so that every field of the window shows
// one separator; any other text as it is.
std::string separatore_locale(std::string_view punto, const text::NumberFormat& formato);
std::string cella_di_testo(Campo c, std::string_view testo, const text::NumberFormat& formato);

}  // namespace tv::form
