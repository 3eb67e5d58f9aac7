// SPDX-License-Identifier: GPL-3.0-or-later
// The report's context: the job's name and units, the locality of the site, this program's
// version, build and package metadata, the fingerprints of the data files the check read, and
// the header of the pages.
#include "commit.h"
#include "form/lavoro.h"
#include "hazard/localita.h"
#include "relazione/documento.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/sha256.h"
#include "relazione/redazione.h"

namespace tv::relazione {

namespace {

// The file's name and SHA-256, "non disponibile" when there is no such file. A file there that
// cannot be read (a folder, a device, a pipe) throws tv::Failure naming it: the report does not
// quote a data file it could not read.
std::pair<std::string, std::string> impronta(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return {file.filename().string(), "non disponibile"};
    const text::LetturaFile l = text::leggi_file_regolare(file);
    if (!l.byte)
        throw Failure("Impossibile leggere il file \"" + file.string() + "\": " + l.motivo + ".");
    return {file.filename().string(), text::sha256_hex(*l.byte)};
}

}  // namespace

ContestoRelazione contesto_relazione(const form::Lavoro& lavoro,
                                     std::optional<std::string> localita, std::string data) {
    ContestoRelazione c;
    c.versione = TV_VERSIONE;
    c.commit = TV_COMMIT;
    c.produttore = TV_PRODUTTORE;
    c.licenza = TV_LICENZA;
    c.lavoro = lavoro.cartelle.nome_lavoro;
    c.data = std::move(data);
    c.localita = std::move(localita);
    c.unita = lavoro.unita;
    c.dati = form::leggi_file_relazione(lavoro.cartelle.dir_lavoro).value_or(form::DatiRelazione{});
    const auto& progra = lavoro.cartelle.dir_progra;
    std::tie(c.file_griglia, c.sha_griglia) =
        impronta(text::find_nocase(progra, "parametri_per_spettro.txt"));
    std::tie(c.file_localita, c.sha_localita) =
        impronta(text::find_nocase(progra, "coordinate_localita.txt"));
    return c;
}

std::optional<std::string> localita_del_risultato(const RisultatoVerifica& r, const NotaLocalita& nota,
                                                  const std::filesystem::path& file) {
    // The localities are ED50: the same numbers in another datum are another place.
    switch (r.ingressi.datum) {
        case hazard::Datum::ed50:
            break;
        case hazard::Datum::wgs84:
            return std::nullopt;
    }
    const double lon = r.ingressi.sito.lon, lat = r.ingressi.sito.lat;
    if (auto nome = nota(lon, lat)) return nome;
    return hazard::localita_alle_coordinate(file, lon, lat);
}

std::optional<std::string> localita_del_risultato(const form::Lavoro& lavoro,
                                                  const RisultatoVerifica& r) {
    const auto del_lavoro = [&](double lon, double lat) -> std::optional<std::string> {
        const auto& l = lavoro.localita;
        if (l && l->lon == lon && l->lat == lat) return l->nome;
        return std::nullopt;
    };
    return localita_del_risultato(r, del_lavoro, lavoro.file_localita());
}

using redazione::n;

std::string nome_pannello(const std::string& id, const std::string& descrizione) {
    if (id.empty()) return "";
    return descrizione.empty() ? id : id + " - " + descrizione;
}

Intestazione intestazione_relazione(const hazard::DatiSito& sito, hazard::Datum datum,
                                   const ContestoRelazione& c) {
    Intestazione h;
    h.programma = c.programma;
    h.versione = c.versione;
    h.lavoro = c.lavoro;
    h.coordinate = "Long. " + n(sito.lon, 6) + "°  Lat. " + n(sito.lat, 6) + "°";
    switch (datum) {
        case hazard::Datum::ed50:
            h.coordinate += " (ED50)";
            break;
        case hazard::Datum::wgs84:
            h.coordinate += " (WGS84)";
            break;
    }
    h.localita = c.localita.value_or("");
    h.pannello = nome_pannello(c.pannello_id, c.pannello_descrizione);
    h.data = c.data;
    std::string progettista = c.dati.progettista;
    if (!c.dati.ordine.empty()) progettista += (progettista.empty() ? "" : ", ") + c.dati.ordine;
    for (const auto& [etichetta, valore] :
         {std::pair{"Committente", c.dati.committente}, {"Opera", c.dati.opera},
          {"Indirizzo", c.dati.indirizzo}, {"Progettista", progettista}, {"Note", c.dati.note}})
        if (!valore.empty()) h.dati_lavoro.emplace_back(etichetta, valore);
    return h;
}

}  // namespace tv::relazione
