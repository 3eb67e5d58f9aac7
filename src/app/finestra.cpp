// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of the main window from the design table.
#include "app/finestra.h"

#include "app/caratteri.h"
#include "app/colori.h"
#include "app/cornice_meccanismo.h"
#include "app/cornice_scelte.h"
#include "app/cornice.h"
#include "form/testi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QShortcut>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tv::app {

namespace {

constexpr double dpi_normale = 96.0;

double dpi_schermo()
{
    const QScreen* schermo = QGuiApplication::primaryScreen();
    return schermo != nullptr ? schermo->logicalDotsPerInch() : dpi_normale;
}

Qt::Alignment allineamento(Allineamento a)
{
    switch (a) {
    case Allineamento::sinistra:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Allineamento::centro:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Allineamento::destra:
        break;
    }
    return Qt::AlignRight | Qt::AlignVCenter;
}

QString utf8(const char* testo) { return QString::fromUtf8(testo); }
QString utf8(std::string_view testo)
{
    return QString::fromUtf8(testo.data(), static_cast<qsizetype>(testo.size()));
}

template <typename T, std::size_t N>
T* elemento(const std::array<T*, N>& elementi, int indice)
{
    return indice >= 0 && indice < static_cast<int>(N) ? elementi[static_cast<std::size_t>(indice)] : nullptr;
}

}  // namespace

FinestraPrincipale::FinestraPrincipale(double dpi, QWidget* parent) : QWidget(parent), dpi_(dpi > 0 ? dpi : dpi_schermo())
{
    registra_formule();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(utf8(finestra().titolo));
    setFont(crea_font(finestra().carattere));
    setFixedSize(pixel(finestra().larghezza), pixel(finestra().altezza));

    // Creation order is stacking order: pictures under the labels that sit on them, lines at the bottom.
    crea_frame();
    crea_immagini();
    crea_etichette();
    crea_ricerca();
    crea_campi();
    crea_vincoli();
    crea_pulsanti();
    crea_scelta_formula();
    crea_scelta_datum();
    crea_linee();
    meccanismo_ = new ControlliMeccanismo(*this);
    scelte_ = new ControlliScelte(*this);
    imposta_ordine_tab();

    // Zoom by the keys every program uses for it; "Ctrl+=" and Ctrl+Shift++ too, where "+"
    // needs Shift.
    const auto tasto = [this](const QKeySequence& k, auto azione) {
        connect(new QShortcut(k, this), &QShortcut::activated, this, azione);
    };
    tasto(QKeySequence::ZoomIn, [this] { imposta_zoom(zoom_ + 0.1); });
    tasto(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { imposta_zoom(zoom_ + 0.1); });
    tasto(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus), [this] { imposta_zoom(zoom_ + 0.1); });
    tasto(QKeySequence::ZoomOut, [this] { imposta_zoom(zoom_ - 0.1); });
    tasto(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { imposta_zoom(1.0); });
}

int FinestraPrincipale::pixel(int twips) const { return twips_a_pixel(twips, dpi_); }

QRect FinestraPrincipale::rettangolo(const Posizione& twips) const
{
    const Posizione p = posizione_in_pixel(twips, dpi_);
    return {p.left, p.top, p.width, p.height};
}

QWidget* FinestraPrincipale::contenitore(Contenitore dove) const
{
    switch (dove) {
    case Contenitore::frame1:
        return frame_[0];
    case Contenitore::frame2:
        return frame_[1];
    case Contenitore::frame3:
        return frame_[2];
    case Contenitore::finestra:
        break;
    }
    return const_cast<FinestraPrincipale*>(this);
}

void FinestraPrincipale::crea_frame()
{
    Carattere titolo = carattere_sans_serif;
    titolo.grassetto = true;
    for (std::size_t i = 0; i < frame_.size(); ++i) {
        const DatiFrame& dati = frames()[i];
        auto* frame = new CorniceWidget(utf8(dati.titolo), this);
        frame->setObjectName(utf8(dati.nome));
        frame->setFont(crea_font(titolo));
        frame->setGeometry(rettangolo(dati.pos));
        if (dati.sfondo_bianco)
            set_background(frame, Qt::white);
        frame_[i] = frame;
    }
}

