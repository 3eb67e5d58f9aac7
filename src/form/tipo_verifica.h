// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds of check a panel can be: the arching panel or cantilever of today's check, or a local
// mechanism of an existing masonry wall; their names on the command line, in files and on screen.
#pragma once

#include <optional>
#include <string_view>

namespace tv::form {

enum class TipoVerifica { pannello, ribaltamento, flessione, ribaltamento_composto, elemento_libero };

struct DescrizioneTipo {
    TipoVerifica tipo;
    std::string_view nome;    // --kind, the `verifica` column
    std::string_view titolo;  // the window's list and the report
};

inline constexpr DescrizioneTipo kTipiVerifica[] = {
    {TipoVerifica::pannello, "pannello", "Pannello (arco o mensola)"},
    {TipoVerifica::ribaltamento, "ribaltamento", "Ribaltamento semplice (C8.7.1)"},
    {TipoVerifica::flessione, "flessione", "Flessione verticale (C8.7.1)"},
    {TipoVerifica::ribaltamento_composto, "ribaltamento_composto",
     "Ribaltamento composto (C8.7.1)"},
    {TipoVerifica::elemento_libero, "elemento_libero", "Elemento libero di vibrare (C8.7.1)"},
};

constexpr const DescrizioneTipo& descrizione_tipo(TipoVerifica t) {
    return kTipiVerifica[static_cast<int>(t)];
}

// The kind of a name in either case, blanks around it ignored; an empty text is the panel.
std::optional<TipoVerifica> tipo_di_nome(std::string_view nome);

constexpr bool e_meccanismo(TipoVerifica t) {
    switch (t) {
        case TipoVerifica::pannello:
            return false;
        case TipoVerifica::ribaltamento:
        case TipoVerifica::flessione:
        case TipoVerifica::ribaltamento_composto:
        case TipoVerifica::elemento_libero:
            return true;
    }
    return false;
}

}  // namespace tv::form
