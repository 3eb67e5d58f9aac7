// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of the local-mechanism controls, placed in twips as the design table places the
// others so that the zoom scales them alike.
#include "app/cornice_meccanismo.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>

#include "app/caratteri.h"
#include "app/cornice.h"
#include "app/finestra.h"
#include "form/verifica_meccanismo.h"
#include "panel/meccanismi.h"

namespace tv::app {

namespace {

constexpr Carattere tahoma8 = {"Tahoma", 8.25, false, false};
constexpr Carattere tahoma9 = {"Tahoma", 9.0, false, false};
constexpr int alto = 315;

QString utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QLabel* etichetta(const FinestraPrincipale& f, QWidget* dove, const QString& testo,
                  const Posizione& pos, Qt::Alignment a = Qt::AlignRight | Qt::AlignVCenter) {
    auto* l = new QLabel(testo, dove);
    l->setTextFormat(Qt::PlainText);
    l->setFont(crea_font(tahoma8));
    l->setAlignment(a);
    l->setGeometry(f.rettangolo(pos));
    return l;
}

}  // namespace

ControlliMeccanismo::ControlliMeccanismo(FinestraPrincipale& f) : QObject(&f), finestra_(f) {
    QWidget* frame1 = f.frame(1);
    // The kind's list, top right of Frame1, where no panel control lies.
    etichetta(f, frame1, QStringLiteral("Verifica"), {5340, 300, 1320, alto})
        ->setObjectName(QStringLiteral("LabelTipo"));
    tipo_ = new QComboBox(frame1);
    tipo_->setObjectName(QStringLiteral("ComboTipo"));
    tipo_->setFont(crea_font(tahoma8));
    for (const auto& d : form::kTipiVerifica) tipo_->addItem(utf8(d.titolo));
    tipo_->setToolTip(QStringLiteral("Il tipo di verifica: il pannello ad arco o a mensola, o un "
                                     "meccanismo locale di una parete esistente (C8.7.1)"));
    tipo_->setGeometry(f.rettangolo({6720, 300, 3135, alto}));

    // The storeys over the sketch: piani, LC and z0 on a line, the table under them.
    ingressi_ = new QWidget(frame1);
    ingressi_->setObjectName(QStringLiteral("IngressiMeccanismo"));
    ingressi_->setGeometry(f.rettangolo({90, 270, 5160, 2700}));
    etichetta(f, ingressi_, QStringLiteral("Piani"), {0, 0, 540, alto});
    piani_ = new QSpinBox(ingressi_);
    piani_->setObjectName(QStringLiteral("SpinPiani"));
    piani_->setFont(crea_font(tahoma9));
    piani_->setRange(1, panel::kPianiMassimi);
    piani_->setToolTip(QStringLiteral("Numero dei piani della parete, contati dal basso"));
    piani_->setGeometry(f.rettangolo({600, 0, 660, alto}));
    etichetta(f, ingressi_, QStringLiteral("LC"), {1380, 0, 360, alto});
    lc_ = new QComboBox(ingressi_);
    lc_->setObjectName(QStringLiteral("ComboLC"));
    lc_->setFont(crea_font(tahoma8));
    lc_->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    lc_->setToolTip(QStringLiteral("Livello di conoscenza (C8.5.4): FC 1,35, 1,20 e 1,00"));
    lc_->setGeometry(f.rettangolo({1800, 0, 660, alto}));
    etichetta_z0_ = etichetta(f, ingressi_, QStringLiteral("z0"), {2580, 0, 1140, alto});
    z0_ = new QLineEdit(ingressi_);
    z0_->setObjectName(QStringLiteral("TextZ0"));
    z0_->setFont(crea_font(tahoma9));
    z0_->setAlignment(Qt::AlignCenter);
    z0_->setToolTip(QStringLiteral("Quota della base della parete sopra la fondazione"));
    z0_->setGeometry(f.rettangolo({3780, 0, 855, alto}));

    tabella_ = new QTableWidget(1, form::kGrandezzePiano, ingressi_);
    tabella_->setObjectName(QStringLiteral("TabellaPiani"));
    tabella_->setFont(crea_font(tahoma8));
    tabella_->horizontalHeader()->setFont(crea_font(tahoma8));
    tabella_->verticalHeader()->setFont(crea_font(tahoma8));
    tabella_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tabella_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabella_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tabella_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tabella_->setToolTip(QStringLiteral(
        "Un piano una riga, dal basso: altezza h, spessore t, carico del solaio N alla distanza "
        "dN dal filo esterno, spinta F verso l'esterno e tiro della catena, in testa al piano"));
    tabella_->setGeometry(f.rettangolo({0, 390, 5160, 1950}));
    // The kind's own fields on one line under the table, a caption and a box a slot.
    for (std::size_t i = 0; i < kPropri; ++i) {
        const int x = static_cast<int>(i) * 1032;
        etichette_proprie_[i] = etichetta(f, ingressi_, {}, {x, 2385, 560, alto});
        propri_[i] = new QLineEdit(ingressi_);
        propri_[i]->setObjectName(QStringLiteral("TextProprio_%1").arg(i));
        propri_[i]->setFont(crea_font(tahoma8));
        propri_[i]->setAlignment(Qt::AlignCenter);
        propri_[i]->setGeometry(f.rettangolo({x + 590, 2385, 440, alto}));
    }

    // The analysis and where the ties break, in the rows of fd and E, which a mechanism hides.
    scelta_analisi_ = new QWidget(frame1);
    scelta_analisi_->setObjectName(QStringLiteral("SceltaAnalisi"));
    scelta_analisi_->setGeometry(f.rettangolo({5340, 1770, 3600, 720}));
    etichetta(f, scelta_analisi_, QStringLiteral("Analisi"), {0, 0, 1260, alto});
    analisi_ = new QComboBox(scelta_analisi_);
    analisi_->setObjectName(QStringLiteral("ComboAnalisi"));
    analisi_->setFont(crea_font(tahoma8));
    analisi_->addItems({QString::fromUtf8(form::kAnalisiLineare), QString::fromUtf8(form::kAnalisiNonLineare)});
    analisi_->setToolTip(QStringLiteral("Analisi cinematica lineare (C8.7.1.2.1.7) o non lineare, "
                                        "con la curva di capacità (C8.7.1.2.1.8)"));
    analisi_->setGeometry(f.rettangolo({1380, 0, 1500, alto}));
    etichetta_d_rottura_ = etichetta(f, scelta_analisi_, {}, {0, 405, 1260, alto});
    d_rottura_ = new QLineEdit(scelta_analisi_);
    d_rottura_->setObjectName(QStringLiteral("TextDRottura"));
    d_rottura_->setFont(crea_font(tahoma9));
    d_rottura_->setAlignment(Qt::AlignCenter);
    d_rottura_->setToolTip(QString::fromStdString(form::dati_campo(form::CampoMeccanismo::d_rottura).esteso));
    d_rottura_->setGeometry(f.rettangolo({1380, 405, 855, alto}));
    scelta_analisi_->hide();

    // The results where the arch's frame stands, which a mechanism hides.
    Carattere titolo = carattere_sans_serif;
    titolo.grassetto = true;
    risultati_ = new CorniceWidget(QString(), &f);
    risultati_->setObjectName(QStringLiteral("FrameMeccanismo"));
    risultati_->setFont(crea_font(titolo));
    risultati_->setGeometry(f.frame(3)->geometry());
    governante_ = etichetta(f, risultati_, {}, {120, 240, 5880, 255}, Qt::AlignLeft | Qt::AlignVCenter);
    pericolosita_ = etichetta(f, risultati_, {}, {120, 510, 5880, 255}, Qt::AlignLeft | Qt::AlignVCenter);
    for (std::size_t i = 0; i < valori_.size() + valori_SLC_.size(); ++i) {
        const bool SLC = i >= valori_.size();
        const std::size_t k = SLC ? i - valori_.size() : i;
        QLineEdit* v = new QLineEdit(risultati_);
        v->setObjectName(SLC ? QStringLiteral("TextNonLineare_%1").arg(k) : QStringLiteral("TextMeccanismo_%1").arg(k));
        v->setReadOnly(true);
        v->setFont(crea_font(tahoma9));
        v->setAlignment(Qt::AlignCenter);
        QLabel* l = etichetta(f, risultati_,
                              QString::fromUtf8(SLC ? form::kVociNonLineare[k] : form::kVociMeccanismo[k]) + " =", {});
        (SLC ? valori_SLC_.at(k) : valori_.at(k)) = v;
        (SLC ? voci_SLC_.at(k) : voci_.at(k)) = l;
    }
    const auto riga = [&](const QString& testo) {
        return etichetta(f, risultati_, testo, {}, Qt::AlignLeft | Qt::AlignVCenter);
    };
    didascalia_SLV_ = riga(QStringLiteral("Verifica SLV:"));
    didascalia_SLD_ = riga(QStringLiteral("Verifica SLD:"));
    didascalia_SLC_ = riga(QStringLiteral("Verifica SLC:"));
    verdetto_SLV_ = riga({});
    verdetto_SLD_ = riga({});
    verdetto_SLC_ = riga({});
    nota_SLD_ = riga(QStringLiteral("(%1)").arg(QString::fromUtf8(form::kNotaSLD)));
    for (QLabel* v : {verdetto_SLV_, verdetto_SLD_, verdetto_SLC_})
        v->setFont(crea_font({"Tahoma", 9.0, true, false}));
    altri_ = new QListWidget(risultati_);
    altri_->setObjectName(QStringLiteral("ListaMeccanismi"));
    altri_->setFont(crea_font(tahoma8));
    altri_->setToolTip(QStringLiteral("Gli altri meccanismi verificati, per piano"));
    disponi(false);

    ingressi_->hide();
    risultati_->hide();
}

void ControlliMeccanismo::disponi(bool non_lineare) {
    const FinestraPrincipale& f = finestra_;
    // Rows of three values, the last column with the longest captions (a0*, ag,cap SLV); the
    // nonlinear check's third row pushes the verdicts down, SLC beside SLV, the list shorter.
    constexpr int x_voce[] = {60, 1800, 3600}, largo_voce[] = {900, 1000, 1500};
    const int y0 = non_lineare ? 780 : 810, passo = non_lineare ? 315 : 360, alto_valore = non_lineare ? 300 : alto;
    const auto metti = [&](QLabel* voce, QLineEdit* valore, std::size_t i) {
        const std::size_t k = i % 3;
        const int y = y0 + static_cast<int>(i / 3) * passo;
        voce->setGeometry(f.rettangolo({x_voce[k], y, largo_voce[k], alto_valore}));
        valore->setGeometry(f.rettangolo({x_voce[k] + largo_voce[k] + 30, y, 720, alto_valore}));
    };
    for (std::size_t i = 0; i < valori_.size(); ++i) metti(voci_[i], valori_[i], i);
    for (std::size_t i = 0; i < valori_SLC_.size(); ++i) {
        metti(voci_SLC_[i], valori_SLC_[i], valori_.size() + i);
        voci_SLC_[i]->setVisible(non_lineare);
        valori_SLC_[i]->setVisible(non_lineare);
    }
    const int y_SLV = non_lineare ? 1770 : 1560, y_SLD = y_SLV + (non_lineare ? 240 : 270);
    didascalia_SLV_->setGeometry(f.rettangolo({120, y_SLV, 1200, 255}));
    verdetto_SLV_->setGeometry(f.rettangolo({1320, y_SLV, 1500, 255}));
    didascalia_SLC_->setGeometry(f.rettangolo({3000, y_SLV, 1200, 255}));
    verdetto_SLC_->setGeometry(f.rettangolo({4200, y_SLV, 1500, 255}));
    didascalia_SLC_->setVisible(non_lineare);
    verdetto_SLC_->setVisible(non_lineare);
    didascalia_SLD_->setGeometry(f.rettangolo({120, y_SLD, 1200, 255}));
    verdetto_SLD_->setGeometry(f.rettangolo({1320, y_SLD, 1500, 255}));
    nota_SLD_->setGeometry(f.rettangolo({2640, y_SLD, 3360, 255}));
    const int y_altri = y_SLD + 300;
    altri_->setGeometry(f.rettangolo({120, y_altri, 5880, 2700 - y_altri}));
}

}  // namespace tv::app
