// SPDX-License-Identifier: GPL-3.0-or-later
// Event wiring of the main window: validation when the focus leaves a field, toggles, the
// locality search, "AGGIORNA" and the keys, and the mirror of the form's state on the widgets.
#include "app/presentatore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include "app/campi.h"
#include "app/colori.h"
#include "app/finestra.h"
#include "app/formula.h"
#include "form/ultimo_lavoro.h"
#include "text/error.h"
#include "form/testi.h"

namespace tv::app {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}
QColor colore(const form::Rgb& c) {
    return QColor(c.r, c.g, c.b);
}
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The caret goes to the start so that a narrow field shows the first digits of a long number,
// not its tail.
void imposta_testo(QLineEdit* e, const std::string& testo) {
    const QString t = q(testo);
    if (e->text() == t) return;
    e->setText(t);
    e->setCursorPosition(0);
}

// The control a click on `w` would give the focus to: the first enabled ancestor that takes
// the focus by click; null when the click moves no focus (labels, frames, the background).
QWidget* prende_il_focus(QWidget* w) {
    for (; w != nullptr && !w->isWindow(); w = w->parentWidget())
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) return w;
    return nullptr;
}

}  // namespace

text::NumberFormat formato_locale() {
    const QLocale locale;
    return text::NumberFormat{locale.decimalPoint().toStdString(),
                              locale.groupSeparator().toStdString()};
}

std::string testo_label4(const form::Form1& form) {
    if (form.stato.sito_iniziale) return form::kSitoInizialeBreve;
    // A mechanism's hazard at its two limit states is in its own frame.
    if (form::e_meccanismo(form.stato.pannello.tipo)) return {};
    if (!form.stato.fonte.empty()) return form.stato.fonte;
    if (!form.risultato) return {};
    const form::AzioneSito& a = form.risultato->azione;
    const text::NumberFormat& f = form.formato();
    return "TR " + text::fixed(a.TR, 0, f) + " anni · F0 " + text::fixed(a.F0, 3, f) + " · Tc* " +
           text::fixed(a.Tc, 3, f) + " s";
}

Presentatore::Presentatore(FinestraPrincipale& finestra, form::Form1& form, QObject* parent)
    : QObject(parent), finestra_(finestra), form_(form), sincronia_(*this, form.messaggi()) {
    form_.imposta_messaggi(sincronia_);
    form_.imposta_nota_notazione(true);
    collega();
    qApp->installEventFilter(this);
}

Presentatore::~Presentatore() {
    qApp->removeEventFilter(this);
    form_.imposta_messaggi(sincronia_.inoltro);
    form_.imposta_nota_notazione(false);
}

void Presentatore::Sincronia::mostra(const form::Messaggio& m) {
    // A handler's changes (a toggle's caption and line) show before its message, not after.
    if (!presentatore.in_sincronia_) presentatore.mostra_stato();
    inoltro.mostra(m);
}

bool Presentatore::avvia(const QStringList& argomenti, const QString& cartella_corrente) {
    std::vector<std::string> args;
    for (const QString& a : argomenti) args.push_back(a.toStdString());
    // The job last opened in this suite, from the user's settings; else the suite's own.
    std::optional<std::string> ultimo;
    std::filesystem::path root;
    const auto impostazioni = form::file_ultimi_lavori();
    try {
        root = form::trova_root(args, cartella_corrente.toStdString());
        if (impostazioni) ultimo = form::ultimo_lavoro(*impostazioni, root);
    } catch (const Failure&) {
        // Form_Load says what is wrong with the arguments.
    }
    const bool ok = ultimo ? form_.avvia(root, ultimo)
                           : form_.Form_Load(args, cartella_corrente.toStdString());
    if (!ok) return false;
    if (impostazioni) form::ricorda_lavoro(*impostazioni, root, form_.cartelle().nome_lavoro);
    // Every control white with black text; the buttons keep their native look.
    colora_tutto(&finestra_, Qt::white, Qt::black);
    mostra_stato();
    ridisegna();
    return true;
}

