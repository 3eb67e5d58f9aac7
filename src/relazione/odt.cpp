// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report as an OpenDocument text, from the same document model as the PDF:
// headings and paragraphs, tables as tables, formulas as text, plots as pictures.
#include "relazione/odt.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>
#include <QUrl>

#include "relazione/grafico_pdf.h"
#include "text/error.h"
#include "text/file_atomico.h"

namespace tv::relazione {

namespace {

constexpr double kDpiImmagini = 200;  // the plots' pictures; drawn at the PDF's 600 dpi
constexpr double kLarghezzaTestoMm = 170, kAltezzaGraficoMm = 80;

QTextCharFormat carattere_testo(double punti, bool grassetto = false, bool corsivo = false,
                                bool serif = false) {
    QTextCharFormat f;
    f.setFont(carattere(punti, grassetto, corsivo, serif));
    return f;
}

Qt::Alignment allineamento(Allineamento a) {
    switch (a) {
        case Allineamento::sinistra: return Qt::AlignLeft;
        case Allineamento::destra: return Qt::AlignRight;
        case Allineamento::centro: return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

class Scrittore {
  public:
    explicit Scrittore(QTextDocument& doc) : doc_(doc), c_(&doc) {}

    void paragrafo(const std::string& testo, const QTextCharFormat& f, double rientro_mm = 0,
                   Qt::Alignment a = Qt::AlignLeft, double sopra_mm = 1.5) {
        QTextBlockFormat b;
        b.setAlignment(a);
        b.setLeftMargin(rientro_mm * 72 / 25.4);
        b.setTopMargin(sopra_mm * 72 / 25.4);
        if (primo_) {
            c_.setBlockFormat(b);
            c_.setCharFormat(f);
            primo_ = false;
        } else {
            c_.insertBlock(b, f);
        }
        c_.insertText(q(testo), f);
    }

    void titolo(const std::string& testo, int livello, double punti) {
        paragrafo(testo, carattere_testo(punti, true), 0, Qt::AlignLeft, livello == 1 ? 2 : 5);
        QTextBlockFormat b = c_.blockFormat();
        b.setHeadingLevel(livello);
        c_.setBlockFormat(b);
    }

    void operator()(const Paragrafo& p) {
        paragrafo(p.testo, carattere_testo(p.titoletto ? 10 : 9.5, p.titoletto));
    }
    void operator()(const Formula& f) {
        if (!f.simbolica.empty()) paragrafo(f.simbolica, carattere_testo(10, false, true, true), 6);
        if (!f.numerica.empty())
            paragrafo(f.numerica, carattere_testo(9.5, false, false, true), 6, Qt::AlignLeft,
                      f.simbolica.empty() ? 1.5 : 0.3);
    }
    void operator()(const Tabella& t) {
        const int colonne = static_cast<int>(t.larghezze.size());
        const int righe = static_cast<int>(t.righe.size()) + (t.intestazioni.empty() ? 0 : 1);
        if (colonne == 0 || righe == 0) return;
        QTextTableFormat f;
        f.setCellPadding(2);
        f.setCellSpacing(0);
        f.setBorder(0.5);
        f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        QList<QTextLength> larghezze;
        for (double l : t.larghezze) larghezze << QTextLength(QTextLength::PercentageLength, 100 * l);
        f.setColumnWidthConstraints(larghezze);
        f.setHeaderRowCount(t.intestazioni.empty() ? 0 : 1);
        QTextTable* tabella = c_.insertTable(righe, colonne, f);
        int r = 0;
        const auto riga = [&](const std::vector<std::string>& celle, bool testata) {
            for (int k = 0; k < colonne && k < static_cast<int>(celle.size()); ++k) {
                QTextCursor cella = tabella->cellAt(r, k).firstCursorPosition();
                QTextBlockFormat b;
                b.setAlignment(allineamento(t.allineamenti.at(static_cast<std::size_t>(k))));
                cella.setBlockFormat(b);
                cella.insertText(q(celle[static_cast<std::size_t>(k)]),
                                 carattere_testo(8.5, testata));
            }
            ++r;
        };
        if (!t.intestazioni.empty()) riga(t.intestazioni, true);
        for (const auto& celle : t.righe) riga(celle, false);
        c_.movePosition(QTextCursor::End);
    }
    void operator()(const Grafico& g) {
        // Drawn as the PDF draws it (its sizes are in 600 dpi units), kept at 200 dpi.
        const double scala = kDpiImmagini / kDpi;
        QImage immagine(static_cast<int>(mm(kLarghezzaTestoMm) * scala),
                        static_cast<int>(mm(kAltezzaGraficoMm) * scala), QImage::Format_RGB32);
        immagine.fill(Qt::white);
        immagine.setDotsPerMeterX(static_cast<int>(kDpi / 0.0254));
        immagine.setDotsPerMeterY(static_cast<int>(kDpi / 0.0254));
        {
            QPainter p(&immagine);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(scala, scala);
            disegna_grafico(p, &immagine, g, QRectF(0, 0, mm(kLarghezzaTestoMm), mm(kAltezzaGraficoMm)));
        }
        immagine.setDotsPerMeterX(static_cast<int>(kDpiImmagini / 0.0254));
        immagine.setDotsPerMeterY(static_cast<int>(kDpiImmagini / 0.0254));
        const QString nome = QStringLiteral("grafico%1.png").arg(++grafici_);
        doc_.addResource(QTextDocument::ImageResource, QUrl(nome), immagine);
        paragrafo("", carattere_testo(9.5), 0, Qt::AlignHCenter);
        QTextImageFormat f;
        f.setName(nome);
        f.setWidth(kLarghezzaTestoMm * 72 / 25.4);
        f.setHeight(kAltezzaGraficoMm * 72 / 25.4);
        c_.insertImage(f);
    }
    void operator()(const DisegnoVincoli& v) {
        const auto lato = [](bool appoggiato) { return appoggiato ? "appoggiato" : "libero"; };
        paragrafo(std::string("Vincoli dei lati: superiore ") + lato(v.superiore) + ", sinistro " +
                      lato(v.sinistro) + ", inferiore " +
                      (v.incastro ? "incastrato" : lato(v.inferiore)) + ", destro " +
                      lato(v.destro) + "; " + v.testo_B + ", " + v.testo_L + ".",
                  carattere_testo(9.5, false, true));
    }
    void operator()(const Esito& e) {
        QTextCharFormat f = carattere_testo(10.5, true);
        f.setForeground(colore(e.colore));
        paragrafo(e.testo, f, 0, Qt::AlignLeft, 3);
    }
    void operator()(const Riquadro& r) {
        QTextTableFormat f;
        f.setBorder(0.5);
        f.setCellPadding(6);
        f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        QTextTable* t = c_.insertTable(1, 1, f);
        QTextCursor cella = t->cellAt(0, 0).firstCursorPosition();
        // Room to write by hand when the job gave no text.
        cella.insertText(r.testo.empty() ? QString(8, QChar::LineSeparator) : q(r.testo),
                         carattere_testo(9.5));
        c_.movePosition(QTextCursor::End);
        std::string firme;
        for (const std::string& x : r.firme) firme += (firme.empty() ? "" : "          ") + x + " ____________________";
        if (!firme.empty()) paragrafo(firme, carattere_testo(9.5), 0, Qt::AlignLeft, 8);
    }

    void sezione(const Sezione& s) {
        titolo(s.titolo, 2, 12);
        for (const Blocco& b : s.blocchi) std::visit(*this, b);
    }

  private:
    QTextDocument& doc_;
    QTextCursor c_;
    bool primo_ = true;
    int grafici_ = 0;
};

std::string sito(const Intestazione& i) {
    return (i.localita.empty() ? "" : i.localita + " – ") + i.coordinate;
}

}  // namespace

std::variant<QByteArray, QString> relazione_odt(FonteRelazione& fonte) {
    try {
        QTextDocument doc;
        doc.setDefaultFont(carattere(9.5));
        Scrittore s(doc);
        const Documento& inizio = fonte.inizio();
        const Intestazione& i = inizio.intestazione;
        s.titolo(inizio.titolo, 1, 16);
        s.paragrafo(inizio.sottotitolo, carattere_testo(10.5));
        s.paragrafo("Programma: " + i.programma + " " + i.versione, carattere_testo(9.5), 0,
                    Qt::AlignLeft, 4);
        s.paragrafo("Lavoro: " + i.lavoro, carattere_testo(9.5), 0, Qt::AlignLeft, 0.5);
        if (!i.pannello.empty())
            s.paragrafo("Pannello: " + i.pannello, carattere_testo(9.5), 0, Qt::AlignLeft, 0.5);
        s.paragrafo("Sito: " + sito(i), carattere_testo(9.5), 0, Qt::AlignLeft, 0.5);
        s.paragrafo("Data: " + i.data, carattere_testo(9.5), 0, Qt::AlignLeft, 0.5);
        for (const auto& [voce, valore] : i.dati_lavoro)
            s.paragrafo(voce + ": " + valore, carattere_testo(9.5), 0, Qt::AlignLeft, 0.5);
        for (const Sezione& x : inizio.sezioni) s.sezione(x);
        // A text has no page headers: each part opens with its panel and its site.
        for (std::size_t k = 0; k < fonte.parti(); ++k) {
            const Parte p = fonte.parte(k);
            s.paragrafo("Pannello " + p.intestazione.pannello + " – sito: " + sito(p.intestazione),
                        carattere_testo(10, true), 0, Qt::AlignLeft, 6);
            for (const Sezione& x : p.sezioni) s.sezione(x);
        }
        for (const Sezione& x : fonte.fine()) s.sezione(x);
        QByteArray byte;
        QBuffer uscita(&byte);
        uscita.open(QIODevice::WriteOnly);
        QTextDocumentWriter scrittore(&uscita, "ODF");
        if (!scrittore.write(&doc)) return QStringLiteral("Impossibile comporre la relazione in ODT.");
        return byte;
    } catch (const Failure& e) {  // a part that could not be built
        return QString::fromStdString(e.what());
    }
}

std::optional<QString> scrivi_relazione_odt(FonteRelazione& fonte, const QString& file) {
    auto odt = relazione_odt(fonte);
    if (const auto* errore = std::get_if<QString>(&odt)) return *errore;
    const QByteArray& byte = std::get<QByteArray>(odt);
    // Written whole or not at all, as every file of the program.
    if (const auto motivo = text::scrivi_file_intero(QFile::encodeName(file).toStdString(),
                                                     std::string_view(byte.constData(),
                                                                      static_cast<std::size_t>(byte.size()))))
        return QStringLiteral("Impossibile scrivere la relazione nel file %1: %2")
            .arg(file, QString::fromStdString(*motivo));
    return std::nullopt;
}

}  // namespace tv::relazione
