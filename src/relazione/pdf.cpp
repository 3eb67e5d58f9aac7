// SPDX-License-Identifier: GPL-3.0-or-later
// PDF renderer of the calculation report: lays the document's blocks out on A4 pages (a first
// pass to count the pages for "pagina N di M"), then draws text, tables, formulas and plots,
// each page as soon as it is filled, a long report's parts built as their pages come.
// A table, a paragraph or the designer's frame taller than the room left goes on over the next
// pages (a table with its header again); any other block that cannot fit a page stops the report.
#include "relazione/pdf.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "relazione/grafico_pdf.h"
#include "text/error.h"
#include "text/file_atomico.h"

namespace tv::relazione {

namespace {

constexpr double kPaginaL = 210.0, kPaginaA = 297.0;  // mm
constexpr double kMargineSx = 20.0, kMargineDx = 18.0, kMargineSu = 24.0, kMargineGiu = 16.0;
constexpr double kAltezzaGrafico = 82.0;
constexpr double kSottoTitolo = 25.0;  // mm of a block kept under its section's heading

// One block placed on a page: y is its top; a section heading goes with its first block.
struct Posato {
    const Blocco* blocco = nullptr;
    const Sezione* sezione = nullptr;  // set on the first block of a section: heading above it
    const DisegnoVincoli* accanto = nullptr;  // drawn beside a narrow table
    double y = 0;
    // The rows of a table placed here, [da, a): a long table goes over pages a slice at a time.
    std::size_t da = 0, a = 0;
};

class Impaginatore;
// A page filled, with its number: the blocks it names are kept only until it is handed on.
using Consegna = std::function<void(Impaginatore&, const std::vector<Posato>&, int)>;

class Impaginatore {
  public:
    Impaginatore(const Documento& doc, QPaintDevice* device, Consegna consegna)
        : doc_(doc), device_(device), consegna_(std::move(consegna)) {}