bool Presentatore::apri_lavoro(const std::string& nome) {
    form::Form1 nuovo(form_.messaggi(), form_.formato());
    nuovo.imposta_fonte_griglia(form_.fonte_griglia());
    nuovo.imposta_nota_notazione(true);
    if (!nuovo.avvia(form_.cartelle().dir_root, nome)) return false;
    form_ = std::move(nuovo);
    if (const auto impostazioni = form::file_ultimi_lavori())
        form::ricorda_lavoro(*impostazioni, form_.cartelle().dir_root, nome);
    mostra_stato();
    ridisegna();
    return true;
}

void Presentatore::collega() {
    // The fields' events reach eventFilter through the application-wide filter alone: a second
    // filter on each field would run every handler twice (two editors for one double-click).
    for (const form::DatiCampoForm& d : form::kTabellaCampi) {
        QLineEdit* campo = finestra_.campo(form::indice(d.campo));
        connect(campo, &QLineEdit::textChanged, this, [this, c = d.campo](const QString& testo) {
            if (in_sincronia_) return;
            // Every change, the floating editor's write-back included, marks the results at once.
            form_.stato.pannello.testi[c] = testo.toStdString();
            mostra_aspetto();
            mostra_scelte();
        });
    }
    for (int i = 0; i < 4; ++i) {
        connect(finestra_.check(i), &QCheckBox::toggled, this,
                [this, i](bool valore) { check_cambiato(i, valore); });
    }
    connect(finestra_.combo1(), &QLineEdit::textChanged, this, [this](const QString& testo) {
        if (in_sincronia_) return;
        form_.imposta_testo_combo(testo.toStdString());
        mostra_stato();
    });
    // A pick by mouse or by the arrow keys; a click on the line already current picks it again.
    connect(finestra_.combo1_list(), &QListWidget::currentRowChanged, this, &Presentatore::scegli);
    connect(finestra_.combo1_list(), &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { scegli(finestra_.combo1_list()->row(item)); });
    connect(finestra_.command(1), &QPushButton::clicked, this, [this] { aggiorna(); });
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), &finestra_);
    connect(f5, &QShortcut::activated, this, &Presentatore::aggiorna_da_tasto);
    connect(finestra_.combo2(), &QComboBox::currentIndexChanged, this, [this](int indice) {
        if (in_sincronia_ || indice < 0) return;
        if (static_cast<std::size_t>(indice) >= panel::kFormule.size()) return;
        form_.stato.pannello.formula = panel::kFormule[static_cast<std::size_t>(indice)].formula;
        mostra_stato();
        ridisegna();
        emit ingresso_accettato();
    });
    connect(finestra_.combo_datum(), &QComboBox::currentIndexChanged, this, [this](int indice) {
        if (in_sincronia_ || indice < 0) return;
        // The entries are the datums' names.
        const auto datum =
            hazard::datum_di_testo(finestra_.combo_datum()->itemText(indice).toStdString());
        if (!datum) return;
        form_.stato.pannello.datum = *datum;
        mostra_stato();
        ridisegna();
        emit ingresso_accettato();
    });
    collega_meccanismo();
    collega_scelte();
}

bool Presentatore::aggiorna() {
    const bool ok = form_.Command1_Click(0);
    mostra_stato();
    if (const auto c = form_.campo_rifiutato(); !ok && c) finestra_.campo(form::indice(*c))->setFocus();
    ridisegna();
    emit ingresso_accettato();
    return ok;
}

bool Presentatore::aggiorna_se_scaduti() {
    return !form_.risultati_scaduti() || aggiorna();
}

void Presentatore::scegli(int riga) {
    if (in_sincronia_ || riga < 0) return;
    form_.Combo1_Click(riga);
    mostra_stato();
    emit ingresso_accettato();
}

