// SPDX-License-Identifier: GPL-3.0-or-later
// The presenter's side of the local mechanisms: the kind's list, the storey table, piani, LC
// and z0 forwarded to the form; the panel-only controls hidden while a mechanism is chosen; the
// mechanism's results and their stale marking.
#include <algorithm>
#include <iterator>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>

#include "app/campi.h"
#include "app/colori.h"
#include "app/cornice_meccanismo.h"
#include "app/finestra.h"
#include "app/modello/meccanismo.h"
#include "app/presentatore.h"
#include "text/encoding.h"

namespace tv::app {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}
QColor colore(const form::Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

constexpr form::GrandezzaPiano kColonne[] = {form::GrandezzaPiano::h,  form::GrandezzaPiano::t,
                                             form::GrandezzaPiano::N,  form::GrandezzaPiano::dN,
                                             form::GrandezzaPiano::F,  form::GrandezzaPiano::catena};
constexpr const char* kNomiColonne[] = {"h", "t", "N", "dN", "F", "catena"};

// The short captions of the kinds' own fields; the tooltip gives the whole name.
struct Didascalia {
    form::CampoMeccanismo campo;
    const char* testo;
};
constexpr Didascalia kDidascalie[] = {
    {form::CampoMeccanismo::ammorsamenti, "Pareti"}, {form::CampoMeccanismo::hb, "hb"},
    {form::CampoMeccanismo::lb, "lb"},               {form::CampoMeccanismo::ts, "ts"},
    {form::CampoMeccanismo::mu, "μ"},                {form::CampoMeccanismo::beta, "β°"},
    {form::CampoMeccanismo::lati_cuneo, "Lati"},   {form::CampoMeccanismo::appoggiato, "Appoggiato"},
    {form::CampoMeccanismo::Em, "E"}};

QString didascalia(form::CampoMeccanismo c, const units::Unita& u) {
    QString t;
    for (const Didascalia& d : kDidascalie)
        if (d.campo == c) t = QString::fromUtf8(d.testo);
    const auto famiglia = form::dati_campo(c).famiglia;
    // The unit without its brackets, so that five fields fit on the line.
    if (famiglia != units::Famiglia::nessuna)
        t += QLatin1Char(' ') + q(u.etichetta(famiglia)).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    return t;
}

using form::indice;

}  // namespace

void Presentatore::collega_meccanismo() {
    ControlliMeccanismo& m = finestra_.meccanismo();
    const auto accettato = [this] {
        mostra_stato();
        ridisegna();
        emit ingresso_accettato();
    };
    connect(m.tipo(), &QComboBox::currentIndexChanged, this, [this, accettato](int i) {
        if (in_sincronia_ || i < 0 || static_cast<std::size_t>(i) >= std::size(form::kTipiVerifica))
            return;
        form_.imposta_tipo(form::kTipiVerifica[static_cast<std::size_t>(i)].tipo);
        accettato();
    });
    connect(m.piani(), &QSpinBox::valueChanged, this, [this, accettato](int n) {
        if (in_sincronia_) return;
        form_.imposta_campo_meccanismo(form::CampoMeccanismo::piani, std::to_string(n));
        accettato();
    });
    // A list writes its text into its field at once; a box as typed, accepted when left.
    const auto lista = [this, accettato](QComboBox* c, form::CampoMeccanismo campo) {
        connect(c, &QComboBox::currentIndexChanged, this, [this, accettato, c, campo](int i) {
            if (in_sincronia_ || i < 0) return;
            form_.imposta_campo_meccanismo(campo, c->itemText(i).toStdString());
            accettato();
        });
    };
    const auto casella = [this](QLineEdit* e, form::CampoMeccanismo campo) {
        connect(e, &QLineEdit::textChanged, this, [this, campo](const QString& t) {
            if (in_sincronia_) return;
            form_.imposta_campo_meccanismo(campo, t.toStdString());
            mostra_aspetto();
        });
        connect(e, &QLineEdit::editingFinished, this, [this] { emit ingresso_accettato(); });
    };
    lista(m.lc(), form::CampoMeccanismo::LC);
    lista(m.analisi(), form::CampoMeccanismo::analisi);
    casella(m.z0(), form::CampoMeccanismo::z0);
    casella(m.d_rottura(), form::CampoMeccanismo::d_rottura);
    for (std::size_t i = 0; i < ControlliMeccanismo::kPropri; ++i) {
        connect(m.proprio(i), &QLineEdit::textChanged, this, [this, i](const QString& t) {
            const auto campi = form::campi_propri(form_.stato.pannello.tipo);
            if (in_sincronia_ || i >= campi.size()) return;
            form_.imposta_campo_meccanismo(campi[i], t.toStdString());
            mostra_aspetto();
        });
        connect(m.proprio(i), &QLineEdit::editingFinished, this, [this] { emit ingresso_accettato(); });
    }
    connect(m.tabella(), &QTableWidget::cellChanged, this, [this, &m](int riga, int colonna) {
        if (in_sincronia_ || colonna < 0 || colonna >= form::kGrandezzePiano) return;
        const QTableWidgetItem* cella = m.tabella()->item(riga, colonna);
        form_.imposta_campo_meccanismo(
            form::campo_piano(kColonne[colonna], riga + 1),
            text::trim(cella ? cella->text().toStdString() : std::string()));
        mostra_aspetto();
        emit ingresso_accettato();
    });
}