    // The first page, the title block at its top.
    void inizia() {
        pagina_.clear();
        pezzi_.clear();
        consegnate_ = 0;
        testata_ = &doc_.intestazione;
        y_ = mm(kMargineSu) + altezza_titolo();
    }
    // A part starts on a page of its own, whose header is `h` (the document's when null), as
    // are those of the pages after it; `h` must live until they are handed on.
    void inizia_parte(const Intestazione* h) {
        if (!pagina_.empty()) nuova_pagina();
        testata_ = h != nullptr ? h : &doc_.intestazione;
    }
    // The section's blocks placed after those before it, section after section; each page
    // filled is handed on. A small heading stays with the block after it; a narrow table takes
    // the drawing after it beside. A block that fits no page, even split, gives the message
    // that stops the report.
    std::optional<QString> aggiungi(const Sezione& s) {
        const double cima = mm(kMargineSu);
        const double fondo = mm(kPaginaA - kMargineGiu);
        const auto& b = s.blocchi;
        for (std::size_t i = 0; i < b.size();) {
            const DisegnoVincoli* accanto = nullptr;
            std::size_t j = i + 1;
            const auto* t = std::get_if<Tabella>(&b[i]);
            if (t && j < b.size() && std::holds_alternative<DisegnoVincoli>(b[j]) &&
                larghezza_tabella(*t) <= 0.55 * larghezza()) {
                accanto = &std::get<DisegnoVincoli>(b[j]);
                ++j;
            }
            double dopo = 0;  // a small heading keeps the start of the block after it
            const auto* par = std::get_if<Paragrafo>(&b[i]);
            // So does a paragraph that introduces the block after it ("...:").
            const bool introduce = par && (par->titoletto || par->testo.ends_with(':'));
            if (introduce && j < b.size()) {
                // A block that may go on over the next page keeps its first 40 mm; a table with
                // the drawing beside it moves whole, so the heading waits for all of it.
                dopo = std::min(altezza(b[j]), mm(40));
                if (j + 1 < b.size() && std::holds_alternative<DisegnoVincoli>(b[j + 1]))
                    dopo = std::max(altezza(b[j]), misura(std::get<DisegnoVincoli>(b[j + 1])));
            }
            const Blocco* blocco = &b[i];
            bool primo = i == 0;
            // A table's rows are measured once; its rows from `da` on are still to place.
            std::vector<double> alte;
            double testata = 0;
            if (t) {
                testata = riga_alta(*t, t->intestazioni, true);
                alte.reserve(t->righe.size());
                for (const auto& r : t->righe) alte.push_back(riga_alta(*t, r, false));
            }
            std::size_t da = 0;
            for (;;) {
                const double testa = mm(3.0) + (primo ? altezza_sezione(s) : 0.0);
                const double spazio = fondo - y_;
                double h = t ? alto_righe(testata, alte, da, spazio) : altezza(*blocco);
                if (accanto) h = std::max(h, misura(*accanto));
                const bool fresca = y_ <= cima;
                // A section's heading is never left at a page's foot: split under it, its
                // block keeps at least kSottoTitolo (or the whole block, when shorter).
                const bool corto = primo && !fresca && spazio - testa < mm(kSottoTitolo);
                if (h + testa + dopo <= spazio || (fresca && h + testa <= spazio)) {
                    pagina_.push_back({blocco, primo ? &s : nullptr, accanto, y_, da, alte.size()});
                    y_ += h + testa;
                    break;
                }
                if (!corto && !accanto && t) {
                    // The rows that fit under the header; the others go on over the next page.
                    const double posto = spazio - testa;
                    double alto = testata;
                    std::size_t k = da;
                    while (k < alte.size() && alto + alte[k] <= posto) alto += alte[k++];
                    if (k > da && k < alte.size()) {
                        pagina_.push_back({blocco, primo ? &s : nullptr, nullptr, y_, da, k});
                        da = k;
                        primo = false;
                        dopo = 0;
                        nuova_pagina();
                        continue;
                    }
                } else if (!corto && !accanto) {
                    if (auto parti = dividi(*blocco, spazio - testa)) {
                        // The first part on this page, the rest on the next at least.
                        pezzi_.emplace_back(aperta(), std::move(parti->first));
                        pagina_.push_back(
                            {&pezzi_.back().second, primo ? &s : nullptr, nullptr, y_});
                        pezzi_.emplace_back(aperta() + 1, std::move(parti->second));
                        blocco = &pezzi_.back().second;
                        primo = false;
                        dopo = 0;
                        nuova_pagina();
                        continue;
                    }
                }
                if (fresca)
                    return QStringLiteral(
                               "Un elemento della sezione \"%1\" non entra in una pagina: la "
                               "relazione non è stata scritta.")
                        .arg(q(s.titolo));
                nuova_pagina();
            }
            i = j;
        }
        return std::nullopt;
    }
    // The last page handed on.
    void chiudi() { consegna(); }
    // Pages handed on so far, and the number of the page being filled.
    int consegnate() const { return consegnate_; }
    int aperta() const { return consegnate_ + 1; }

    void disegna(QPainter& p, const std::vector<Posato>& pagina, int numero, int totale) {
        p_ = &p;
        intestazione(*testata_, numero, totale);
        if (numero == 1) titolo();
        for (const Posato& b : pagina) {
            double y = b.y;
            if (b.sezione) y += titolo_sezione(*b.sezione, y);
            std::visit(
                [&](const auto& x) {
                    if constexpr (std::is_same_v<std::decay_t<decltype(x)>, Tabella>)
                        disegna(x, y, b.da, b.a);
                    else
                        disegna(x, y);
                },
                *b.blocco);
            if (b.accanto)
                disegna(*b.accanto, y,
                        sinistra() + larghezza_tabella(std::get<Tabella>(*b.blocco)) + mm(12));
        }
    }

  private:
    void consegna() {
        if (consegna_) consegna_(*this, pagina_, aperta());
        ++consegnate_;
        pagina_.clear();
        // The parts of split blocks that only pages handed on named.
        while (!pezzi_.empty() && pezzi_.front().first <= consegnate_) pezzi_.pop_front();
    }
    void nuova_pagina() {
        consegna();
        y_ = mm(kMargineSu);
    }
    // The header's and the rows' heights from `da`, added as misura adds them; once over
    // `limite` the sum stops, since no part of a page that high holds them.
    static double alto_righe(double testata, const std::vector<double>& alte, std::size_t da,
                             double limite) {
        double h = testata;
        for (std::size_t k = da; k < alte.size() && h <= limite; ++k) h += alte[k];
        return h;
    }

