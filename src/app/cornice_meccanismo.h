// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the local-mechanism kinds: the kind's list in Frame1, the wall's storey table
// with piani, LC and z0 over the panel's sketch, the kind's own fields (side walls, wedge) under
// it, and the results frame in Frame3's place. No behaviour of their own: the presenter wires
// and fills them.
#pragma once

#include <QObject>

#include <array>

#include "app/modello/stato.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTableWidget;
class QWidget;

namespace tv::app {

class FinestraPrincipale;

class ControlliMeccanismo : public QObject {
public:
    // Made on `finestra`'s Frame1 and window, hidden but for the kind's list.
    explicit ControlliMeccanismo(FinestraPrincipale& finestra);

    // The kinds of check, one entry a kind in kTipiVerifica order.
    QComboBox* tipo() const { return tipo_; }
    // The storeys' inputs over the panel's sketch in Frame1.
    QWidget* ingressi() const { return ingressi_; }
    QTableWidget* tabella() const { return tabella_; }
    QSpinBox* piani() const { return piani_; }
    QComboBox* lc() const { return lc_; }
    QLineEdit* z0() const { return z0_; }
    // The kind's own fields (form::campi_propri) in slots under the table, the rest hidden.
    static constexpr std::size_t kPropri = 5;
    QLabel* etichetta_propria(std::size_t i) const { return etichette_proprie_.at(i); }
    QLineEdit* proprio(std::size_t i) const { return propri_.at(i); }
    // The analysis (lineare / non lineare) and d_rottura, in Frame1 where fd and E stand.
    QWidget* scelta_analisi() const { return scelta_analisi_; }
    QComboBox* analisi() const { return analisi_; }
    QLabel* etichetta_d_rottura() const { return etichetta_d_rottura_; }
    QLineEdit* d_rottura() const { return d_rottura_; }
    // The results in Frame3's place.
    QGroupBox* risultati() const { return risultati_; }
    QLabel* governante() const { return governante_; }
    QLabel* pericolosita() const { return pericolosita_; }
    QLineEdit* valore(std::size_t i) const { return valori_.at(i); }
    QLabel* verdetto_SLV() const { return verdetto_SLV_; }
    QLabel* verdetto_SLD() const { return verdetto_SLD_; }
    // The nonlinear check's row (d0, ζE SLC, ag,cap SLC) and SLC verdict, shown with it.
    QLineEdit* valore_SLC(std::size_t i) const { return valori_SLC_.at(i); }
    QLabel* verdetto_SLC() const { return verdetto_SLC_; }
    QListWidget* altri() const { return altri_; }
    // Places the results for the linear check, or for the nonlinear one with its third row.
    void disponi(bool non_lineare);
    // The captions of the z0 field and of the results (greyed with them while stale).
    QLabel* etichetta_z0() const { return etichetta_z0_; }
    const std::array<QLabel*, form::kVociMeccanismo.size()>& voci() const { return voci_; }

private:
    QComboBox* tipo_ = nullptr;
    QWidget* ingressi_ = nullptr;
    QTableWidget* tabella_ = nullptr;
    QSpinBox* piani_ = nullptr;
    QComboBox* lc_ = nullptr;
    QLineEdit* z0_ = nullptr;
    QLabel* etichetta_z0_ = nullptr;
    std::array<QLabel*, kPropri> etichette_proprie_{};
    std::array<QLineEdit*, kPropri> propri_{};
    QGroupBox* risultati_ = nullptr;
    QLabel* governante_ = nullptr;
    QLabel* pericolosita_ = nullptr;
    std::array<QLineEdit*, form::kVociMeccanismo.size()> valori_{};
    std::array<QLabel*, form::kVociMeccanismo.size()> voci_{};
    QLabel* verdetto_SLV_ = nullptr;
    QLabel* verdetto_SLD_ = nullptr;
    QWidget* scelta_analisi_ = nullptr;
    QComboBox* analisi_ = nullptr;
    QLabel* etichetta_d_rottura_ = nullptr;
    QLineEdit* d_rottura_ = nullptr;
    std::array<QLineEdit*, form::kVociNonLineare.size()> valori_SLC_{};
    std::array<QLabel*, form::kVociNonLineare.size()> voci_SLC_{};
    QLabel* verdetto_SLC_ = nullptr;
    QLabel* didascalia_SLV_ = nullptr;
    QLabel* didascalia_SLD_ = nullptr;
    QLabel* didascalia_SLC_ = nullptr;
    QLabel* nota_SLD_ = nullptr;
    QListWidget* altri_ = nullptr;
    FinestraPrincipale& finestra_;
};

}  // namespace tv::app