void Presentatore::mostra_meccanismo() {
    const form::StatoFinestra& s = form_.stato;
    ControlliMeccanismo& m = finestra_.meccanismo();
    const bool meccanismo = form::e_meccanismo(s.pannello.tipo);
    m.tipo()->setCurrentIndex(static_cast<int>(s.pannello.tipo));

    // Frame1: the sketch, the restraints and the panel's own inputs give way to the storeys;
    // B, γ and H stay, B in the place of t, which a mechanism does not read.
    QGroupBox* frame1 = finestra_.frame(1);
    const QWidget* restano[] = {finestra_.campo(indice(form::Campo::B)), finestra_.label1(18),
                                finestra_.campo(indice(form::Campo::gamma)), finestra_.label1(21),
                                finestra_.label1(23), finestra_.campo(indice(form::Campo::H)),
                                finestra_.label1(25), m.tipo(), m.ingressi(),
                                m.scelta_analisi()};
    for (QWidget* w : frame1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (std::find(std::begin(restano), std::end(restano), w) != std::end(restano)) continue;
        if (w->objectName() == QStringLiteral("LabelTipo")) continue;
        w->setVisible(!meccanismo);
    }
    m.ingressi()->setVisible(meccanismo);
    m.scelta_analisi()->setVisible(meccanismo);
    const auto& pos_B = meccanismo ? campi()[indice(form::Campo::t)].pos
                                   : campi()[indice(form::Campo::B)].pos;
    const auto& pos_etichetta_B = meccanismo ? etichette1()[20].pos : etichette1()[18].pos;
    finestra_.campo(indice(form::Campo::B))->setGeometry(finestra_.rettangolo(pos_B));
    finestra_.label1(18)->setGeometry(finestra_.rettangolo(pos_etichetta_B));
    finestra_.label1(18)->setAlignment(meccanismo ? Qt::AlignRight | Qt::AlignVCenter
                                                  : Qt::AlignHCenter | Qt::AlignVCenter);
    frame1->setTitle(meccanismo ? QStringLiteral("DATI PARETE")
                                : QString::fromUtf8(frames()[0].titolo));

    // Frame2 keeps its formula and C7.2.5's fields; Sa and Fa are the panel's.
    finestra_.image(2)->setVisible(!meccanismo);
    for (form::Campo c : {form::Campo::Sa, form::Campo::Fa})
        finestra_.campo(indice(c))->setVisible(!meccanismo);
    for (int l : {6, 7, 26}) finestra_.label1(l)->setVisible(!meccanismo);
    // The window: α, qa, Ss and S belong to the panel's run; PVR too, the mechanisms being
    // checked at SLD and SLV.
    for (form::Campo c : {form::Campo::ag, form::Campo::qa, form::Campo::PVR})
        finestra_.campo(indice(c))->setVisible(!meccanismo);
    for (int l : {0, 1, 3, 9, 14}) finestra_.label1(l)->setVisible(!meccanismo);
    for (int l : {0, 1}) finestra_.label2(l)->setVisible(!meccanismo);
    if (meccanismo) finestra_.label5()->clear();
    finestra_.frame(3)->setVisible(!meccanismo);
    m.risultati()->setVisible(meccanismo);
    m.risultati()->setTitle(QString::fromUtf8(form::descrizione_tipo(s.pannello.tipo).titolo.data(),
                                              static_cast<qsizetype>(form::descrizione_tipo(s.pannello.tipo).titolo.size())));

    // The storey table: one row a storey, the job's work units in the captions.
    const int piani = form::piani_mostrati(s, form_.formato());
    m.piani()->setValue(piani);
    QTableWidget* t = m.tabella();
    t->setRowCount(piani);
    for (int c = 0; c < form::kGrandezzePiano; ++c) {
        const auto famiglia = form::dati_campo(form::campo_piano(kColonne[c], 1)).famiglia;
        const QString titolo = QString::fromUtf8(kNomiColonne[c]) + QLatin1Char('\n') +
                               q(form_.unita().etichetta(famiglia));
        if (!t->horizontalHeaderItem(c) || t->horizontalHeaderItem(c)->text() != titolo)
            t->setHorizontalHeaderItem(c, new QTableWidgetItem(titolo));
        for (int r = 0; r < piani; ++r) {
            const QString testo = q(s.pannello.meccanismo[form::posizione(form::campo_piano(kColonne[c], r + 1))]);
            QTableWidgetItem* cella = t->item(r, c);
            if (!cella) {
                cella = new QTableWidgetItem(testo);
                cella->setTextAlignment(Qt::AlignCenter);
                t->setItem(r, c, cella);
            } else if (cella->text() != testo) {
                cella->setText(testo);
            }
        }
    }
    m.lc()->setCurrentIndex(m.lc()->findText(q(text::trim(s.pannello.meccanismo[form::posizione(form::CampoMeccanismo::LC)]))));
    m.etichetta_z0()->setText(QStringLiteral("z0 ") +
                              q(form_.unita().etichetta(form::dati_campo(form::CampoMeccanismo::z0).famiglia)));
    const QString z0 = q(s.pannello.meccanismo[form::posizione(form::CampoMeccanismo::z0)]);
    if (m.z0()->text() != z0) m.z0()->setText(z0);
    // The analysis: an unreadable text shows as linear in the list and is refused at AGGIORNA.
    const std::string& analisi = s.pannello.meccanismo[form::posizione(form::CampoMeccanismo::analisi)];
    const bool non_lineare = form::analisi_non_lineare(analisi).value_or(false);
    m.analisi()->setCurrentIndex(non_lineare ? 1 : 0);
    m.etichetta_d_rottura()->setText(QStringLiteral("d rottura ") +
                                     q(form_.unita().etichetta(form::dati_campo(form::CampoMeccanismo::d_rottura).famiglia)));
    const QString d_rottura = q(s.pannello.meccanismo[form::posizione(form::CampoMeccanismo::d_rottura)]);
    if (m.d_rottura()->text() != d_rottura) m.d_rottura()->setText(d_rottura);
    m.d_rottura()->setEnabled(non_lineare);
    m.etichetta_d_rottura()->setEnabled(non_lineare);
    m.disponi(non_lineare);

    // The kind's own fields side by side, each caption as wide as its text.
    const auto propri = form::campi_propri(s.pannello.tipo);
    const int largo = finestra_.rettangolo({0, 0, 540, 315}).width();
    const int spazio = finestra_.rettangolo({0, 0, 45, 315}).width();
    int x = 0;
    for (std::size_t i = 0; i < ControlliMeccanismo::kPropri; ++i) {
        const bool usato = i < propri.size();
        QLabel* etichetta = m.etichetta_propria(i);
        etichetta->setVisible(usato);
        m.proprio(i)->setVisible(usato);
        if (!usato) continue;
        etichetta->setText(didascalia(propri[i], form_.unita()));
        const int l = etichetta->sizeHint().width();
        etichetta->setGeometry(x, etichetta->y(), l, etichetta->height());
        m.proprio(i)->setGeometry(x + l + spazio, m.proprio(i)->y(), largo, m.proprio(i)->height());
        x += l + largo + 3 * spazio;
        m.proprio(i)->setToolTip(q(form::dati_campo(propri[i]).esteso));
        const QString testo = q(s.pannello.meccanismo[form::posizione(propri[i])]);
        if (m.proprio(i)->text() != testo) m.proprio(i)->setText(testo);
    }

    // The last completed run's results.
    const form::TestiEsitoMeccanismo& e = s.esito_meccanismo;
    m.governante()->setText(e.governante.empty() ? QString()
                                                 : QStringLiteral("Meccanismo che governa: ") + q(e.governante));
    m.pericolosita()->setText(q(e.pericolosita));
    for (std::size_t i = 0; i < e.valori.size(); ++i) m.valore(i)->setText(q(e.valori[i]));
    for (std::size_t i = 0; i < e.valori_SLC.size(); ++i) {
        m.valore_SLC(i)->setText(q(e.valori_SLC[i]));
        m.valore_SLC(i)->setToolTip(q(e.pericolosita_SLC));
    }
    const QString nl = e.non_lineare ? QStringLiteral("analisi non lineare (C8.7.1.2.1.8)") : QString();
    for (std::size_t i : {std::size_t{4}, std::size_t{5}}) m.valore(i)->setToolTip(nl);
    QStringList altri;
    for (const auto& a : e.altri) altri << q(a);
    m.altri()->clear();
    m.altri()->addItems(altri);
}