    double larghezza() const { return mm(kPaginaL - kMargineSx - kMargineDx); }
    double sinistra() const { return mm(kMargineSx); }

    // Text in lines of width w, broken between words and inside a word wider than w.
    std::unique_ptr<QTextLayout> disponi(const QFont& f, double w, const QString& t,
                                         Qt::Alignment a = Qt::AlignLeft) const {
        QString testo = t;
        testo.replace(QChar(u'\n'), QChar::LineSeparator);
        auto l = std::make_unique<QTextLayout>(testo, f, device_);
        QTextOption o(a & Qt::AlignHorizontal_Mask);
        o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        l->setTextOption(o);
        l->beginLayout();
        double y = 0;
        for (QTextLine r = l->createLine(); r.isValid(); r = l->createLine()) {
            r.setLineWidth(w);
            r.setPosition(QPointF(0, y));
            y += r.height();
        }
        l->endLayout();
        return l;
    }
    static double alto(const QTextLayout& l) {
        if (l.lineCount() == 0) return 0;
        const QTextLine r = l.lineAt(l.lineCount() - 1);
        return r.y() + r.height();
    }
    double alto_testo(const QFont& f, double w, const QString& t) const {
        return alto(*disponi(f, w, t));
    }
    // Draws t in r with the layout measured, centred vertically when a asks for it.
    void scrivi(const QFont& f, const QRectF& r, const QString& t, Qt::Alignment a = Qt::AlignLeft) {
        const auto l = disponi(f, r.width(), t, a);
        double dy = 0;
        if (a & Qt::AlignVCenter) dy = (r.height() - alto(*l)) / 2;
        if (a & Qt::AlignBottom) dy = r.height() - alto(*l);
        l->draw(p_, QPointF(r.left(), r.top() + dy));
    }

    // The part of `b` that fits in `spazio` and the rest, when `b` can be split there: a
    // paragraph or a frame's text between lines (a table is split where it is placed).
    std::optional<std::pair<Blocco, Blocco>> dividi(const Blocco& b, double spazio) const {
        if (const auto* x = std::get_if<Paragrafo>(&b)) {
            if (x->titoletto) return std::nullopt;
            const auto taglio = righe_entro(font_paragrafo(*x), larghezza(), x->testo, spazio);
            if (!taglio) return std::nullopt;
            return std::pair<Blocco, Blocco>{Paragrafo{taglio->first, false},
                                             Paragrafo{taglio->second, false}};
        }
        if (const auto* x = std::get_if<Riquadro>(&b)) {
            auto taglio =
                righe_entro(carattere(9.5), larghezza() - mm(8), x->testo, spazio - mm(6));
            // All its text fits but not the signature lines under it: its last lines go on
            // with them.
            if (!taglio && !x->firme.empty())
                taglio = righe_entro(carattere(9.5), larghezza() - mm(8), x->testo,
                                     spazio - mm(6) - mm(16));
            if (!taglio || spazio < mm(45)) return std::nullopt;
            return std::pair<Blocco, Blocco>{Riquadro{taglio->first, {}},
                                             Riquadro{taglio->second, x->firme}};
        }
        return std::nullopt;
    }
    // The text of the first lines that fit in `spazio` and the rest; none when no line or
    // every line fits.
    std::optional<std::pair<std::string, std::string>> righe_entro(const QFont& f, double w,
                                                                   const std::string& testo,
                                                                   double spazio) const {
        const QString t = q(testo);
        const auto l = disponi(f, w, t);
        int k = 0;
        while (k < l->lineCount()) {
            const QTextLine r = l->lineAt(k);
            if (r.y() + r.height() > spazio) break;
            ++k;
        }
        if (k == 0 || k == l->lineCount()) return std::nullopt;
        const int fine = l->lineAt(k).textStart();
        // The line end closing the first part would give it one empty line more.
        std::string prima = t.left(fine).toStdString();
        if (!prima.empty() && prima.back() == '\n') prima.pop_back();
        return std::pair<std::string, std::string>{std::move(prima), t.mid(fine).toStdString()};
    }

