// SPDX-License-Identifier: GPL-3.0-or-later
// Markdown into QTextDocument, tuned for print, and the document into QPdfWriter.
#include "impagina.h"

#include <QColor>
#include <QDir>
#include <QImageReader>
#include <QUrl>
#include <QFileInfo>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>

namespace tv::manuale {

namespace {

const QColor grigio_chiaro(242, 242, 242);
const QColor grigio_bordo(160, 160, 160);

// A line of a fenced block: the manual's formulas.
bool codice(const QTextBlock& b) {
    return b.isValid() && b.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
}

// Space around headings and paragraphs, a tinted background for the formulas (code blocks) and
// ruled tables with a tinted heading row, for a printed page.
void rifinisci(QTextDocument& documento) {
    for (QTextBlock b = documento.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat formato = b.blockFormat();
        const int livello = formato.headingLevel();
        if (livello > 0) {
            formato.setTopMargin(livello == 1 ? 18 : 12);
            formato.setBottomMargin(6);
            if (livello == 1) formato.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        } else if (codice(b)) {
            formato.setBackground(grigio_chiaro);
            formato.setLeftMargin(formato.leftMargin() + 6);
            formato.setNonBreakableLines(true);
            formato.setTopMargin(codice(b.previous()) ? 0 : 2);
            formato.setBottomMargin(codice(b.next()) ? 0 : 6);
            // Lines of one formula touch: their tint reads as one box.
            QTextCursor(b).setBlockFormat(formato);
            continue;
        } else {
            formato.setBottomMargin(std::max(formato.bottomMargin(), 4.0));
        }
        formato.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
        QTextCursor(b).setBlockFormat(formato);
    }
    // The first page opens with the title: no blank page before it.
    QTextBlock primo = documento.begin();
    if (primo.isValid()) {
        QTextBlockFormat formato = primo.blockFormat();
        formato.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        formato.setTopMargin(0);
        QTextCursor(primo).setBlockFormat(formato);
    }
    for (QTextFrame* figlio : documento.rootFrame()->childFrames()) {
        auto* tabella = qobject_cast<QTextTable*>(figlio);
        if (tabella == nullptr) continue;
        QTextTableFormat formato = tabella->format();
        formato.setCellPadding(3);
        formato.setCellSpacing(0);
        formato.setBorder(0.5);
        formato.setBorderBrush(grigio_bordo);
        formato.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        formato.setBorderCollapse(false);
        formato.setTopMargin(4);
        formato.setBottomMargin(8);
        formato.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        formato.setHeaderRowCount(1);
        tabella->setFormat(formato);
        for (int c = 0; c < tabella->columns(); ++c) {
            QTextTableCell cella = tabella->cellAt(0, c);
            QTextCharFormat f = cella.format();
            f.setBackground(grigio_chiaro);
            cella.setFormat(f);
        }
    }
}

// Pictures read from `cartella` at their own size (formulas drawn at twice it, for print), but
// never wider than `larghezza` (the page's text width).
void adatta_immagini(QTextDocument& documento, const QDir& cartella, double larghezza) {
    for (QTextBlock b = documento.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frammento = it.fragment();
            QTextImageFormat formato = frammento.charFormat().toImageFormat();
            if (!formato.isValid()) continue;
            QImageReader lettore(cartella.filePath(formato.name()));
            const bool vettoriale = formato.name().endsWith(QStringLiteral(".svg"));
            QSize misura = lettore.size();
            if (!misura.isValid()) continue;
            if (vettoriale) lettore.setScaledSize(misura * 4);
            const QImage immagine = lettore.read();
            if (immagine.isNull()) continue;
            documento.addResource(QTextDocument::ImageResource, QUrl(formato.name()), immagine);
            double w = vettoriale ? misura.width() * 1.3 : misura.width();
            double h = vettoriale ? misura.height() * 1.3 : misura.height();
            if (w > larghezza) {
                h *= larghezza / w;
                w = larghezza;
            }
            formato.setWidth(w);
            formato.setHeight(h);
            QTextCursor c(&documento);
            c.setPosition(frammento.position());
            c.setPosition(frammento.position() + frammento.length(), QTextCursor::KeepAnchor);
            c.setCharFormat(formato);
        }
    }
}

}  // namespace

QString titolo_di(const QString& markdown) {
    static const QRegularExpression intestazione(QStringLiteral("^#\\s+(.+?)\\s*#*\\s*$"),
                                                 QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = intestazione.match(markdown);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString impagina(const QString& markdown, const QString& pdf, const QString& titolo,
                 const QString& immagini) {
    QTextDocument documento;
    const QDir cartella(immagini.isEmpty() ? QStringLiteral(".") : immagini);
    documento.setBaseUrl(QUrl::fromLocalFile(cartella.absolutePath() + QLatin1Char('/')));
    QFont carattere(QStringLiteral("DejaVu Sans"));
    carattere.setStyleHint(QFont::SansSerif);
    carattere.setPointSizeF(10);
    documento.setDefaultFont(carattere);
    documento.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    if (documento.isEmpty()) return QStringLiteral("Il testo del manuale è vuoto.");
    rifinisci(documento);
    adatta_immagini(documento, cartella, 640);

    QPdfWriter scrittore(pdf);
    scrittore.setTitle(titolo);
    scrittore.setCreator(QStringLiteral("TORVELANDO PANNELLI MURARI"));
    scrittore.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    documento.print(&scrittore);
    if (!QFileInfo(pdf).isFile() || QFileInfo(pdf).size() == 0)
        return QStringLiteral("Impossibile scrivere il file \"%1\".").arg(pdf);
    return {};
}

}  // namespace tv::manuale
