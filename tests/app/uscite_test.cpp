// "COPIA", "STAMPA" and "SALVA" on the real window with answered dialogs: the picture without the
// buttons, one printed page, the BMP file, and the messages for faults.
#include "app/uscite.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>

#include "app/colori.h"
#include "finestra_prova.h"

namespace {

using tv::app::Uscite;
namespace fs = std::filesystem;

QString q(const fs::path& p) {
    return tv::app::percorso_qt(p);
}

// The colours of the pixels of widget `w` in a picture of its window.
QSet<QRgb> colori(const QImage& immagine, QWidget* w) {
    const qreal dpr = immagine.devicePixelRatio();
    const QRect r(w->mapTo(w->window(), QPoint()), w->size());
    QSet<QRgb> visti;
    for (int y = qRound(r.top() * dpr); y < qRound((r.bottom() + 1) * dpr); ++y)
        for (int x = qRound(r.left() * dpr); x < qRound((r.right() + 1) * dpr); ++x)
            visti.insert(immagine.pixel(x, y));
    return visti;
}

class Uscita : public ::testing::Test {
  protected:
    tv::form::prova::SuiteTemp suite;
    tv::form::prova::CartellaTemp tmp;
    tv::app::prova::FinestraVera f{suite};
    tv::app::prova::PiattaformaProva desktop;
    Uscite uscite{f.finestra, f.form.cartelle, f.messaggi, desktop};
};

TEST_F(Uscita, CopiaPutsThePictureOfTheWindowWithoutItsButtonsOnTheClipboard) {
    const QImage con_pulsanti = f.finestra.grab().toImage();
    f.finestra.command(3)->setFocus();
    const QImage copia = uscite.Command3_Click();
    const QImage appunti = QApplication::clipboard()->image();
    EXPECT_EQ(appunti.deviceIndependentSize().toSize(), f.finestra.size());
    EXPECT_EQ(appunti.size(), copia.size());
    for (QPushButton* p : f.finestra.comandi()) {
        EXPECT_GT(colori(con_pulsanti, p).size(), 1) << p->text().toStdString();
        EXPECT_EQ(colori(copia, p), QSet<QRgb>{QColor(Qt::white).rgb()}) << p->text().toStdString();
        EXPECT_TRUE(p->isVisible());  // shown again
    }
    // The verdict colours appear as on screen.
    const QPoint dentro = f.campo(22)->mapTo(&f.finestra, QPoint(4, f.campo(22)->height() / 2));
    EXPECT_EQ(QColor(appunti.pixel((QPointF(dentro) * copia.devicePixelRatio()).toPoint())),
              tv::app::background(f.campo(22)));
    EXPECT_EQ(QApplication::focusWidget(), f.finestra.command(3));
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Uscita, NoSelectionOrFocusInThePictureAndBothComeBackAfter) {
    QLineEdit* sa = f.campo(18);
    QListWidget* lista = f.finestra.combo1_list();
    f.form.imposta_testo_combo("tor");
    f.presentatore.mostra_stato();
    lista->setCurrentRow(0);
    sa->setFocus();
    sa->setSelection(sa->text().size(), -2);
    const QRgb evidenza = sa->palette().color(QPalette::Active, QPalette::Highlight).rgb();
    const QImage prima = f.finestra.grab().toImage();
    ASSERT_TRUE(colori(prima, sa).contains(evidenza));
    ASSERT_TRUE(colori(prima, lista).contains(evidenza));
    const QImage copia = uscite.Command3_Click();
    EXPECT_FALSE(colori(copia, sa).contains(evidenza));
    EXPECT_FALSE(colori(copia, lista).contains(evidenza));
    EXPECT_EQ(QApplication::focusWidget(), sa);
    EXPECT_EQ(sa->selectionStart(), sa->text().size() - 2);
    EXPECT_EQ(sa->cursorPosition(), sa->text().size() - 2);
    EXPECT_TRUE(lista->item(0)->isSelected());
    // Hiding the pressed button would hand its focus on to a field, which then shows its text
    // selected: the focus stays where it was instead.
    f.finestra.command(5)->setFocus();
    EXPECT_FALSE(colori(uscite.Command3_Click(), sa).contains(evidenza));
    EXPECT_EQ(QApplication::focusWidget(), f.finestra.command(5));
}

TEST_F(Uscita, SalvaWritesABmpWithTheWindowsSizeFromTheWorkFolderDialog) {
    desktop.scelto = q(tmp.path() / "finestra");  // typed without extension
    EXPECT_TRUE(uscite.Command5_Click());
    EXPECT_EQ(desktop.cartella, q(suite.lavoro()));
    EXPECT_EQ(desktop.nome, "commessa.bmp");
    EXPECT_EQ(desktop.filtro, "File BMP (*.bmp)");
    EXPECT_FALSE(QFile::exists(desktop.scelto));
    QImageReader lettore(q(tmp.path() / "finestra.bmp"));
    EXPECT_EQ(lettore.format(), "bmp");
    const QImage letta = lettore.read();
    EXPECT_EQ(letta.size(), f.finestra.size() * uscite.immagine().devicePixelRatio());
    EXPECT_EQ(QApplication::clipboard()->image().size(), letta.size());  // a new capture
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Uscita, AWildcardNameSavesNothingAndSaysSoACancelledDialogNothingSilently) {
    const QStringList prima = QDir(q(suite.lavoro())).entryList(QDir::Files);
    for (const QString& scelto : {QString(), q(suite.lavoro() / "*.bmp"), QString("*.bmp"),
                                  q(suite.lavoro() / "pannello?")}) {
        desktop.scelto = scelto;
        EXPECT_FALSE(uscite.Command5_Click()) << scelto.toStdString();
    }
    EXPECT_EQ(desktop.salvataggi_chiesti, 4);
    EXPECT_EQ(QDir(q(suite.lavoro())).entryList(QDir::Files), prima);
    EXPECT_EQ(QDir::current().entryList({QStringLiteral("*.bmp")}, QDir::Files), QStringList());
    ASSERT_EQ(f.messaggi.elenco.size(), 3u);  // the cancelled dialog says nothing
    EXPECT_EQ(f.messaggi.elenco[0].titolo, "Nome non valido");
    EXPECT_EQ(f.messaggi.elenco.back().testo,
              "Il nome \"pannello?\" contiene \"*\" o \"?\", che non possono stare nel nome di un "
              "file: l'immagine non è stata salvata.");
}

TEST_F(Uscita, StampaPrintsOnePageAfterThePrinterDialogAndNothingWhenCancelled) {
    desktop.pdf = q(tmp.path() / "annullata.pdf");
    desktop.annulla_stampa = true;
    EXPECT_FALSE(uscite.Command4_Click());
    EXPECT_FALSE(QFile::exists(desktop.pdf));
    desktop.pdf = q(tmp.path() / "stampa.pdf");
    desktop.annulla_stampa = false;
    EXPECT_TRUE(uscite.Command4_Click());
    EXPECT_EQ(desktop.pdf_proposto, q(suite.lavoro() / "commessa.pdf"));
    QFile pdf(desktop.pdf);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    static const QRegularExpression pagina(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    EXPECT_EQ(QString::fromLatin1(pdf.readAll()).count(pagina), 1);
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Uscita, AFolderThatCannotBeWrittenIsNamedBySalvaAndByStampa) {
    // A plain file in the place of the folder: no user, root included, can write under it.
    tv::form::prova::scrivi(tmp.path() / "blocco", "x");
    desktop.scelto = q(tmp.path() / "blocco" / "finestra.bmp");
    desktop.pdf = q(tmp.path() / "blocco" / "stampa.pdf");
    EXPECT_FALSE(uscite.Command5_Click());
    EXPECT_FALSE(uscite.Command4_Click());
    ASSERT_EQ(f.messaggi.elenco.size(), 2u);
    const auto& m = f.messaggi.elenco;
    EXPECT_EQ(m[0].titolo, "Salvataggio non riuscito");
    EXPECT_EQ(m[0].testo, "Impossibile scrivere il file \"" + desktop.scelto.toStdString() +
                              "\": l'immagine non è stata salvata.");
    EXPECT_EQ(m[0].icona, tv::form::Icona::stop);
    EXPECT_EQ(m[1].titolo, "Stampa non riuscita");
    EXPECT_EQ(m[1].testo, "Impossibile stampare sulla stampante \"" + desktop.pdf.toStdString() +
                              "\": la finestra non è stata stampata.");
}

TEST(NomeSalva, BmpAddedOnlyToANameWithoutExtensionAndTheJobsNameIsProposed) {
    const std::pair<const char*, const char*> casi[] = {{"/l/pannello1", "/l/pannello1.bmp"},
                                                        {"/l/pannello1.bmp", "/l/pannello1.bmp"},
                                                        {"/l/p.BMP", "/l/p.BMP"},
                                                        {"/l/muro.png", "/l/muro.png"},
                                                        {"/a.b/muro", "/a.b/muro.bmp"},
                                                        {"pannello", "pannello.bmp"}};
    for (const auto& [scelto, atteso] : casi)
        EXPECT_EQ(tv::app::con_estensione_bmp(scelto), atteso);
    EXPECT_EQ(tv::app::nome_proposto("2024\\Rossi via Po", "pdf"), "Rossi via Po.pdf");
    EXPECT_EQ(tv::app::nome_proposto("2024/rossi/", "bmp"), "rossi.bmp");
    EXPECT_EQ(tv::app::nome_proposto("", "bmp"), "pannello.bmp");
}

TEST(DimensioneStampa, KeepsTheSizeInInchesOnThePrinter) {
    EXPECT_EQ(tv::app::dimensione_stampa(QSizeF(679, 544), 96, 96, 1200), QSizeF(8487.5, 6800));
    EXPECT_EQ(tv::app::dimensione_stampa(QSizeF(100, 100), 120, 96, 600), QSizeF(500, 625));
}

}  // namespace