    // ---- measures
    double altezza_titolo() const { return mm(24.0) + altezza_cornice(); }
    // A long heading wraps: its height follows its lines.
    double altezza_sezione(const Sezione& s) const {
        return alto_testo(carattere(12, true), larghezza(), q(s.titolo)) + mm(6.0);
    }

    double altezza(const Blocco& b) const {
        return std::visit([&](const auto& x) { return misura(x); }, b);
    }
    QFont font_paragrafo(const Paragrafo& x) const {
        return x.titoletto ? carattere(10, true) : carattere(9.5);
    }
    double misura(const Paragrafo& x) const {
        return alto_testo(font_paragrafo(x), larghezza(), q(x.testo)) + (x.titoletto ? mm(1) : 0.0);
    }
    double larghezza_tabella(const Tabella& t) const {
        double w = 0;
        for (double l : t.larghezze) w += l * larghezza();
        return w;
    }
    // The symbolic line's height, none when the formula gives only numbers.
    double alto_simbolica(const Formula& x) const {
        if (x.simbolica.empty()) return -mm(1.2);
        return alto_testo(carattere(10, false, true, true), larghezza() - mm(8), q(x.simbolica));
    }
    double misura(const Formula& x) const {
        double h = alto_simbolica(x);
        if (!x.numerica.empty())
            h += mm(1.2) +
                 alto_testo(carattere(9.5, false, false, true), larghezza() - mm(8), q(x.numerica));
        return h + mm(2.0);
    }
    double misura(const Tabella& t) const {
        double h = riga_alta(t, t.intestazioni, true);
        for (const auto& r : t.righe) h += riga_alta(t, r, false);
        return h;
    }
    double misura(const Grafico&) const { return mm(kAltezzaGrafico); }
    double misura(const Riquadro& r) const {
        return altezza_riquadro(r) + (r.firme.empty() ? mm(3) : mm(16));
    }
    double altezza_riquadro(const Riquadro& r) const {
        return std::max(mm(45), alto_testo(carattere(9.5), larghezza() - mm(8), q(r.testo)) + mm(6));
    }
    double misura(const DisegnoVincoli&) const { return mm(50.0); }
    double misura(const Esito& e) const {
        return alto_testo(carattere(11, true), larghezza() - mm(8), q(e.testo)) + mm(6);
    }

    double riga_alta(const Tabella& t, const std::vector<std::string>& r, bool testata) const {
        const QFont f = carattere(9, testata);
        double h = 0;
        for (std::size_t c = 0; c < r.size() && c < t.larghezze.size(); ++c)
            h = std::max(h, alto_testo(f, t.larghezze[c] * larghezza() - mm(3), q(r[c])));
        return h + mm(2.2);
    }

    // ---- drawing
    // Programme and job, then the site, the date and the page, then the panel when there is one.
    void intestazione(const Intestazione& h, int numero, int totale) {
        QPainter& p = *p_;
        const double x = sinistra(), w = larghezza();
        const double y1 = mm(9.0), y2 = mm(14.5), y3 = mm(19.5);
        p.setPen(Qt::black);
        p.setFont(carattere(8.5, true));
        p.drawText(QRectF(x, y1 - mm(4), w, mm(5)), Qt::AlignLeft | Qt::AlignBottom,
                   q(h.programma) + "  " + q(h.versione));
        p.drawText(QRectF(x, y1 - mm(4), w, mm(5)), Qt::AlignRight | Qt::AlignBottom,
                   "Lavoro: " + q(h.lavoro));
        p.setFont(carattere(8));
        QString sito = q(h.coordinate);
        if (!h.localita.empty()) sito = q(h.localita) + "  –  " + sito;
        p.drawText(QRectF(x, y2 - mm(4), w, mm(5)), Qt::AlignLeft | Qt::AlignBottom, sito);
        p.drawText(QRectF(x, y2 - mm(4), w, mm(5)), Qt::AlignRight | Qt::AlignBottom,
                   q(h.data) + "    pagina " + QString::number(numero) + " di " +
                       QString::number(totale));
        double riga = mm(16.5);
        if (!h.pannello.empty()) {
            // A long description is shortened with "…": the title block holds it whole.
            p.setFont(carattere(8.5, true));
            const QString testo = QFontMetricsF(p.font(), device_)
                                      .elidedText("Pannello " + q(h.pannello), Qt::ElideRight, w);
            p.drawText(QRectF(x, y3 - mm(4), w, mm(5)), Qt::AlignLeft | Qt::AlignBottom, testo);
            riga = mm(21.0);
        }
        p.setPen(QPen(Qt::black, mm(0.25)));
        p.drawLine(QPointF(x, riga), QPointF(x + w, riga));
    }

