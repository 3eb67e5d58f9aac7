// The report's context: the job's name and units, the locality of the site and this program's
// version.
#include "form/form1.h"
#include "form/lavoro.h"
#include "relazione/documento.h"

namespace tv::relazione {

ContestoRelazione contesto_relazione(const form::Lavoro& lavoro,
                                     std::optional<std::string> localita, std::string data) {
    ContestoRelazione c;
    c.versione = TV_VERSIONE;
    c.lavoro = lavoro.cartelle.nome_lavoro;
    c.data = std::move(data);
    c.localita = std::move(localita);
    c.unita = lavoro.unita;
    return c;
}

ContestoRelazione contesto_relazione(const form::Form1& f, std::string data) {
    const RisultatoVerifica& r = *f.risultato;
    // The localities are ED50: the same numbers in another datum are another place.
    std::optional<std::string> localita;
    if (r.ingressi.datum == hazard::Datum::ed50)
        localita = f.localita_del_sito(r.ingressi.sito.lon, r.ingressi.sito.lat);
    return contesto_relazione(f.lavoro, std::move(localita), std::move(data));
}

}  // namespace tv::relazione
