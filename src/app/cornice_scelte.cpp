// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of the norm's pickers, placed in twips as the design table places the other
// controls so that the zoom scales them alike.
#include "app/cornice_scelte.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/caratteri.h"
#include "app/cornice.h"
#include "app/finestra.h"
#include "form/scelte.h"
#include "form/suggerimenti.h"

namespace tv::app {

namespace {

constexpr Carattere tahoma8 = {"Tahoma", 8.25, false, false};
constexpr int alto = 315;
constexpr int largo = 2745;

QString utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Each picker's caption (the field it writes and the table) and tooltip.
struct DatiPicker {
    const char* didascalia;
    const char* tooltip;
};
constexpr std::array<DatiPicker, kPicker.size()> kDatiPicker = {{
    {"Classe d'uso → Cu", "Classe d'uso: scrive il coefficiente d'uso Cu (NTC 2018 Tab. 2.4.II)"},
    {"Stato limite → PVR",
     "Stato limite: scrive la probabilità di superamento PVR (NTC 2018 Tab. 3.2.I)"},
    {"Tipo di costruzione → VN",
     "Tipo di costruzione: scrive la vita nominale VN minima (NTC 2018 Tab. 2.4.I)"},
    {"Categoria topografica e h/H → St",
     "Categoria topografica: scrive St = 1 + (St,max − 1)·h/H (NTC 2018 Tab. 3.2.V, "
     "§ 3.2.3.2.1); h/H vuoto vale 1, la sommità"},
    {"Tipologia muraria → fd, E, γ",
     "Tipologia muraria: scrive fd = f·k_f/(FC·γM), E e il peso specifico w (Circolare 2019 "
     "Tab. C8.5.I, C8.5.4.1; γM = 2, NTC 2018 § 7.8.1.1)"},
    {"Livello di conoscenza → FC",
     "Livello di conoscenza: LC1 resistenze minime, LC2 e LC3 medie; FC 1,35, 1,20, 1,00 "
     "(Circolare 2019 C8.5.4)"},
}};

template <class T>
void riempi(QComboBox* c, const T& tabella) {
    for (const auto& v : tabella) c->addItem(utf8(v.etichetta), utf8(v.parola));
    c->addItem(QString::fromUtf8(kAltro), QString());
}

}  // namespace

std::string_view nome_picker(Picker p) {
    switch (p) {
        case Picker::classe_uso: return "classe_uso";
        case Picker::stato_limite: return "stato_limite";
        case Picker::tipo_costruzione: return "tipo_costruzione";
        case Picker::categoria_topografica: return "categoria_topografica";
        case Picker::muratura: return "muratura";
        case Picker::livello_conoscenza: return "livello_conoscenza";
    }
    return {};
}

ControlliScelte::ControlliScelte(FinestraPrincipale& f) : QObject(&f) {
    Carattere titolo = carattere_sans_serif;
    titolo.grassetto = true;
    cornice_ = new CorniceWidget(QStringLiteral("SCELTE NTC 2018"), &f);
    cornice_->setObjectName(QStringLiteral("FrameScelte"));
    cornice_->setFont(crea_font(titolo));
    cornice_->setGeometry(f.rettangolo({10200, 120, 2985, 7500}));
    for (std::size_t i = 0; i < kPicker.size(); ++i) {
        const int y = 300 + static_cast<int>(i) * 630;
        auto* l = new QLabel(QString::fromUtf8(kDatiPicker[i].didascalia), cornice_);
        l->setTextFormat(Qt::PlainText);
        l->setFont(crea_font(tahoma8));
        l->setGeometry(f.rettangolo({120, y, largo, 255}));
        auto* c = new QComboBox(cornice_);
        c->setObjectName(QStringLiteral("Scelta_") + utf8(nome_picker(kPicker[i])));
        c->setFont(crea_font(tahoma8));
        c->setToolTip(QString::fromUtf8(kDatiPicker[i].tooltip));
        const bool con_h = kPicker[i] == Picker::categoria_topografica;
        c->setGeometry(f.rettangolo({120, y + 255, con_h ? 1200 : largo, alto}));
        liste_[i] = c;
    }
    riempi(lista(Picker::classe_uso), form::kClassiUso);
    riempi(lista(Picker::stato_limite), form::kStatiLimite);
    riempi(lista(Picker::tipo_costruzione), form::kTipiCostruzione);
    riempi(lista(Picker::categoria_topografica), form::kCategorieTopografiche);
    riempi(lista(Picker::muratura), form::kMurature);
    riempi(lista(Picker::livello_conoscenza), form::kLivelliConoscenza);
    // The masonry's factors under its knowledge level: the state found on the left, the
    // consolidation on the right, three rows.
    const auto didascalia = [&](const QString& testo, int y, const QString& tooltip) {
        auto* l = new QLabel(testo, cornice_);
        l->setTextFormat(Qt::PlainText);
        l->setFont(crea_font(tahoma8));
        l->setToolTip(tooltip);
        l->setGeometry(f.rettangolo({120, y, largo, 255}));
        return l;
    };
    int y = 300 + 6 * 630;
    didascalia(QStringLiteral("Correttivi Tab. C8.5.II"), y,
               QStringLiteral("Coefficienti correttivi della Circolare 2019 Tab. C8.5.II "
                              "(C8.5.3.1): stato di fatto a sinistra, consolidamento a destra"));
    constexpr std::array<const char*, form::kCorrettivi.size()> brevi = {
        "Malta buona", "Ricorsi", "Connessione", "Iniezioni", "Intonaco arm.", "Ristilatura"};
    constexpr std::array<const char*, form::kCorrettivi.size()> regole = {
        "su f ed E", "su f", "su f", "su f ed E", "su f ed E; esclude connessione e ristilatura",
        "su f, su E per metà dell'incremento"};
    for (std::size_t i = 0; i < correttivi_.size(); ++i) {
        auto* c = new QCheckBox(QString::fromUtf8(brevi[i]), cornice_);
        c->setObjectName(QStringLiteral("Correttivo_") + utf8(form::kCorrettivi[i].parola));
        c->setFont(crea_font(tahoma8));
        c->setToolTip(utf8(form::kCorrettivi[i].etichetta) +
                      QStringLiteral(": coefficiente della Circolare 2019 Tab. C8.5.II per la "
                                     "tipologia muraria, ") + QString::fromUtf8(regole[i]) +
                      (i < 3 ? QStringLiteral(" (stato di fatto: al più i due maggiori)")
                             : QStringLiteral(" (consolidamento: prodotto non oltre il massimo "
                                              "della tabella)")));
        const int x = i < 3 ? 120 : 1440;
        c->setGeometry(f.rettangolo({x, y + 255 + static_cast<int>(i % 3) * 270, i < 3 ? 1290 : 1455, 255}));
        correttivi_[i] = c;
    }
    // New masonry under the factors: fk and the execution class on a line, the units under.
    y += 255 + 3 * 270 + 60;
    didascalia(QStringLiteral("Muratura nuova → fd = fk/γM, E"), y,
               QStringLiteral("Muratura nuova: fd = fk/γM con γM della NTC 2018 Tab. 4.5.II ed "
                              "E = 1000·fk (§ 11.10.3.4); fk vuoto: muratura esistente"));
    auto* l_fk = new QLabel(QStringLiteral("fk"), cornice_);
    l_fk->setTextFormat(Qt::PlainText);
    l_fk->setFont(crea_font(tahoma8));
    l_fk->setGeometry(f.rettangolo({120, y + 255, 240, alto}));
    fk_ = new QLineEdit(cornice_);
    fk_->setObjectName(QStringLiteral("Scelta_fk"));
    fk_->setFont(crea_font(tahoma8));
    fk_->setToolTip(QStringLiteral("Resistenza caratteristica a compressione della muratura "
                                   "nuova, nell'unità delle tensioni del lavoro"));
    fk_->setGeometry(f.rettangolo({390, y + 255, 900, alto}));
    auto* l_classe = new QLabel(QStringLiteral("classe"), cornice_);
    l_classe->setTextFormat(Qt::PlainText);
    l_classe->setFont(crea_font(tahoma8));
    l_classe->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l_classe->setGeometry(f.rettangolo({1320, y + 255, 600, alto}));
    classe_esecuzione_ = new QComboBox(cornice_);
    classe_esecuzione_->setObjectName(QStringLiteral("Scelta_classe_esecuzione"));
    classe_esecuzione_->setFont(crea_font(tahoma8));
    classe_esecuzione_->setToolTip(QStringLiteral("Classe di esecuzione (NTC 2018 § 4.5.6.1)"));
    classe_esecuzione_->setGeometry(f.rettangolo({1965, y + 255, 900, alto}));
    for (const auto& v : form::kClassiEsecuzione) classe_esecuzione_->addItem(utf8(v.parola), utf8(v.parola));
    classe_esecuzione_->addItem(QString(), QString());
    elementi_ = new QComboBox(cornice_);
    elementi_->setObjectName(QStringLiteral("Scelta_elementi"));
    elementi_->setFont(crea_font(tahoma8));
    elementi_->setToolTip(QStringLiteral("Categoria degli elementi e malta (NTC 2018 Tab. 4.5.II)"));
    elementi_->setGeometry(f.rettangolo({120, y + 255 + 345, largo, alto}));
    constexpr std::array<const char*, form::kMaterialiNuovi.size()> brevi_nuova = {
        "Cat. I, malta garantita", "Cat. I, malta prescritta", "Cat. II, ogni malta"};
    for (std::size_t i = 0; i < brevi_nuova.size(); ++i) {
        elementi_->addItem(QString::fromUtf8(brevi_nuova[i]), utf8(form::kMaterialiNuovi[i].parola));
        elementi_->setItemData(static_cast<int>(i), utf8(form::kMaterialiNuovi[i].etichetta), Qt::ToolTipRole);
    }
    elementi_->addItem(QString(), QString());
    const int riga_suggerimenti = y + 255 + 345 + alto + 60;

    // The two suggestions under the choices.
    const auto suggerimento = [&](int riga, const char* testo, const char* tooltip,
                                  const char* nome) {
        const int y = riga_suggerimenti + riga * 630;
        didascalia(QString::fromUtf8(testo), y, QString());
        auto* c = new QComboBox(cornice_);
        c->setObjectName(QString::fromUtf8(nome));
        c->setFont(crea_font(tahoma8));
        c->setToolTip(QString::fromUtf8(tooltip));
        c->setGeometry(f.rettangolo({120, y + 255, largo, alto}));
        return c;
    };
    edificio_ = suggerimento(0, "Struttura dell'edificio → T1",
                             "Scrive il periodo suggerito T1 = C1·H^(3/4), H in m, C1 0,085 "
                             "acciaio, 0,075 calcestruzzo, 0,050 altro (NTC 2018 § 7.3.3.2)",
                             "Suggerimento_T1");
    riempi(edificio_, form::kTipiEdificio);
    elemento_ = suggerimento(1, "Elemento non strutturale → qa",
                             "Scrive qa: 1 per parapetti ed elementi a mensola, 2 per pareti, "
                             "tramezzature e facciate (Circolare 2019 Tab. C7.2.I)",
                             "Suggerimento_qa");
    riempi(elemento_, form::kElementi);
    const int y_h = 300 + 3 * 630 + 255;
    auto* l = new QLabel(QStringLiteral("h/H"), cornice_);
    l->setTextFormat(Qt::PlainText);
    l->setFont(crea_font(tahoma8));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(f.rettangolo({1380, y_h, 450, alto}));
    h_su_H_ = new QLineEdit(cornice_);
    h_su_H_->setObjectName(QStringLiteral("Scelta_h_su_H"));
    h_su_H_->setFont(crea_font(tahoma8));
    h_su_H_->setToolTip(QStringLiteral("Quota del sito sul rilievo rispetto alla sua altezza, "
                                       "da 0 (base) a 1 (sommità); vuoto: 1"));
    h_su_H_->setGeometry(f.rettangolo({1890, y_h, 975, alto}));
}

}  // namespace tv::app