    void titolo() {
        QPainter& p = *p_;
        const double x = sinistra(), w = larghezza();
        double y = mm(kMargineSu);
        p.setPen(Qt::black);
        p.setFont(carattere(17, true));
        p.drawText(QRectF(x, y, w, mm(9)), Qt::AlignHCenter | Qt::AlignVCenter, q(doc_.titolo));
        p.setFont(carattere(10.5));
        p.drawText(QRectF(x, y + mm(9), w, mm(6)), Qt::AlignHCenter | Qt::AlignVCenter,
                   q(doc_.sottotitolo));
        // Title block: label and value in two columns inside a frame; long values wrap.
        const double top = y + mm(18);
        const std::vector<Voce> voci = voci_titolo();
        QRectF cornice(x + mm(20), top, w - mm(40), altezza_cornice());
        p.setPen(QPen(Qt::black, mm(0.3)));
        p.drawRect(cornice);
        double yy = top + mm(1);
        for (const Voce& v : voci) {
            const double h = alto_voce(v);
            p.setFont(carattere(9, true));
            p.drawText(QRectF(cornice.left() + mm(3), yy, mm(28), h),
                       Qt::AlignLeft | Qt::AlignVCenter, v.first);
            scrivi(font_voce(v), QRectF(cornice.left() + da_voce(v), yy, larghezza_voce(v), h),
                   v.second, Qt::AlignLeft | Qt::AlignVCenter);
            yy += h;
        }
    }

    using Voce = std::pair<QString, QString>;
    std::vector<Voce> voci_titolo() const {
        const auto& h = doc_.intestazione;
        std::vector<Voce> voci = {{"Programma", q(h.programma) + "  versione " + q(h.versione)},
                                  {"Lavoro", q(h.lavoro)}};
        if (!h.pannello.empty()) voci.push_back({"Pannello", q(h.pannello)});
        for (const auto& [etichetta, valore] : h.dati_lavoro) voci.push_back({q(etichetta), q(valore)});
        voci.push_back({"Sito", h.localita.empty()
                                    ? q(h.coordinate)
                                    : q(h.localita) + "  –  " + q(h.coordinate)});
        voci.push_back({"Data", q(h.data)});
        return voci;
    }
    // A line without a label (the initial-site notice) takes the box's whole width.
    QFont font_voce(const Voce& v) const { return carattere(v.first.isEmpty() ? 8.5 : 9); }
    double da_voce(const Voce& v) const { return v.first.isEmpty() ? mm(3) : mm(32); }
    double larghezza_voce(const Voce& v) const { return larghezza() - mm(40) - da_voce(v) - mm(3); }
    double alto_voce(const Voce& v) const {
        return std::max(mm(5.2), alto_testo(font_voce(v), larghezza_voce(v), v.second) + mm(1));
    }
    double altezza_cornice() const {
        double h = mm(2);
        for (const Voce& v : voci_titolo()) h += alto_voce(v);
        return h;
    }

    double titolo_sezione(const Sezione& s, double y) {
        QPainter& p = *p_;
        p.setPen(Qt::black);
        const double h = altezza_sezione(s);
        scrivi(carattere(12, true), QRectF(sinistra(), y + mm(2), larghezza(), h - mm(4)),
               q(s.titolo), Qt::AlignLeft | Qt::AlignVCenter);
        p.setPen(QPen(QColor(120, 120, 120), mm(0.2)));
        p.drawLine(QPointF(sinistra(), y + h - mm(1.7)),
                   QPointF(sinistra() + larghezza(), y + h - mm(1.7)));
        return h;
    }

