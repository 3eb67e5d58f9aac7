// SPDX-License-Identifier: GPL-3.0-or-later
// Two writers of one panels file (two windows on a job, or a window and a hand edit): what one
// window changed since it last read or wrote the file, laid over the file as it is now.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "form/pannelli.h"

namespace tv::form {

// A cell both this window and the file changed since `base`, to different texts.
struct Conflitto {
    std::string id, colonna, mio, loro;
};
// true keeps this window's text, false the file's.
using SceltaConflitto = std::function<bool(const Conflitto&)>;

// `loro` (the file now) with this window's changes from `base` to `mio`, panel by panel: its
// new panels added (under a new id when the file took the same one), its removed ones removed,
// each cell it changed written, a cell both changed decided by `scelta` (this window's when
// none is given). A panel the file removed and this window changed comes back; no other panel
// of the file is dropped, and its damaged rows stay as they are. `rinominati`, when given,
// receives this window's panels that took a new id (old id to new).
FilePannelli unisci_pannelli(const FilePannelli& base, const FilePannelli& mio,
                             const FilePannelli& loro, const SceltaConflitto& scelta = {},
                             std::map<std::string, std::string>* rinominati = nullptr);

}  // namespace tv::form