bool Presentatore::convalida_campo_attivo() {
    const int indice = indice_campo(finestra_.focusWidget());
    return indice < 0 || convalida(indice);
}

void Presentatore::aggiorna_da_tasto() {
    if (convalida_campo_attivo()) aggiorna();
}

bool Presentatore::tasto(QObject* oggetto, const QKeyEvent& k) {
    const bool invio = k.key() == Qt::Key_Return || k.key() == Qt::Key_Enter;
    if ((k.modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) != Qt::NoModifier)
        return false;
    QListWidget* lista = finestra_.combo1_list();
    if (invio && indice_campo(oggetto) >= 0) {
        aggiorna_da_tasto();
        return true;
    }
    if (oggetto == finestra_.combo1() && k.key() == Qt::Key_Down && lista->count() > 0) {
        lista->setFocus(Qt::TabFocusReason);
        if (lista->currentRow() < 0) lista->setCurrentRow(0);
        return true;
    }
    if (oggetto == finestra_.combo1() && k.key() == Qt::Key_Escape) {
        finestra_.combo1()->clear();
        return true;
    }
    if (invio && oggetto == lista && lista->currentRow() >= 0) {
        scegli(lista->currentRow());
        return true;
    }
    return false;
}

void Presentatore::check_cambiato(int indice, bool valore) {
    if (in_sincronia_) return;
    form_.imposta_check(indice, valore);
    mostra_stato();
    finestra_.command(1)->setFocus();
    ridisegna();
    emit ingresso_accettato();
}

// Repaints now without handling queued input, so that a second click cannot run inside a run.
void Presentatore::ridisegna() {
    finestra_.repaint();
}