    void disegna(const Paragrafo& x, double y) {
        p_->setPen(Qt::black);
        scrivi(font_paragrafo(x),
               QRectF(sinistra(), y + (x.titoletto ? mm(1) : 0.0), larghezza(), 1e7), q(x.testo));
    }

    void disegna(const Formula& x, double y) {
        QPainter& p = *p_;
        const double rientro = sinistra() + mm(8);
        const double w = larghezza() - mm(8);
        const double h = misura(x) - mm(2.0);
        p.fillRect(QRectF(sinistra() + mm(3), y, mm(0.8), h), QColor(0, 70, 160));
        p.setPen(Qt::black);
        if (!x.simbolica.empty())
            scrivi(carattere(10, false, true, true), QRectF(rientro, y, w, 1e7), q(x.simbolica));
        if (!x.numerica.empty()) {
            const double dy = alto_simbolica(x) + mm(1.2);
            scrivi(carattere(9.5, false, false, true), QRectF(rientro, y + dy, w, 1e7),
                   q(x.numerica));
        }
    }

    // The header and the rows [da, a) of the table; the shading of every other row starts again
    // on each page.
    void disegna(const Tabella& t, double y, std::size_t da, std::size_t a) {
        QPainter& p = *p_;
        double totale = 0;
        for (double l : t.larghezze) totale += l * larghezza();
        const auto riga = [&](const std::vector<std::string>& r, bool testata, bool pari) {
            const double h = riga_alta(t, r, testata);
            if (testata)
                p.fillRect(QRectF(sinistra(), y, totale, h), QColor(225, 230, 238));
            else if (pari)
                p.fillRect(QRectF(sinistra(), y, totale, h), QColor(246, 247, 250));
            p.setPen(Qt::black);
            p.setFont(carattere(9, testata));
            double x = sinistra();
            for (std::size_t c = 0; c < r.size() && c < t.larghezze.size(); ++c) {
                const double w = t.larghezze[c] * larghezza();
                Qt::Alignment a = Qt::AlignLeft;
                if (c < t.allineamenti.size() && t.allineamenti[c] == Allineamento::destra)
                    a = Qt::AlignRight;
                if (c < t.allineamenti.size() && t.allineamenti[c] == Allineamento::centro)
                    a = Qt::AlignHCenter;
                scrivi(carattere(9, testata),
                       QRectF(x + mm(1.5), y + mm(1.1), w - mm(3), h - mm(2.2)), q(r[c]),
                       a | Qt::AlignVCenter);
                x += w;
            }
            p.setPen(QPen(QColor(150, 150, 150), mm(0.15)));
            p.drawLine(QPointF(sinistra(), y + h), QPointF(sinistra() + totale, y + h));
            y += h;
        };
        p.setPen(QPen(Qt::black, mm(0.3)));
        p.drawLine(QPointF(sinistra(), y), QPointF(sinistra() + totale, y));
        riga(t.intestazioni, true, false);
        p.setPen(QPen(Qt::black, mm(0.2)));
        p.drawLine(QPointF(sinistra(), y), QPointF(sinistra() + totale, y));
        for (std::size_t i = da; i < std::min(a, t.righe.size()); ++i)
            riga(t.righe[i], false, (i - da) % 2 == 1);
        p.setPen(QPen(Qt::black, mm(0.3)));
        p.drawLine(QPointF(sinistra(), y), QPointF(sinistra() + totale, y));
    }

    void disegna(const Esito& e, double y) {
        QPainter& p = *p_;
        const double h = misura(e) - mm(2);
        QRectF r(sinistra(), y, larghezza(), h);
        QColor c = colore(e.colore);
        p.setPen(QPen(c, mm(0.6)));
        QColor fondo = c;
        fondo.setAlpha(28);
        p.setBrush(fondo);
        p.drawRect(r);
        p.setBrush(Qt::NoBrush);
        scrivi(carattere(11, true), r.adjusted(mm(4), 0, -mm(4), 0), q(e.testo),
               Qt::AlignVCenter | Qt::AlignLeft);
    }

