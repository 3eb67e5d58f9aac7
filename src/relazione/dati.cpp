// The report's context taken from the form: the job's name and units, the locality of the site
// and this program's version.
#include "form/form1.h"
#include "relazione/documento.h"

namespace tv::relazione {

ContestoRelazione contesto_relazione(const form::Form1& f, std::string data) {
    const RisultatoVerifica& r = *f.risultato;
    ContestoRelazione c;
    c.versione = TV_VERSIONE;
    c.lavoro = f.cartelle().nome_lavoro;
    c.data = std::move(data);
    c.localita = f.localita_del_sito(r.ingressi.sito.lon, r.ingressi.sito.lat);
    c.unita = f.unita();
    return c;
}

}  // namespace tv::relazione
