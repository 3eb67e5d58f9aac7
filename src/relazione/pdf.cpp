// PDF renderer of the calculation report: lays the document's blocks out on A4 pages (a first
// pass to count the pages for "pagina N di M"), then draws text, tables, formulas and plots.
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
#include <memory>
#include <vector>

#include "relazione/grafico_pdf.h"
#include "text/file_atomico.h"

namespace tv::relazione {

namespace {

constexpr double kPaginaL = 210.0, kPaginaA = 297.0;  // mm
constexpr double kMargineSx = 20.0, kMargineDx = 18.0, kMargineSu = 24.0, kMargineGiu = 16.0;
constexpr double kAltezzaGrafico = 82.0;

// One block placed on a page: y is its top; a section heading goes with its first block.
struct Posato {
    const Blocco* blocco = nullptr;
    const Sezione* sezione = nullptr;  // set on the first block of a section: heading above it
    const DisegnoVincoli* accanto = nullptr;  // drawn beside a narrow table
    double y = 0;
};

using Pagine = std::vector<std::vector<Posato>>;

class Impaginatore {
  public:
    Impaginatore(const Documento& doc, QPaintDevice* device) : doc_(doc), device_(device) {}

    // Pages of placed blocks; the first page holds the title block above its blocks. A small
    // heading stays with the block after it; a narrow table takes the drawing after it beside.
    // A block that fits no page, even split, gives the message that stops the report.
    std::variant<Pagine, QString> impagina() {
        Pagine pagine(1);
        const double cima = mm(kMargineSu);
        double y = cima + altezza_titolo();
        const double fondo = mm(kPaginaA - kMargineGiu);
        for (const Sezione& s : doc_.sezioni) {
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
                if (par && par->titoletto && j < b.size()) {
                    dopo = altezza(b[j]);  // and the drawing set beside a table
                    if (j + 1 < b.size() && std::holds_alternative<DisegnoVincoli>(b[j + 1]))
                        dopo = std::max(dopo, misura(std::get<DisegnoVincoli>(b[j + 1])));
                    dopo = std::min(dopo, mm(40));
                }
                const Blocco* blocco = &b[i];
                bool primo = i == 0;
                for (;;) {
                    const double testa = mm(3.0) + (primo ? altezza_sezione(s) : 0.0);
                    double h = altezza(*blocco);
                    if (accanto) h = std::max(h, misura(*accanto));
                    const double spazio = fondo - y;
                    const bool fresca = y <= cima;
                    if (h + testa + dopo <= spazio || (fresca && h + testa <= spazio)) {
                        pagine.back().push_back({blocco, primo ? &s : nullptr, accanto, y});
                        y += h + testa;
                        break;
                    }
                    if (!accanto) {
                        if (auto parti = dividi(*blocco, spazio - testa)) {
                            pezzi_.push_back(std::move(parti->first));
                            pagine.back().push_back(
                                {&pezzi_.back(), primo ? &s : nullptr, nullptr, y});
                            pezzi_.push_back(std::move(parti->second));
                            blocco = &pezzi_.back();
                            primo = false;
                            dopo = 0;
                            pagine.emplace_back();
                            y = cima;
                            continue;
                        }
                    }
                    if (fresca)
                        return QStringLiteral(
                                   "Un elemento della sezione \"%1\" non entra in una pagina: la "
                                   "relazione non è stata scritta.")
                            .arg(q(s.titolo));
                    pagine.emplace_back();
                    y = cima;
                }
                i = j;
            }
        }
        return pagine;
    }

    void disegna(QPainter& p, const std::vector<Posato>& pagina, int numero, int totale) {
        p_ = &p;
        intestazione(numero, totale);
        if (numero == 1) titolo();
        for (const Posato& b : pagina) {
            double y = b.y;
            if (b.sezione) y += titolo_sezione(*b.sezione, y);
            std::visit([&](const auto& x) { disegna(x, y); }, *b.blocco);
            if (b.accanto)
                disegna(*b.accanto, y,
                        sinistra() + larghezza_tabella(std::get<Tabella>(*b.blocco)) + mm(12));
        }
    }

  private:
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

