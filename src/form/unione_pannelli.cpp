// SPDX-License-Identifier: GPL-3.0-or-later
// Three-way merge of panels files by panel id and column name.
#include "form/unione_pannelli.h"

#include <unordered_set>

namespace tv::form {

namespace {
// Every cell of this window's row `da` into the row of id `id` of `out`, made when missing.
void copia_riga(const FilePannelli& mio, const RigaPannello& da, FilePannelli& out,
                const std::string& id) {
    RigaPannello* r = out.pannello(id);
    if (!r) r = &out.aggiungi(id);
    for (const std::string& c : mio.colonne)
        if (c != "id") out.imposta(*r, c, mio.cella(da, c));
}
}  // namespace

FilePannelli unisci_pannelli(const FilePannelli& base, const FilePannelli& mio,
                             const FilePannelli& loro, const SceltaConflitto& scelta,
                             std::map<std::string, std::string>* rinominati) {
    FilePannelli out = loro;
    const auto ids_mio = mio.ids();
    const std::unordered_set<std::string> in_base = [&] {
        const auto v = base.ids();
        return std::unordered_set<std::string>(v.begin(), v.end());
    }();
    const std::unordered_set<std::string> in_mio(ids_mio.begin(), ids_mio.end());
    const std::unordered_set<std::string> in_loro = [&] {
        const auto v = loro.ids();
        return std::unordered_set<std::string>(v.begin(), v.end());
    }();
    for (const std::string& id : ids_mio) {
        const RigaPannello& rm = *mio.pannello(id);
        const RigaPannello* rb = base.pannello(id);
        if (!in_base.contains(id)) {
            // A panel of this window's: under its own id, or a new one when the file has it too.
            const std::string nuovo = in_loro.contains(id) ? out.cella(out.aggiungi(), "id") : id;
            copia_riga(mio, rm, out, nuovo);
            if (rinominati && nuovo != id) (*rinominati)[id] = nuovo;
            continue;
        }
        bool cambiato = false;
        for (const std::string& c : mio.colonne)
            cambiato = cambiato || (c != "id" && mio.cella(rm, c) != base.cella(*rb, c));
        RigaPannello* rl = out.pannello(id);
        if (!rl) {
            if (cambiato) copia_riga(mio, rm, out, id);
            continue;
        }
        for (const std::string& c : mio.colonne) {
            if (c == "id") continue;
            const std::string vm = mio.cella(rm, c), vb = base.cella(*rb, c);
            if (vm == vb) continue;
            const std::string vl = out.cella(*rl, c);
            if (vl == vb || vl == vm || !scelta || scelta(Conflitto{id, c, vm, vl}))
                out.imposta(*out.pannello(id), c, vm);
        }
    }
    for (const std::string& id : base.ids())
        if (!in_mio.contains(id)) out.rimuovi(id);
    return out;
}

}  // namespace tv::form