void FinestraPrincipale::crea_immagini()
{
    for (std::size_t i = 0; i < immagini_.size(); ++i) {
        const DatiImmagine& dati = immagini()[i];
        auto* immagine = new FormulaWidget(utf8(dati.risorsa), contenitore(dati.dove));
        immagine->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        immagine->setGeometry(rettangolo(dati.pos));
        immagini_[i] = immagine;
    }
}

void FinestraPrincipale::crea_linee()
{
    const double scala = dpi_ / dpi_normale;
    for (std::size_t i = 0; i < linee_.size(); ++i) {
        const DatiLinea& dati = linee()[i];
        const QPoint da(pixel(dati.x1), pixel(dati.y1));
        const QPoint a(pixel(dati.x2), pixel(dati.y2));
        auto* linea = new LineaWidget(da, a, scala, frame_[0]);
        linea->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        linea->imposta_larghezza(dati.larghezza);
        linea->imposta_colore(QColor(dati.colore.r, dati.colore.g, dati.colore.b));
        // Lines are drawn on the frame's surface, under every control placed on it.
        linea->lower();
        linee_[i] = linea;
    }
}

QLabel* FinestraPrincipale::crea_etichetta(const DatiEtichetta& dati, const QString& nome)
{
    auto* etichetta = new QLabel(contenitore(dati.dove));
    // Captions may come from files: never read them as markup.
    etichetta->setTextFormat(Qt::PlainText);
    etichetta->setText(utf8(dati.testo));
    etichetta->setObjectName(nome);
    etichetta->setFont(crea_font(dati.carattere));
    etichetta->setAlignment(allineamento(dati.allineamento));
    etichetta->setGeometry(rettangolo(dati.pos));
    if (*dati.tooltip != '\0')
        etichetta->setToolTip(utf8(dati.tooltip));
    return etichetta;
}

void FinestraPrincipale::crea_etichette()
{
    for (std::size_t i = 0; i < label1_.size(); ++i)
        label1_[i] = crea_etichetta(etichette1()[i], QStringLiteral("Label1_%1").arg(i));
    for (std::size_t i = 0; i < label2_.size(); ++i) {
        QLabel* valore = crea_etichetta(etichette2()[i], QStringLiteral("Label2_%1").arg(indici_label2[i]));
        valore->setFrameStyle(QFrame::Box | QFrame::Plain);
        label2_[i] = valore;
    }
    label3_ = crea_etichetta(etichetta3(), QStringLiteral("Label3"));
    label4_ = crea_etichetta(etichetta_fonte(), QStringLiteral("Label4"));
    label5_ = crea_etichetta(etichetta_avvisi(), QStringLiteral("Label5"));
}

void FinestraPrincipale::crea_campi()
{
    for (std::size_t i = 0; i < campi_.size(); ++i) {
        const DatiCampo& dati = campi()[i];
        auto* campo = new QLineEdit(utf8(form::kTabellaCampi[i].testo_progetto), contenitore(dati.dove));
        campo->setObjectName(QStringLiteral("Text1_%1").arg(i));
        campo->setToolTip(utf8(dati.tooltip));
        campo->setFont(crea_font({"Tahoma", 9.0, dati.grassetto, false}));
        campo->setAlignment(Qt::AlignCenter);
        // Locked fields refuse typing but keep the focus policy: leaving them is validated too.
        campo->setReadOnly(dati.bloccato);
        campo->setGeometry(rettangolo(dati.pos));
        campi_[i] = campo;
    }
}

void FinestraPrincipale::crea_vincoli()
{
    for (std::size_t i = 0; i < vincoli_.size(); ++i) {
        const DatiVincolo& dati = vincoli()[i];
        auto* vincolo = new QCheckBox(utf8(dati.appoggiato ? testo_appoggiato : testo_libero), frame_[0]);
        vincolo->setObjectName(QStringLiteral("Check1_%1").arg(i));
        vincolo->setChecked(dati.appoggiato);
        vincolo->setToolTip(utf8(tooltip_vincolo));
        vincolo->setFont(crea_font(carattere_sans_serif));
        vincolo->setGeometry(rettangolo(dati.pos));
        vincoli_[i] = vincolo;
    }
}