    // The part of `b` that fits in `spazio` and the rest, when `b` can be split there: a table
    // between rows (the header on both), a paragraph or a frame's text between lines.
    std::optional<std::pair<Blocco, Blocco>> dividi(const Blocco& b, double spazio) const {
        if (const auto* t = std::get_if<Tabella>(&b)) {
            double h = riga_alta(*t, t->intestazioni, true);
            std::size_t k = 0;
            while (k < t->righe.size() && h + riga_alta(*t, t->righe[k], false) <= spazio)
                h += riga_alta(*t, t->righe[k++], false);
            if (k == 0 || k == t->righe.size()) return std::nullopt;
            Tabella a = *t, r = *t;
            a.righe.assign(t->righe.begin(), t->righe.begin() + static_cast<std::ptrdiff_t>(k));
            r.righe.assign(t->righe.begin() + static_cast<std::ptrdiff_t>(k), t->righe.end());
            return std::pair<Blocco, Blocco>{std::move(a), std::move(r)};
        }
        if (const auto* x = std::get_if<Paragrafo>(&b)) {
            if (x->titoletto) return std::nullopt;
            const auto taglio = righe_entro(font_paragrafo(*x), larghezza(), x->testo, spazio);
            if (!taglio) return std::nullopt;
            return std::pair<Blocco, Blocco>{Paragrafo{taglio->first, false},
                                             Paragrafo{taglio->second, false}};
        }
        if (const auto* x = std::get_if<Riquadro>(&b)) {
            const auto taglio =
                righe_entro(carattere(9.5), larghezza() - mm(8), x->testo, spazio - mm(6));
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
    void intestazione(int numero, int totale) {
        QPainter& p = *p_;
        const double x = sinistra(), w = larghezza();
        const double y1 = mm(9.0), y2 = mm(14.5);
        p.setPen(Qt::black);
        p.setFont(carattere(8.5, true));
        p.drawText(QRectF(x, y1 - mm(4), w, mm(5)), Qt::AlignLeft | Qt::AlignBottom,
                   q(doc_.intestazione.programma) + "  " + q(doc_.intestazione.versione));
        p.drawText(QRectF(x, y1 - mm(4), w, mm(5)), Qt::AlignRight | Qt::AlignBottom,
                   "Lavoro: " + q(doc_.intestazione.lavoro));
        p.setFont(carattere(8));
        QString sito = q(doc_.intestazione.coordinate);
        if (!doc_.intestazione.localita.empty())
            sito = q(doc_.intestazione.localita) + "  –  " + sito;
        p.drawText(QRectF(x, y2 - mm(4), w, mm(5)), Qt::AlignLeft | Qt::AlignBottom, sito);
        p.drawText(QRectF(x, y2 - mm(4), w, mm(5)), Qt::AlignRight | Qt::AlignBottom,
                   q(doc_.intestazione.data) + "    pagina " + QString::number(numero) + " di " +
                       QString::number(totale));
        p.setPen(QPen(Qt::black, mm(0.25)));
        p.drawLine(QPointF(x, mm(16.5)), QPointF(x + w, mm(16.5)));
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

    void disegna(const Tabella& t, double y) {
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
        for (std::size_t i = 0; i < t.righe.size(); ++i) riga(t.righe[i], false, i % 2 == 1);
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

    void disegna(const DisegnoVincoli& d, double y, double x) {
        QPainter& p = *p_;
        const double maxW = mm(58), maxH = mm(32);
        const double scala = std::min(maxW / std::max(d.B, 1e-9), maxH / std::max(d.L, 1e-9));
        const double w = d.B * scala, h = d.L * scala;
        const double x0 = x + mm(8) + (maxW - w) / 2, y0 = y + mm(3) + (maxH - h) / 2;
        QRectF r(x0, y0, w, h);
        p.fillRect(r, QColor(236, 226, 214));
        const auto lato = [&](QPointF a, QPointF b, bool appoggiato, QPointF fuori) {
            if (appoggiato) {
                p.setPen(QPen(Qt::black, mm(0.7)));
                p.drawLine(a, b);
                // Hatching on the outer side: the support.
                p.setPen(QPen(Qt::black, mm(0.2)));
                const double lun = std::hypot(b.x() - a.x(), b.y() - a.y());
                const int n = std::max(3, static_cast<int>(lun / mm(3)));
                for (int i = 0; i <= n; ++i) {
                    const QPointF m = a + (b - a) * (static_cast<double>(i) / n);
                    p.drawLine(m, m + fuori * mm(2) + (b - a) / lun * mm(1.5));
                }
            } else {
                p.setPen(QPen(QColor(110, 110, 110), mm(0.3), Qt::DashLine));
                p.drawLine(a, b);
            }
        };
        lato(r.topLeft(), r.topRight(), d.superiore, QPointF(0, -1));
        lato(r.bottomLeft(), r.bottomRight(), d.inferiore, QPointF(0, 1));
        lato(r.topLeft(), r.bottomLeft(), d.sinistro, QPointF(-1, 0));
        lato(r.topRight(), r.bottomRight(), d.destro, QPointF(1, 0));
        p.setPen(Qt::black);
        p.setFont(carattere(8.5));
        p.drawText(QRectF(x0 - mm(10), y0 + h + mm(2.5), w + mm(20), mm(5)),
                   Qt::AlignHCenter | Qt::AlignTop, q(d.testo_B));
        p.save();
        p.translate(x0 - mm(3), y0 + h / 2);
        p.rotate(-90);
        p.drawText(QRectF(-mm(30), -mm(5), mm(60), mm(5)), Qt::AlignHCenter | Qt::AlignBottom,
                   q(d.testo_L));
        p.restore();
        // Legend under the drawing.
        const double ly = y + maxH + mm(12), lx = x + mm(8);
        p.setPen(QPen(Qt::black, mm(0.7)));
        p.drawLine(QPointF(lx, ly), QPointF(lx + mm(8), ly));
        p.setPen(QPen(QColor(110, 110, 110), mm(0.3), Qt::DashLine));
        p.drawLine(QPointF(lx + mm(32), ly), QPointF(lx + mm(40), ly));
        p.setPen(Qt::black);
        p.drawText(QRectF(lx + mm(10), ly - mm(3), mm(22), mm(6)), Qt::AlignVCenter, "Appoggiato");
        p.drawText(QRectF(lx + mm(42), ly - mm(3), mm(22), mm(6)), Qt::AlignVCenter, "Libero");
    }

    void disegna(const Grafico& g, double y) {
        disegna_grafico(*p_, device_, g,
                        QRectF(sinistra(), y, larghezza(), mm(kAltezzaGrafico) - mm(2)));
    }

    const Documento& doc_;
    QPaintDevice* device_;
    QPainter* p_ = nullptr;
    std::deque<Blocco> pezzi_;  // the parts of split blocks, kept while their pages are drawn
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

std::variant<QByteArray, QString> relazione_pdf(const Documento& doc) {
    if (auto mancanti = caratteri_mancanti()) return *mancanti;
    QByteArray byte;
    QBuffer uscita(&byte);
    uscita.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&uscita);
        pdf.setResolution(kDpi);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setTitle(QString::fromStdString(doc.titolo + " - " + doc.intestazione.lavoro));
        pdf.setCreator(
            QString::fromStdString(doc.intestazione.programma + " " + doc.intestazione.versione));

        Impaginatore imp(doc, &pdf);
        const auto impaginate = imp.impagina();
        if (const auto* errore = std::get_if<QString>(&impaginate)) return *errore;
        const Pagine& pagine = std::get<Pagine>(impaginate);
        QPainter p;
        if (!p.begin(&pdf)) return QStringLiteral("Impossibile disegnare la relazione.");
        p.setRenderHint(QPainter::Antialiasing);
        for (std::size_t i = 0; i < pagine.size(); ++i) {
            if (i > 0) pdf.newPage();
            imp.disegna(p, pagine[i], static_cast<int>(i) + 1, static_cast<int>(pagine.size()));
        }
        if (!p.end()) return QStringLiteral("Impossibile disegnare la relazione.");
    }
    return byte;
}

std::optional<QString> scrivi_relazione_pdf(const Documento& doc, const QString& file) {
    auto pdf = relazione_pdf(doc);
    if (const auto* errore = std::get_if<QString>(&pdf)) return *errore;
    // Drawn in memory, then written whole by the one writer.
    const QByteArray& byte = std::get<QByteArray>(pdf);
    if (const auto motivo = text::scrivi_file_intero(
            QFile::encodeName(file).toStdString(),
            std::string_view(byte.constData(), static_cast<std::size_t>(byte.size()))))
        return QStringLiteral("Impossibile scrivere la relazione nel file %1: %2")
            .arg(file, QString::fromStdString(*motivo));
    return std::nullopt;
}

}  // namespace tv::relazione