void Presentatore::mostra_stato() {
    in_sincronia_ = true;
    const auto& s = form_.stato;
    for (const form::DatiCampoForm& d : form::kTabellaCampi)
        imposta_testo(finestra_.campo(form::indice(d.campo)), s.pannello.testi[d.campo]);
    mostra_scelte();
    for (int i = 0; i < form::kLabel1; ++i)
        finestra_.label1(i)->setText(q(s.label1[static_cast<std::size_t>(i)]));
    finestra_.label2(0)->setText(q(s.label2_0));
    finestra_.label2(1)->setText(q(s.label2_1));
    finestra_.label2(6)->setText(q(s.label2_6));
    finestra_.label3()->setText(q(s.label3));
    for (int i = 0; i < form::kLati; ++i) {
        QCheckBox* c = finestra_.check(i);
        c->setChecked(form::appoggiato(s.pannello.vincoli, static_cast<form::Lato>(i)));
        c->setText(q(s.check1_caption[static_cast<std::size_t>(i)]));
    }
    for (int n = 1; n <= 6; ++n)
        finestra_.linea(n)->imposta_larghezza(s.line_width[static_cast<std::size_t>(n - 1)]);
    mostra_aspetto();
    // The verdict reads as the unit of the resistance: right of its field.
    constexpr int Rlat = form::indice(form::Campo::Rlat);
    const Posizione& pos = campi()[Rlat].pos;
    finestra_.sposta_left(finestra_.label1(static_cast<int>(form::kLabelVerdetto)),
                          pos.left + pos.width + 50);

    // The demand formula: the list, its frame's caption and Image1's picture.
    const panel::DescrizioneFormula& formula = panel::descrizione(s.pannello.formula);
    finestra_.combo2()->setCurrentIndex(static_cast<int>(s.pannello.formula));
    finestra_.combo_datum()->setCurrentIndex(finestra_.combo_datum()->findText(
        QString::fromUtf8(hazard::nomi_datum(s.pannello.datum).nome)));
    finestra_.combo2()->setToolTip(qs(formula.completo));
    finestra_.frame(2)->setTitle(qs(formula.titolo));
    finestra_.image(1)->imposta_risorsa(QString::fromUtf8(immagine_formula(s.pannello.formula)));
    finestra_.image(1)->setToolTip(legenda_formula(s.pannello.formula));
    // A formula's own fields and their captions show only while it is chosen.
    for (const form::DatiCampoForm& d : form::kTabellaCampi) {
        if (!d.formula) continue;
        const bool visibile = *d.formula == s.pannello.formula;
        finestra_.campo(form::indice(d.campo))->setVisible(visibile);
        if (d.etichetta >= 0) finestra_.label1(d.etichetta)->setVisible(visibile);
    }
    // The resistance: the arch's frame, or the cantilever's caption and pictures.
    const bool mensola = panel::e_mensola(s.pannello.vincoli);
    finestra_.frame(3)->setTitle(QString::fromUtf8(mensola ? titolo_mensola : frames()[2].titolo));
    for (int i = 0; i < 2; ++i)
        finestra_.image(3 + i)->imposta_risorsa(QString::fromUtf8(
            mensola ? immagini_mensola[static_cast<std::size_t>(i)] : immagini()[2 + i].risorsa));
    // The hazard behind α: the grey caption and a line of α's tooltip; the initial-site notice
    // comes before anything else there, its whole text in the caption's tooltip.
    const QString fonte = q(testo_label4(form_));
    finestra_.label4()->setText(fonte);
    finestra_.label4()->setToolTip(s.sito_iniziale ? QString::fromUtf8(form::kSitoIniziale)
                                                   : QString());
    set_text_color(finestra_.label4(), colore(grigio_fonte));
    // The plausibility warnings: the first on the line, all of them in its tooltip.
    QStringList avvisi;
    for (const auto& a : s.avvisi) avvisi << q(a);
    finestra_.label5()->setText(avvisi.isEmpty() ? QString() : avvisi.front());
    finestra_.label5()->setToolTip(avvisi.join(QLatin1Char('\n')));
    set_text_color(finestra_.label5(), colore(grigio_fonte));
    // The VR label says when the least reference life was used.
    finestra_.label2(6)->setToolTip(s.nota_VR.empty() ? QString::fromUtf8(etichette2()[2].tooltip)
                                                      : q(s.nota_VR));
    constexpr int ag = form::indice(form::Campo::ag);
    const QString tooltip = QString::fromUtf8(campi()[ag].tooltip);
    finestra_.campo(ag)->setToolTip(fonte.isEmpty() ? tooltip : tooltip + "\n" + fonte);

    imposta_testo(finestra_.combo1(), s.combo_text);
    QListWidget* lista = finestra_.combo1_list();
    QStringList righe;
    for (const auto& r : s.combo_list) righe << q(r);
    QStringList attuali;
    for (int i = 0; i < lista->count(); ++i) attuali << lista->item(i)->text();
    if (attuali != righe) {
        lista->clear();
        lista->addItems(righe);
    }
    mostra_meccanismo();
    in_sincronia_ = false;
}

void Presentatore::mostra_aspetto() {
    const form::AspettoRisultati a = form_.aspetto();
    const QColor testo = colore(a.testo);
    for (form::Campo c : form::kCampiRisultato)
        set_text_color(finestra_.campo(form::indice(c)), testo);
    for (std::size_t l : form::kLabel1Risultato)
        set_text_color(finestra_.label1(static_cast<int>(l)), testo);
    for (int l : {0, 1, 6}) set_text_color(finestra_.label2(l), testo);
    set_text_color(finestra_.label3(), testo);

    constexpr int Rlat = form::indice(form::Campo::Rlat);
    QLabel* verdetto = finestra_.label1(static_cast<int>(form::kLabelVerdetto));
    set_background(finestra_.campo(Rlat), colore(a.text22_sfondo));
    set_text_color(verdetto, colore(a.label28_testo));
    verdetto->setText(q(a.label28));
    set_background(finestra_.label1(static_cast<int>(form::kLabelCritica)),
                   colore(a.label34_sfondo));
    finestra_.campo(Rlat)->setToolTip(
        QString::fromUtf8(a.tooltip22 ? a.tooltip22->c_str() : campi()[Rlat].tooltip));
    mostra_aspetto_meccanismo(a);
}