void FinestraPrincipale::crea_ricerca()
{
    const DatiRicerca& dati = ricerca();
    const QFont font = crea_font(dati.carattere);
    Posizione riga = dati.pos;
    riga.height = dati.altezza_riga;
    Posizione elenco = dati.pos;
    elenco.top += dati.altezza_riga;
    elenco.height -= dati.altezza_riga;

    combo1_ = new QLineEdit(utf8(dati.testo), this);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setToolTip(utf8(dati.tooltip));
    combo1_->setFont(font);
    combo1_->setGeometry(rettangolo(riga));

    combo1_list_ = new QListWidget(this);
    combo1_list_->setObjectName(QStringLiteral("Combo1_list"));
    combo1_list_->setToolTip(utf8(dati.tooltip));
    combo1_list_->setFont(font);
    combo1_list_->setSelectionMode(QAbstractItemView::SingleSelection);
    combo1_list_->setGeometry(rettangolo(elenco));
}

void FinestraPrincipale::crea_pulsanti()
{
    const QFont font = crea_font(carattere_sans_serif);
    for (std::size_t i = 0; i < pulsanti_.size(); ++i) {
        const DatiPulsante& dati = pulsanti()[i];
        auto* pulsante = new QPushButton(utf8(dati.testo), this);
        pulsante->setObjectName(utf8(dati.nome));
        pulsante->setFont(font);
        pulsante->setGeometry(rettangolo(dati.pos));
        pulsanti_[i] = pulsante;
    }
}

void FinestraPrincipale::crea_scelta_formula()
{
    const DatiScelta& dati = scelta_formula();
    combo2_ = new QComboBox(contenitore(dati.dove));
    combo2_->setObjectName(utf8(dati.nome));
    combo2_->setFont(crea_font({"Tahoma", 8.25, false, false}));
    for (const panel::DescrizioneFormula& d : panel::kFormule) {
        combo2_->addItem(utf8(d.breve));
        combo2_->setItemData(combo2_->count() - 1, utf8(d.completo), Qt::ToolTipRole);
    }
    combo2_->setToolTip(utf8(panel::descrizione(panel::FormulaDomanda{}).completo));
    combo2_->setGeometry(rettangolo(dati.pos));
}

void FinestraPrincipale::crea_scelta_datum()
{
    const DatiSceltaDatum& dati = scelta_datum();
    crea_etichetta(dati.etichetta, QStringLiteral("LabelDatum"));
    combo_datum_ = new QComboBox(this);
    combo_datum_->setObjectName(utf8(dati.nome));
    combo_datum_->setFont(crea_font({"Tahoma", 8.25, false, false}));
    for (auto d : {hazard::Datum::ed50, hazard::Datum::wgs84})
        combo_datum_->addItem(QString::fromUtf8(hazard::nomi_datum(d).nome));
    combo_datum_->setToolTip(utf8(dati.tooltip));
    combo_datum_->setGeometry(rettangolo(dati.pos));
}

void FinestraPrincipale::imposta_ordine_tab()
{
    // Search box, site data row by row, panel inputs, buttons, then the results.
    using C = form::Campo;
    std::vector<QWidget*> ordine = {combo1_, combo1_list_};
    for (C c : {C::lat, C::qa, C::lon, C::suolo, C::VN, C::St, C::Cu, C::PVR, C::ag})
        ordine.push_back(campo(form::indice(c)));
    ordine.push_back(combo_datum_);
    ordine.push_back(campo(form::indice(C::T1)));
    ordine.push_back(meccanismo_->tipo());
    ordine.insert(ordine.end(), {meccanismo_->piani(), meccanismo_->lc(), meccanismo_->z0(),
                                 meccanismo_->tabella()});
    for (int i : {0, 1, 3, 2})
        ordine.push_back(check(i));
    for (C c : {C::L, C::B, C::t, C::gamma, C::fd, C::E, C::Z, C::H})
        ordine.push_back(campo(form::indice(c)));
    ordine.push_back(combo2_);
    for (const form::DatiCampoForm& d : form::kTabellaCampi)
        if (d.formula) ordine.push_back(campo(form::indice(d.campo)));
    for (int n : {1, 4, 2, 3, 5, 6})
        ordine.push_back(command(n));
    for (C c : {C::Sa, C::Fa, C::d, C::K1, C::K2, C::Rlat, C::W, C::Wa, C::Ta})
        ordine.push_back(campo(form::indice(c)));
    for (Picker p : kPicker) {
        ordine.push_back(scelte_->lista(p));
        if (p == Picker::categoria_topografica) ordine.push_back(scelte_->h_su_H());
    }
    for (std::size_t i = 0; i < 3; ++i) ordine.push_back(scelte_->correttivo(i));
    ordine.push_back(scelte_->edificio());
    ordine.push_back(scelte_->elemento());
    for (std::size_t i = 1; i < ordine.size(); ++i)
        QWidget::setTabOrder(ordine[i - 1], ordine[i]);
}