    // The frame with the designer's text, and the signature lines under it side by side.
    void disegna(const Riquadro& r, double y) {
        QPainter& p = *p_;
        const QRectF cornice(sinistra(), y, larghezza(), altezza_riquadro(r));
        p.setPen(QPen(Qt::black, mm(0.3)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cornice);
        p.setPen(Qt::black);
        scrivi(carattere(9.5), cornice.adjusted(mm(4), mm(3), -mm(4), -mm(3)), q(r.testo));
        p.setFont(carattere(9.5));
        if (r.firme.empty()) return;
        const double w = larghezza() / static_cast<double>(r.firme.size());
        const double yy = cornice.bottom() + mm(11);
        for (std::size_t i = 0; i < r.firme.size(); ++i) {
            const double x = sinistra() + w * static_cast<double>(i);
            p.setPen(Qt::black);
            const QRectF etichetta(x, yy - mm(5), mm(30), mm(5));
            p.drawText(etichetta, Qt::AlignLeft | Qt::AlignBottom, q(r.firme[i]));
            p.setPen(QPen(Qt::black, mm(0.2)));
            p.drawLine(QPointF(x + mm(30), yy), QPointF(x + w - mm(8), yy));
        }
    }

    void disegna(const DisegnoVincoli& d, double y) { disegna(d, y, sinistra() + mm(20)); }

    void disegna(const DisegnoVincoli& d, double y, double x) { disegna_vincoli(*p_, d, y, x); }

    void disegna(const Grafico& g, double y) {
        disegna_grafico(*p_, device_, g,
                        QRectF(sinistra(), y, larghezza(), mm(kAltezzaGrafico) - mm(2)));
    }

    const Documento& doc_;
    QPaintDevice* device_;
    Consegna consegna_;
    const Intestazione* testata_ = nullptr;  // of the page being filled
    QPainter* p_ = nullptr;
    std::vector<Posato> pagina_;  // the page being filled
    double y_ = 0;
    int consegnate_ = 0;
    // The parts of split blocks, each with the first page that may name it: kept until then.
    std::deque<std::pair<int, Blocco>> pezzi_;
};

}  // namespace

std::optional<QString> caratteri_mancanti() {
    // A font that cannot be loaded (no font files, no descriptors left) draws no text: the PDF
    // would come out with empty pages.
    for (const QFont& f : {carattere(9), carattere(9, true), carattere(9, false, true, true)}) {
        const QRawFont r = QRawFont::fromFont(f);
        if (!r.isValid() || !r.supportsCharacter(QChar(u'a')) || r.fontTable("head").isEmpty())
            return QStringLiteral(
                       "Impossibile caricare i caratteri della relazione (%1): la "
                       "relazione non è stata scritta.")
                .arg(f.families().value(0));
    }
    return std::nullopt;
}

namespace {

void prepara(QPdfWriter& pdf, const Documento& doc) {
    pdf.setResolution(kDpi);
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    pdf.setTitle(QString::fromStdString(doc.titolo + " - " + doc.intestazione.lavoro));
    pdf.setCreator(
        QString::fromStdString(doc.intestazione.programma + " " + doc.intestazione.versione));
}

// The whole report laid out, part after part, each page filled handed on. A part is built when
// its turn comes and dropped once the pages naming its blocks are handed on. nullopt when laid
// out, else the message that stopped it (empty when `avanzamento` stopped it).
std::optional<QString> impagina(Impaginatore& imp, FonteRelazione& fonte, FaseRelazione fase,
                                const AvanzamentoRelazione& avanzamento) {
    imp.inizia();
    for (const Sezione& s : fonte.inizio().sezioni)
        if (auto e = imp.aggiungi(s)) return e;
    std::deque<std::pair<int, Parte>> vive;  // with the last page naming them
    const std::size_t n = fonte.parti();
    for (std::size_t i = 0; i < n; ++i) {
        vive.emplace_back(0, fonte.parte(i));
        imp.inizia_parte(&vive.back().second.intestazione);
        for (const Sezione& s : vive.back().second.sezioni)
            if (auto e = imp.aggiungi(s)) return e;
        vive.back().first = imp.aperta();
        while (!vive.empty() && vive.front().first <= imp.consegnate()) vive.pop_front();
        if (avanzamento && !avanzamento(fase, i + 1, n)) return QString();
    }
    const std::vector<Sezione> fine = fonte.fine();
    if (!fine.empty()) imp.inizia_parte(nullptr);
    for (const Sezione& s : fine)
        if (auto e = imp.aggiungi(s)) return e;
    imp.chiudi();
    return std::nullopt;
}

}  // namespace

UscitaFlusso::UscitaFlusso(std::ostream& flusso) : flusso_(flusso) {
    open(QIODevice::WriteOnly);
}

qint64 UscitaFlusso::readData(char*, qint64) {
    return -1;
}

qint64 UscitaFlusso::writeData(const char* dati, qint64 n) {
    flusso_.write(dati, static_cast<std::streamsize>(n));
    return flusso_ ? n : -1;
}

std::optional<QString> disegna_relazione_pdf(FonteRelazione& fonte,
                                             const std::function<QIODevice*()>& apri,
                                             const AvanzamentoRelazione& avanzamento) {
    if (auto mancanti = caratteri_mancanti()) return *mancanti;
    const Documento& doc = fonte.inizio();
    try {
        // The pages counted first, for "pagina N di M", on a writer of the same measures that
        // writes nothing; only a report laid out whole opens its output.
        QBuffer nessuna;
        nessuna.open(QIODevice::WriteOnly);
        QPdfWriter misure(&nessuna);
        prepara(misure, doc);
        Impaginatore conta(doc, &misure, {});
        if (auto e = impagina(conta, fonte, FaseRelazione::impaginazione, avanzamento)) return e;
        const int totale = conta.consegnate();

        QIODevice* uscita = apri();
        if (!uscita) return QString();
        QPdfWriter pdf(uscita);
        prepara(pdf, doc);
        QPainter p;
        if (!p.begin(&pdf)) return QStringLiteral("Impossibile disegnare la relazione.");
        p.setRenderHint(QPainter::Antialiasing);
        Impaginatore imp(doc, &pdf,
                         [&](Impaginatore& i, const std::vector<Posato>& pagina, int numero) {
                             if (numero > 1) pdf.newPage();
                             i.disegna(p, pagina, numero, totale);
                         });
        if (auto e = impagina(imp, fonte, FaseRelazione::scrittura, avanzamento)) return e;
        if (!p.end()) return QStringLiteral("Impossibile disegnare la relazione.");
    } catch (const Failure& e) {  // a part that could not be built again
        return QString::fromStdString(e.what());
    }
    return std::nullopt;
}

std::variant<QByteArray, QString> relazione_pdf(const Documento& doc) {
    QByteArray byte;
    QBuffer uscita(&byte);
    FonteDocumento fonte(doc);
    const auto errore = disegna_relazione_pdf(fonte, [&]() -> QIODevice* {
        uscita.open(QIODevice::WriteOnly);
        return &uscita;
    });
    if (errore) return *errore;
    return byte;
}

std::optional<QString> scrivi_relazione_pdf(FonteRelazione& fonte, const QString& file,
                                            const AvanzamentoRelazione& avanzamento) {
    // Through the one writer, page by page: a report stopped or failed leaves the file as it was.
    std::optional<text::FileAtomico> uscita;
    std::optional<UscitaFlusso> flusso;
    const auto errore = disegna_relazione_pdf(
        fonte,
        [&]() -> QIODevice* {
            uscita.emplace(QFile::encodeName(file).toStdString());
            if (!uscita->aperto()) return nullptr;
            return &flusso.emplace(uscita->stream());
        },
        avanzamento);
    if (errore && (!errore->isEmpty() || !uscita || uscita->aperto())) return errore;
    if (!errore && uscita->conferma()) return std::nullopt;
    return QStringLiteral("Impossibile scrivere la relazione nel file %1: %2")
        .arg(file, QString::fromStdString(uscita->motivo()));
}

std::optional<QString> scrivi_relazione_pdf(const Documento& doc, const QString& file) {
    FonteDocumento fonte(doc);
    return scrivi_relazione_pdf(fonte, file, {});
}

}  // namespace tv::relazione