void Presentatore::mostra_aspetto_meccanismo(const form::AspettoRisultati& a) {
    ControlliMeccanismo& m = finestra_.meccanismo();
    const QColor testo = colore(a.testo);
    for (std::size_t i = 0; i < form::kVociMeccanismo.size(); ++i) set_text_color(m.valore(i), testo);
    for (std::size_t i = 0; i < form::kVociNonLineare.size(); ++i) set_text_color(m.valore_SLC(i), testo);
    for (QWidget* w : {static_cast<QWidget*>(m.governante()), static_cast<QWidget*>(m.pericolosita()),
                       static_cast<QWidget*>(m.altri())})
        set_text_color(w, testo);
    m.verdetto_SLV()->setText(q(a.label28));
    set_text_color(m.verdetto_SLV(), colore(a.label28_testo));
    const bool scaduti = form_.risultati_scaduti();
    const form::TestiEsitoMeccanismo& e = form_.stato.esito_meccanismo;
    m.verdetto_SLD()->setText(scaduti ? QString() : q(e.verdetto_SLD));
    set_text_color(m.verdetto_SLD(), colore(e.colore_SLD));
    m.verdetto_SLC()->setText(scaduti ? QString() : q(e.verdetto_SLC));
    set_text_color(m.verdetto_SLC(), colore(e.colore_SLC));
}

}  // namespace tv::app