QLineEdit* FinestraPrincipale::campo(int indice) const { return elemento(campi_, indice); }

QLabel* FinestraPrincipale::label1(int indice) const { return elemento(label1_, indice); }

QLabel* FinestraPrincipale::label2(int indice) const
{
    const auto trovato = std::find(indici_label2.begin(), indici_label2.end(), indice);
    if (trovato == indici_label2.end())
        return nullptr;
    return label2_[static_cast<std::size_t>(trovato - indici_label2.begin())];
}

QCheckBox* FinestraPrincipale::check(int indice) const { return elemento(vincoli_, indice); }

LineaWidget* FinestraPrincipale::linea(int numero) const { return elemento(linee_, numero - 1); }

LineaWidget* FinestraPrincipale::linea_di(int indice) const
{
    if (indice < 0 || indice >= numero_vincoli)
        return nullptr;
    return linea(vincoli()[static_cast<std::size_t>(indice)].linea);
}

QPushButton* FinestraPrincipale::command(int numero) const { return elemento(pulsanti_, numero - 1); }

QGroupBox* FinestraPrincipale::frame(int numero) const { return elemento(frame_, numero - 1); }

FormulaWidget* FinestraPrincipale::image(int numero) const { return elemento(immagini_, numero - 1); }

void FinestraPrincipale::sposta_left(QWidget* controllo, int left_twips)
{
    if (controllo != nullptr)
        controllo->move(pixel(left_twips), controllo->y());
}

void FinestraPrincipale::imposta_zoom(double fattore)
{
    fattore = std::clamp(std::round(fattore * 10.0) / 10.0, 0.5, 3.0);
    const auto scalato = [](const QRect& r, double f) {
        return QRect(static_cast<int>(std::lround(r.x() * f)), static_cast<int>(std::lround(r.y() * f)),
                     static_cast<int>(std::lround(r.width() * f)),
                     static_cast<int>(std::lround(r.height() * f)));
    };
    if (originali_.empty()) {
        dpi_base_ = dpi_;
        dimensione_originale_ = size();
        for (LineaWidget* l : linee_) estremi_originali_.emplace_back(l->da(), l->a());
    }
    // Controls made or moved since the last zoom: their zoom-1 geometry from where they are now.
    std::vector<Originale> aggiornati;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<LineaWidget*>(w) || w->isWindow()) continue;
        const auto noto = std::find_if(originali_.begin(), originali_.end(),
                                       [w](const Originale& o) { return o.controllo == w; });
        if (noto != originali_.end() && scalato(noto->geometria, zoom_) == w->geometry()) {
            aggiornati.push_back(*noto);
            continue;
        }
        aggiornati.push_back({w, scalato(w->geometry(), 1.0 / zoom_), w->font().pointSizeF() / zoom_});
    }
    originali_ = std::move(aggiornati);
    zoom_ = fattore;
    dpi_ = dpi_base_ * zoom_;
    setFixedSize(static_cast<int>(std::lround(dimensione_originale_.width() * zoom_)),
                 static_cast<int>(std::lround(dimensione_originale_.height() * zoom_)));
    for (const Originale& o : originali_) {
        if (!o.controllo) continue;
        o.controllo->setGeometry(scalato(o.geometria, zoom_));
        if (o.punti > 0) {
            QFont f = o.controllo->font();
            f.setPointSizeF(o.punti * zoom_);
            o.controllo->setFont(f);
        }
    }
    for (std::size_t i = 0; i < linee_.size(); ++i) {
        const auto& [da, a] = estremi_originali_[i];
        linee_[i]->riposiziona(QPoint(static_cast<int>(std::lround(da.x() * zoom_)),
                                      static_cast<int>(std::lround(da.y() * zoom_))),
                               QPoint(static_cast<int>(std::lround(a.x() * zoom_)),
                                      static_cast<int>(std::lround(a.y() * zoom_))),
                               dpi_ / dpi_normale);
    }
}

}  // namespace tv::app
