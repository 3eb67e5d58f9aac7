// SPDX-License-Identifier: GPL-3.0-or-later
// The pickers of the norm's choices, in a frame right of the others: each writes the number of
// the field named in its caption; a number no choice gives shows "altro". The presenter wires them.
#pragma once

#include <QObject>

#include <array>

#include "form/scelte.h"
#include <string_view>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace tv::app {

class FinestraPrincipale;

// The pickers in kNomiScelte order, h/H a field of its own.
enum class Picker { classe_uso, stato_limite, tipo_costruzione, categoria_topografica, muratura,
                    livello_conoscenza };
inline constexpr std::array<Picker, 6> kPicker = {
    Picker::classe_uso,            Picker::stato_limite, Picker::tipo_costruzione,
    Picker::categoria_topografica, Picker::muratura,     Picker::livello_conoscenza};
// The choice's name (form::kNomiScelte) a picker sets.
std::string_view nome_picker(Picker p);

inline constexpr const char* kAltro = "altro";

class ControlliScelte : public QObject {
public:
    explicit ControlliScelte(FinestraPrincipale& finestra);

    // Each list's entries: the table's rows (the word as item data), then "altro".
    QComboBox* lista(Picker p) const { return liste_.at(static_cast<std::size_t>(p)); }
    QLineEdit* h_su_H() const { return h_su_H_; }
    // The factors of Tab. C8.5.II, in form::kCorrettivi order.
    QCheckBox* correttivo(std::size_t i) const { return correttivi_.at(i); }
    // New masonry: fk in the job's stresses, the units with the mortar, the execution class.
    QLineEdit* fk() const { return fk_; }
    QComboBox* elementi() const { return elementi_; }
    QComboBox* classe_esecuzione() const { return classe_esecuzione_; }
    // The suggestions: T1 by the building's structure, qa by the element.
    QComboBox* edificio() const { return edificio_; }
    QComboBox* elemento() const { return elemento_; }
    QGroupBox* cornice() const { return cornice_; }

private:
    std::array<QComboBox*, kPicker.size()> liste_{};
    QLineEdit* h_su_H_ = nullptr;
    std::array<QCheckBox*, form::kCorrettivi.size()> correttivi_{};
    QLineEdit* fk_ = nullptr;
    QComboBox* elementi_ = nullptr;
    QComboBox* classe_esecuzione_ = nullptr;
    QComboBox* edificio_ = nullptr;
    QComboBox* elemento_ = nullptr;
    QGroupBox* cornice_ = nullptr;
};

}  // namespace tv::app
