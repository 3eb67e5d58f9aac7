// SPDX-License-Identifier: GPL-3.0-or-later
// The main window (object name Form1): every control of the design table, placed and captioned, with no
// behaviour of its own. A presenter reaches the controls through the accessors below.
#pragma once

#include "app/campi.h"
#include "app/formula.h"
#include "app/linea.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tv::app {

class ControlliMeccanismo;

class ControlliScelte;

class FinestraPrincipale : public QWidget {
    Q_OBJECT

public:
    // `dpi` is the logical resolution used to turn twips into pixels; 0 takes the primary
    // screen's logical dpi (96 when there is no screen).
    explicit FinestraPrincipale(double dpi = 0.0, QWidget* parent = nullptr);

    double dpi() const { return dpi_; }
    int pixel(int twips) const;
    QRect rettangolo(const Posizione& twips) const;

    // Accessors of the controls by their design index; null for an index outside the range.
    // Text1(indice), 0..26.
    QLineEdit* campo(int indice) const;
    // Label1(indice), 0..35.
    QLabel* label1(int indice) const;
    // Label2(indice) for indice 0, 1 or 6.
    QLabel* label2(int indice) const;
    QLabel* label3() const { return label3_; }
    // Check1(indice), 0..3: the sides as form::Lato numbers them.
    QCheckBox* check(int indice) const;
    // Line<numero>, 1..6.
    LineaWidget* linea(int numero) const;
    // The sketch edge owned by Check1(indice).
    LineaWidget* linea_di(int indice) const;
    // Command<numero>, 1..5; 1 is the one-element array Command1(0), "AGGIORNA".
    QPushButton* command(int numero) const;
    // The six buttons in the order Command1(0), Command2, ..., Command6.
    const std::array<QPushButton*, numero_pulsanti>& comandi() const { return pulsanti_; }
    // The locality search: its edit line and the list always open under it.
    QLineEdit* combo1() const { return combo1_; }
    QListWidget* combo1_list() const { return combo1_list_; }
    // The demand formula's list in Frame2, one entry a formula.
    QComboBox* combo2() const { return combo2_; }
    // The datum of the typed coordinates, one entry a datum.
    QComboBox* combo_datum() const { return combo_datum_; }
    // The grey caption of the hazard's source under T1.
    QLabel* label4() const { return label4_; }
    QLabel* label5() const { return label5_; }
    // Frame<numero>, 1..3.
    QGroupBox* frame(int numero) const;
    // Image<numero>, 1..6.
    FormulaWidget* image(int numero) const;
    // The local mechanisms' kind list, storey table and results frame.
    ControlliMeccanismo& meccanismo() const { return *meccanismo_; }
    // The norm's pickers (use class, limit state, masonry, ...) in their frame.
    ControlliScelte& scelte() const { return *scelte_; }
    // The widget that holds controls placed in `dove`.
    QWidget* contenitore(Contenitore dove) const;

    // Moves a control horizontally to `left_twips` inside its container, keeping its top.
    void sposta_left(QWidget* controllo, int left_twips);

    // The window drawn `fattore` times its design size (Ctrl++ and Ctrl+− by tenths, Ctrl+0
    // back to 1), from 0.5 to 3: every control, font and line scaled alike, the layout kept.
    void imposta_zoom(double fattore);
    double zoom() const { return zoom_; }

private:
    void crea_frame();
    void crea_immagini();
    void crea_linee();
    void crea_etichette();
    void crea_campi();
    void crea_vincoli();
    void crea_ricerca();
    void crea_pulsanti();
    void crea_scelta_formula();
    void crea_scelta_datum();
    void imposta_ordine_tab();
    QLabel* crea_etichetta(const DatiEtichetta& dati, const QString& nome);

    double dpi_;
    // Each control's geometry and font size at zoom 1, taken at the first zoom and kept up to
    // date for controls the program moved since.
    struct Originale {
        QPointer<QWidget> controllo;
        QRect geometria;
        double punti = 0;
    };
    std::vector<Originale> originali_;
    std::vector<std::pair<QPoint, QPoint>> estremi_originali_;  // of linee_, at zoom 1
    QSize dimensione_originale_;
    double dpi_base_ = 0;
    double zoom_ = 1.0;
    std::array<QGroupBox*, numero_frame> frame_{};
    std::array<FormulaWidget*, numero_immagini> immagini_{};
    std::array<LineaWidget*, numero_linee> linee_{};
    std::array<QLabel*, numero_label1> label1_{};
    std::array<QLabel*, indici_label2.size()> label2_{};
    QLabel* label3_ = nullptr;
    std::array<QLineEdit*, numero_campi> campi_{};
    std::array<QCheckBox*, numero_vincoli> vincoli_{};
    QLineEdit* combo1_ = nullptr;
    QListWidget* combo1_list_ = nullptr;
    QComboBox* combo2_ = nullptr;
    QComboBox* combo_datum_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label5_ = nullptr;
    std::array<QPushButton*, numero_pulsanti> pulsanti_{};
    ControlliMeccanismo* meccanismo_ = nullptr;  // a child of the window
    ControlliScelte* scelte_ = nullptr;          // a child of the window
};

}  // namespace tv::app
