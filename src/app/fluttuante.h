// SPDX-License-Identifier: GPL-3.0-or-later
// The floating value editor: a frameless modal window at the mouse pointer that shows one
// field's value in every unit of its family and writes the value back in the field's own unit.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "text/number_text.h"
#include "units/factors.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tv::app {

// Design of the editor in twips: rows of a text field and its unit label, and the two buttons.
namespace disegno_fluttuante {
// The fields hold a converted value's longest text ("815.49439" kgf/m3) whole.
inline constexpr int campo_left = 60, campo_top = 60, campo_width = 1200, campo_height = 345;
inline constexpr int passo_righe = 15;  // gap between one row's field and the next
inline constexpr int label_left = 1365, label_top = 120, label_height = 195;
// The labels reach to just before the buttons, so that a bold unit is not cut.
inline constexpr int label_width = 750;
inline constexpr int pulsanti_left = 2145, pulsanti_width = 735, pulsanti_height = 375;
inline constexpr int ok_top = 60, annulla_top = 480;
inline constexpr int margine = 30;  // right of the buttons and under the last row
}  // namespace disegno_fluttuante

// Width and height of the window in twips for `righe` rows.
int larghezza_fluttuante_twips();
int altezza_fluttuante_twips(int righe);

class Fluttuante : public QDialog {
    Q_OBJECT

  public:
    // Form_Load: the window placed at the mouse pointer, with one row per unit of the family of
    // `unita_campo` (a single row when the unit is in no family). `campo_attivo` is the
    // main-window field edited; `dpi` turns the design's twips into pixels (0: the screen's).
    Fluttuante(QLineEdit* campo_attivo, const QString& unita_campo, double accelerazione_g,
               text::NumberFormat formato, double dpi, QWidget* proprietario);

    int righe() const { return static_cast<int>(testi_.size()); }
    // Text1(i) and Label1(i) of row i; null outside the rows.
    QLineEdit* riga(int i) const;
    QLabel* etichetta(int i) const;
    QPushButton* ok() const { return ok_; }
    QPushButton* annulla() const { return annulla_; }
    // Factor of row i's unit (`fattori`(i)), and of the field's unit (`fattori`(10)).
    double fattore(int i) const;
    double fattore_campo() const { return fattori_[10]; }
    const std::optional<units::Famiglia>& famiglia() const { return famiglia_; }
    // The mouse position when the editor was built.
    QPoint cursore() const { return cursore_; }

    // A unit in no family leaves a single row: the editor closes at once without showing.
    int exec() override;

  protected:
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

  private:
    void nuova_riga();
    void Form_Activate();
    void Text1_Change(int r);
    void Command1_Click(int indice);
    // Enter acts as "OK", Escape as "Annulla"; true when the key was one of them.
    bool Form_KeyPress(int tasto);
    void posiziona();
    int pixel(int twips) const;

    QPointer<QLineEdit> campo_attivo_;
    QString unita_campo_;
    double accelerazione_g_;
    text::NumberFormat formato_;
    double dpi_;
    QPoint cursore_;
    std::optional<units::Famiglia> famiglia_;
    std::vector<QLineEdit*> testi_;
    std::vector<QLabel*> etichette_;
    QPushButton* ok_ = nullptr;
    QPushButton* annulla_ = nullptr;
    std::array<double, 11> fattori_{};
    bool in_conversione_ = false;
    bool modificato_ = false;
    int scritta_ = -1;  // the row the user typed in last; the others hold its conversions
    bool attivato_ = false;
};

// Opens the editor for `campo_attivo` modally, owned by `proprietario`, and returns when it has
// closed. True when the field's text was replaced.
bool apri_fluttuante(QLineEdit* campo_attivo, const QString& unita_campo, double accelerazione_g,
                     const text::NumberFormat& formato, double dpi, QWidget* proprietario);

}  // namespace tv::app
