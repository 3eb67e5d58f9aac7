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

ControlliMeccanismo::ControlliMeccanismo(FinestraPrincipale& f) : QObject(&f) {
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

    // The results where the arch's frame stands, which a mechanism hides.
    Carattere titolo = carattere_sans_serif;
    titolo.grassetto = true;
    risultati_ = new CorniceWidget(QString(), &f);
    risultati_->setObjectName(QStringLiteral("FrameMeccanismo"));
    risultati_->setFont(crea_font(titolo));
    risultati_->setGeometry(f.frame(3)->geometry());
    governante_ = etichetta(f, risultati_, {}, {120, 240, 5880, 255}, Qt::AlignLeft | Qt::AlignVCenter);
    pericolosita_ = etichetta(f, risultati_, {}, {120, 510, 5880, 255}, Qt::AlignLeft | Qt::AlignVCenter);
    // Three columns, the last with the longest captions (a0*, ag,cap SLV).
    constexpr int x_voce[] = {60, 1800, 3600}, largo_voce[] = {900, 1000, 1500};
    for (std::size_t i = 0; i < valori_.size(); ++i) {
        const std::size_t k = i % 3;
        const int x = x_voce[k] + largo_voce[k] + 30;
        const int y = 810 + static_cast<int>(i / 3) * 360;
        voci_[i] = etichetta(f, risultati_, QString::fromUtf8(form::kVociMeccanismo[i]) + " =",
                             {x_voce[k], y, largo_voce[k], alto});
        valori_[i] = new QLineEdit(risultati_);
        valori_[i]->setObjectName(QStringLiteral("TextMeccanismo_%1").arg(i));
        valori_[i]->setReadOnly(true);
        valori_[i]->setFont(crea_font(tahoma9));
        valori_[i]->setAlignment(Qt::AlignCenter);
        valori_[i]->setGeometry(f.rettangolo({x, y, 720, alto}));
    }
    etichetta(f, risultati_, QStringLiteral("Verifica SLV:"), {120, 1560, 1200, 255},
              Qt::AlignLeft | Qt::AlignVCenter);
    verdetto_SLV_ = etichetta(f, risultati_, {}, {1320, 1560, 1500, 255}, Qt::AlignLeft | Qt::AlignVCenter);
    etichetta(f, risultati_, QStringLiteral("Verifica SLD:"), {120, 1830, 1200, 255},
              Qt::AlignLeft | Qt::AlignVCenter);
    verdetto_SLD_ = etichetta(f, risultati_, {}, {1320, 1830, 1500, 255}, Qt::AlignLeft | Qt::AlignVCenter);
    etichetta(f, risultati_, QStringLiteral("(%1)").arg(QString::fromUtf8(form::kNotaSLD)),
              {2640, 1830, 3360, 255}, Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel* v : {verdetto_SLV_, verdetto_SLD_}) v->setFont(crea_font({"Tahoma", 9.0, true, false}));
    altri_ = new QListWidget(risultati_);
    altri_->setObjectName(QStringLiteral("ListaMeccanismi"));
    altri_->setFont(crea_font(tahoma8));
    altri_->setToolTip(QStringLiteral("Gli altri meccanismi verificati, per piano"));
    altri_->setGeometry(f.rettangolo({120, 2130, 5880, 570}));

    ingressi_->hide();
    risultati_->hide();
}

}  // namespace tv::app