int Presentatore::indice_campo(const QObject* oggetto) const {
    for (int i = 0; i < form::kCampi; ++i)
        if (finestra_.campo(i) == oggetto) return i;
    return -1;
}

bool Presentatore::convalida(int indice) {
    if (in_convalida_) return true;
    in_convalida_ = true;
    const bool rifiutato = form_.Text1_Validate(indice);
    in_convalida_ = false;
    // Degrees, minutes and seconds come back as decimal degrees.
    if (!rifiutato) {
        in_sincronia_ = true;
        if (const auto c = form::campo_di_indice(indice))
            imposta_testo(finestra_.campo(indice), form_.stato.pannello.testi[*c]);
        in_sincronia_ = false;
        emit ingresso_accettato();
    }
    if (rifiutato) {
        // The window takes the focus back itself: without a window manager nobody else does.
        finestra_.activateWindow();
        finestra_.campo(indice)->setFocus();
    }
    return !rifiutato;
}

bool Presentatore::convalida_prima_di(QWidget* destinazione) {
    if (campo_corrente_ < 0 || in_convalida_) return true;
    QLineEdit* campo = finestra_.campo(campo_corrente_);
    // The window's own focus widget: it stays the field while a message box, or the lack of a
    // window manager, keeps the window inactive.
    if (finestra_.focusWidget() != campo) return true;
    if (destinazione == campo || campo->isAncestorOf(destinazione)) return true;
    if (destinazione == nullptr || destinazione->window() != &finestra_) return true;
    return convalida(campo_corrente_);
}

bool Presentatore::eventFilter(QObject* oggetto, QEvent* evento) {
    const int indice = indice_campo(oggetto);
    // Qt's event types are an open set: only these few are handled here.
    switch (static_cast<int>(evento->type())) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // A click elsewhere in the window while a field holds a refused text only shows
            // the message: the click is swallowed at the window, before the focus moves.
            if (oggetto->isWindowType() && oggetto == finestra_.windowHandle()) {
                auto* m = static_cast<QMouseEvent*>(evento);
                QWidget* w = prende_il_focus(finestra_.childAt(m->position().toPoint()));
                if (w != nullptr && !convalida_prima_di(w)) return true;
            }
            if (indice >= 0 && evento->type() == QEvent::MouseButtonDblClick &&
                form_.Text1_DblClick(indice))
                emit editor_richiesto(indice);
            break;
        }
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(evento);
            if (tasto(oggetto, *k)) return true;
            if (indice >= 0 && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
                !convalida(indice))
                return true;
            break;
        }
        case QEvent::FocusIn:
            if (indice >= 0) {
                campo_corrente_ = indice;
                if (indice == 18) ridisegna();
            }
            break;
        case QEvent::FocusOut: {
            auto* f = static_cast<QFocusEvent*>(evento);
            // Leaving for another control shows the field's start again; a message box or
            // another program taking the focus leaves the caret where the user put it.
            if (indice >= 0 && f->reason() != Qt::ActiveWindowFocusReason &&
                f->reason() != Qt::PopupFocusReason)
                finestra_.campo(indice)->setCursorPosition(0);
            // Leaving for another control of the window validates; losing the focus to another
            // program or to the message box itself does not.
            if (indice >= 0 && !in_convalida_ && f->reason() != Qt::ActiveWindowFocusReason &&
                f->reason() != Qt::PopupFocusReason && f->reason() != Qt::TabFocusReason &&
                f->reason() != Qt::BacktabFocusReason && f->reason() != Qt::MouseFocusReason) {
                QTimer::singleShot(0, this, [this, indice] {
                    QWidget* ora = QApplication::focusWidget();
                    if (ora && ora->window() == &finestra_ && ora != finestra_.campo(indice))
                        convalida(indice);
                });
            }
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(oggetto, evento);
}

}  // namespace tv::app
