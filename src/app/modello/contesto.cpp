// SPDX-License-Identifier: GPL-3.0-or-later
// The report's context of the window's last completed run.
#include "app/modello/contesto.h"

#include <utility>

namespace tv::form {

relazione::ContestoRelazione contesto_relazione(const Form1& f, std::string data) {
    const RisultatoVerifica& r = *f.risultato;
    const auto nota = [&](double lon, double lat) { return f.localita_del_sito(lon, lat); };
    return relazione::contesto_relazione(
        f.lavoro, relazione::localita_del_risultato(r, nota, f.file_localita()), std::move(data));
}

}  // namespace tv::form
