// SPDX-License-Identifier: GPL-3.0-or-later
// The floating editor's rows, live conversion between them, keys and write-back.
#include "app/fluttuante.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <string>

#include "app/caratteri.h"
#include "app/twips.h"

namespace tv::app {

namespace d = disegno_fluttuante;

namespace {

constexpr double dpi_normale = 96.0;

double dpi_schermo() {
    const QScreen* schermo = QGuiApplication::primaryScreen();
    return schermo != nullptr ? schermo->logicalDotsPerInch() : dpi_normale;
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

void imposta_grassetto(QWidget* w, bool grassetto) {
    QFont f = w->font();
    f.setBold(grassetto);
    w->setFont(f);
}

// The rectangle of a design position, in pixels.
QRect rettangolo(int left, int top, int width, int height, double dpi) {
    const Posizione p = posizione_in_pixel({left, top, width, height}, dpi);
    return {p.left, p.top, p.width, p.height};
}

}  // namespace

int larghezza_fluttuante_twips() {
    return d::pulsanti_left + d::pulsanti_width + d::margine;
}

int altezza_fluttuante_twips(int righe) {
    const int ultimo_top =
        d::campo_top + (std::max(righe, 1) - 1) * (d::campo_height + d::passo_righe);
    return ultimo_top + d::campo_height + d::margine;
}

Fluttuante::Fluttuante(QLineEdit* campo_attivo, const QString& unita_campo, double accelerazione_g,
                       text::NumberFormat formato, double dpi, QWidget* proprietario)
    : QDialog(proprietario, Qt::Dialog | Qt::FramelessWindowHint),
      campo_attivo_(campo_attivo),
      unita_campo_(unita_campo),
      accelerazione_g_(accelerazione_g),
      formato_(std::move(formato)),
      dpi_(dpi > 0 ? dpi : dpi_schermo()) {
    setObjectName(QStringLiteral("fluttuante"));
    setModal(true);
    setFont(crea_font(carattere_sans_serif));
    // The background of the system's tooltips, with their text colour for the unit labels.
    const QPalette suggerimento = QToolTip::palette();
    QPalette tavolozza = palette();
    tavolozza.setColor(QPalette::Window,
                       suggerimento.color(QPalette::Inactive, QPalette::ToolTipBase));
    tavolozza.setColor(QPalette::WindowText,
                       suggerimento.color(QPalette::Inactive, QPalette::ToolTipText));
    setPalette(tavolozza);
    setAutoFillBackground(true);

    // Element 0 of each array, then the buttons: the tab order of the design.
    nuova_riga();
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    annulla_ = new QPushButton(QStringLiteral("Annulla"), this);
    ok_->setObjectName(QStringLiteral("Command1_0"));
    annulla_->setObjectName(QStringLiteral("Command1_1"));
    ok_->setGeometry(
        rettangolo(d::pulsanti_left, d::ok_top, d::pulsanti_width, d::pulsanti_height, dpi_));
    annulla_->setGeometry(
        rettangolo(d::pulsanti_left, d::annulla_top, d::pulsanti_width, d::pulsanti_height, dpi_));
    // Enter and Escape belong to the window's own key handling, whatever has the focus.
    for (QPushButton* p : {ok_, annulla_}) {
        p->setAutoDefault(false);
        p->setDefault(false);
        p->installEventFilter(this);
    }
    connect(ok_, &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(annulla_, &QPushButton::clicked, this, [this] { Command1_Click(1); });

    // Form_Load.
    cursore_ = QCursor::pos();
    move(cursore_);
    etichette_[0]->setText(unita_campo_);
    famiglia_ = units::famiglia_editor(unita_campo_.toStdString());
    if (famiglia_) {
        const auto& unita = units::unita_editor(*famiglia_);
        while (righe() < static_cast<int>(unita.size())) nuova_riga();
        for (std::size_t i = 0; i < unita.size(); ++i) {
            etichette_[i]->setText(q(unita[i]));
            fattori_[i] = units::fattore_famiglia(*famiglia_, unita[i], accelerazione_g_);
        }
        fattori_[10] =
            units::fattore_famiglia(*famiglia_, unita_campo_.toStdString(), accelerazione_g_);
    }
    resize(pixel(larghezza_fluttuante_twips()), pixel(altezza_fluttuante_twips(righe())));
}

int Fluttuante::pixel(int twips) const {
    return twips_a_pixel(twips, dpi_);
}

QLineEdit* Fluttuante::riga(int i) const {
    return i >= 0 && i < righe() ? testi_[static_cast<std::size_t>(i)] : nullptr;
}

QLabel* Fluttuante::etichetta(int i) const {
    return i >= 0 && i < righe() ? etichette_[static_cast<std::size_t>(i)] : nullptr;
}

double Fluttuante::fattore(int i) const {
    return i >= 0 && i < righe() ? fattori_[static_cast<std::size_t>(i)] : 0.0;
}

// Row k under row k-1, 15 twips apart; every label but the first is level with its field.
void Fluttuante::nuova_riga() {
    const int k = righe();
    const int top = d::campo_top + k * (d::campo_height + d::passo_righe);
    auto* testo = new QLineEdit(this);
    testo->setObjectName(QStringLiteral("Text1_%1").arg(k));
    testo->setGeometry(rettangolo(d::campo_left, top, d::campo_width, d::campo_height, dpi_));
    testo->installEventFilter(this);
    auto* etichetta = new QLabel(this);
    etichetta->setObjectName(QStringLiteral("Label1_%1").arg(k));
    etichetta->setGeometry(rettangolo(d::label_left, k == 0 ? d::label_top : top, d::label_width,
                                      d::label_height, dpi_));
    testi_.push_back(testo);
    etichette_.push_back(etichetta);
    connect(testo, &QLineEdit::textChanged, this, [this, k] { Text1_Change(k); });
    connect(testo, &QLineEdit::textEdited, this, [this, k] {
        modificato_ = true;
        scritta_ = k;
    });
}

int Fluttuante::exec() {
    if (righe() < 2) {
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

// Activation is the first showing only: the window system activating the editor again (after
// the user went to another program) must not wipe what was typed.
void Fluttuante::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (attivato_) return;
    attivato_ = true;
    Form_Activate();
}

void Fluttuante::Form_Activate() {
    if (righe() < 2) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    // The field's value read as the field itself is read: with the locale's conversion.
    double valore = 0.0;
    if (campo_attivo_) {
        valore = text::parse_number(campo_attivo_->text().toStdString(), formato_).value_or(0.0);
    }
    // Every row straight from the field's value: no row is converted from another row's
    // rounded text.
    in_conversione_ = true;
    for (int i = 0; i < righe(); ++i) {
        const double fattore_riga = fattori_[static_cast<std::size_t>(i)] / fattori_[10];
        testi_[static_cast<std::size_t>(i)]->setText(
            q(units::formatta_convertito(valore, fattore_riga, 5, formato_)));
        const bool propria = etichette_[static_cast<std::size_t>(i)]->text().compare(
                                 unita_campo_, Qt::CaseInsensitive) == 0;
        imposta_grassetto(testi_[static_cast<std::size_t>(i)], propria);
        imposta_grassetto(etichette_[static_cast<std::size_t>(i)], propria);
    }
    in_conversione_ = false;
    modificato_ = false;
    resize(pixel(larghezza_fluttuante_twips()), pixel(altezza_fluttuante_twips(righe())));
    setFixedSize(size());
    posiziona();
}

// At the mouse pointer, but never over the field it serves (then just under it, or above it
// near the screen's bottom), moved back onto the screen where it would be partly off.
void Fluttuante::posiziona() {
    QScreen* schermo = QGuiApplication::screenAt(cursore_);
    if (schermo == nullptr) schermo = parentWidget() ? parentWidget()->screen() : nullptr;
    if (schermo == nullptr) schermo = QGuiApplication::primaryScreen();
    QPoint punto = cursore_;
    if (campo_attivo_ && campo_attivo_->isVisible()) {
        const QRect campo(campo_attivo_->mapToGlobal(QPoint(0, 0)), campo_attivo_->size());
        if (QRect(punto, size()).intersects(campo)) {
            punto.setY(campo.bottom() + 3);
            if (schermo != nullptr && punto.y() + height() > schermo->availableGeometry().bottom())
                punto.setY(campo.top() - 3 - height());
        }
    }
    if (schermo != nullptr) {
        const QRect area = schermo->availableGeometry();
        punto.setX(std::max(area.left(), std::min(punto.x(), area.right() + 1 - width())));
        punto.setY(std::max(area.top(), std::min(punto.y(), area.bottom() + 1 - height())));
    }
    move(punto);
}

void Fluttuante::Text1_Change(int r) {
    if (in_conversione_) return;
    const std::string testo = testi_[static_cast<std::size_t>(r)]->text().toStdString();
    if (!text::is_number(testo, formato_)) return;
    in_conversione_ = true;
    for (int i = 0; i < righe(); ++i) {
        if (i == r) continue;
        const double fattore_riga =
            fattori_[static_cast<std::size_t>(i)] / fattori_[static_cast<std::size_t>(r)];
        testi_[static_cast<std::size_t>(i)]->setText(
            q(units::formatta_convertito(testo, fattore_riga, 5, formato_)));
    }
    in_conversione_ = false;
}

void Fluttuante::Command1_Click(int indice) {
    if (indice != 0) {
        reject();
        return;
    }
    // Confirmed without an edit: the field keeps its text exactly. A row the user typed is
    // written as typed; a converted one gets the exact conversion (15 significant digits), not
    // the rounded text its row shows.
    if (modificato_ && campo_attivo_ && scritta_ >= 0) {
        const auto fonte = static_cast<std::size_t>(scritta_);
        const auto valore = text::parse_number(testi_[fonte]->text().toStdString(), formato_);
        for (int i = 0; i < righe(); ++i) {
            const auto r = static_cast<std::size_t>(i);
            if (fattori_[r] != fattori_[10] || !valore) continue;
            const double esatto = *valore * (fattori_[r] / fattori_[fonte]);
            if (i == scritta_)
                campo_attivo_->setText(testi_[r]->text());
            else if (std::isfinite(esatto))
                campo_attivo_->setText(q(text::general(esatto, formato_)));
        }
    }
    accept();
}

bool Fluttuante::Form_KeyPress(int tasto) {
    switch (tasto) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Command1_Click(0);
            return true;
        case Qt::Key_Escape:
            Command1_Click(1);
            return true;
        default:
            return false;
    }
}

bool Fluttuante::eventFilter(QObject* oggetto, QEvent* evento) {
    // The window sees the keys before its rows and buttons do.
    if (evento->type() == QEvent::KeyPress && Form_KeyPress(static_cast<QKeyEvent*>(evento)->key()))
        return true;
    return QDialog::eventFilter(oggetto, evento);
}

void Fluttuante::keyPressEvent(QKeyEvent* evento) {
    if (!Form_KeyPress(evento->key())) QDialog::keyPressEvent(evento);
}

bool apri_fluttuante(QLineEdit* campo_attivo, const QString& unita_campo, double accelerazione_g,
                     const text::NumberFormat& formato, double dpi, QWidget* proprietario) {
    const QString prima = campo_attivo ? campo_attivo->text() : QString();
    Fluttuante editor(campo_attivo, unita_campo, accelerazione_g, formato, dpi, proprietario);
    editor.exec();
    return campo_attivo && campo_attivo->text() != prima;
}

}  // namespace tv::app
