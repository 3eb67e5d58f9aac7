// "COPIA", "STAMPA" and "SALVA" on the real window with answered dialogs: the picture without the
// buttons, one printed page, the BMP file, and the messages for faults.
#include "app/uscite.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>

#include "app/colori.h"
#include "finestra_prova.h"

namespace {

using tv::app::Uscite;
using tv::app::prova::FinestraVera;
using tv::app::prova::PiattaformaProva;
using tv::form::prova::CartellaTemp;
using tv::form::prova::SuiteTemp;
namespace fs = std::filesystem;

QString q(const fs::path& p) {
    return tv::app::percorso_qt(p);
}

// True when every pixel of `zona` in `immagine` has the same colour.
bool uniforme(const QImage& immagine, const QRect& zona) {
    const QRgb primo = immagine.pixel(zona.topLeft());
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            if (immagine.pixel(x, y) != primo) return false;
    return true;
}

// A rectangle of the window in the picture's own pixels.
QRect in_pixel(const QRect& r, qreal dpr) {
    return {qRound(r.x() * dpr), qRound(r.y() * dpr), qRound(r.width() * dpr),
            qRound(r.height() * dpr)};
}

// Pages of a PDF file, by its page objects.
int pagine_pdf(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QString testo = QString::fromLatin1(f.readAll());
    static const QRegularExpression pagina(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return static_cast<int>(testo.count(pagina));
}

class Uscita : public ::testing::Test {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    SuiteTemp suite;
    CartellaTemp tmp;
    FinestraVera f{suite};
    PiattaformaProva desktop;
    Uscite uscite{f.finestra, f.form.cartelle, f.messaggi, desktop};
};

TEST_F(Uscita, CopiaPutsThePictureOfTheWindowWithoutItsButtonsOnTheClipboard) {
    ASSERT_TRUE(f.avviata);
    const QImage con_pulsanti = f.finestra.grab().toImage();
    f.finestra.command(3)->setFocus();
    const QImage copia = uscite.Command3_Click();

    const QImage appunti = QApplication::clipboard()->image();
    ASSERT_FALSE(appunti.isNull());
    EXPECT_EQ(appunti.deviceIndependentSize().toSize(), f.finestra.size());
    EXPECT_EQ(appunti.size(), copia.size());
    const qreal dpr = copia.devicePixelRatio();
    for (QPushButton* p : f.finestra.comandi()) {
        const QRect zona = in_pixel(p->geometry(), dpr);
        EXPECT_FALSE(uniforme(con_pulsanti, zona)) << p->text().toStdString();
        EXPECT_TRUE(uniforme(appunti, zona)) << p->text().toStdString();
        EXPECT_EQ(QColor(appunti.pixel(zona.center())), QColor(Qt::white));
        EXPECT_TRUE(p->isVisible());  // shown again
    }
    // The verdict colours appear as on screen.
    const QPoint dentro = f.campo(22)->mapTo(&f.finestra, QPoint(4, f.campo(22)->height() / 2));
    EXPECT_EQ(QColor(appunti.pixel((QPointF(dentro) * dpr).toPoint())),
              tv::app::background(f.campo(22)));
    EXPECT_EQ(QApplication::focusWidget(), f.finestra.command(3));
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Uscita, SalvaWritesABmpWithTheWindowsSizeFromTheWorkFolderDialog) {
    QApplication::clipboard()->setText(QStringLiteral("prima"));
    desktop.scelto = q(tmp.path() / "finestra");  // typed without extension
    EXPECT_TRUE(uscite.Command5_Click());
    EXPECT_EQ(desktop.cartella, q(suite.lavoro()));
    EXPECT_EQ(desktop.nome, "commessa.bmp");
    EXPECT_EQ(desktop.filtro, "File BMP (*.bmp)");
    EXPECT_FALSE(QFile::exists(desktop.scelto));

    QImageReader lettore(q(tmp.path() / "finestra.bmp"));
    EXPECT_EQ(lettore.format(), "bmp");
    const QImage letta = lettore.read();
    ASSERT_FALSE(letta.isNull());
    EXPECT_EQ(letta.size(), uscite.immagine().size());
    EXPECT_EQ(letta.size(), f.finestra.size() * uscite.immagine().devicePixelRatio());
    // The clipboard holds the new capture, not what was there before.
    EXPECT_EQ(QApplication::clipboard()->image().size(), letta.size());
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Uscita, AWildcardNameSavesNothingAndSaysSoACancelledDialogNothingSilently) {
    const QStringList prima = QDir(q(suite.lavoro())).entryList(QDir::Files);
    desktop.scelto = QString();
    EXPECT_FALSE(uscite.Command5_Click());
    EXPECT_TRUE(f.messaggi.elenco.empty());
    for (const QString& scelto :
         {q(suite.lavoro() / "*.bmp"), q(suite.lavoro() / "pannello?"), QString("*.bmp")}) {
        desktop.scelto = scelto;
        EXPECT_FALSE(uscite.Command5_Click()) << scelto.toStdString();
    }
    EXPECT_EQ(desktop.salvataggi_chiesti, 4);
    EXPECT_EQ(QDir(q(suite.lavoro())).entryList(QDir::Files), prima);
    EXPECT_EQ(QDir(QDir::currentPath()).entryList({QStringLiteral("*.bmp")}, QDir::Files),
              QStringList());
    ASSERT_EQ(f.messaggi.elenco.size(), 3u);
    EXPECT_EQ(f.messaggi.elenco[1].titolo, "Nome non valido");
    EXPECT_EQ(f.messaggi.elenco[1].testo,
              "Il nome \"pannello?\" contiene \"*\" o \"?\", che non possono stare nel nome di un "
              "file: l'immagine non è stata salvata.");
}

TEST(NomeSalva, BmpAddedOnlyToANameWithoutExtension) {
    using tv::app::con_estensione_bmp;
    const std::pair<const char*, const char*> casi[] = {{"/l/pannello1", "/l/pannello1.bmp"},
                                                        {"/l/pannello1.bmp", "/l/pannello1.bmp"},
                                                        {"/l/p.BMP", "/l/p.BMP"},
                                                        {"/l/muro.png", "/l/muro.png"},
                                                        {"/a.b/muro", "/a.b/muro.bmp"},
                                                        {"pannello", "pannello.bmp"}};
    for (const auto& [scelto, atteso] : casi) EXPECT_EQ(con_estensione_bmp(scelto), atteso);
}

TEST(NomeSalva, TheJobsNameIsProposed) {
    using tv::app::nome_proposto;
    EXPECT_EQ(nome_proposto("commessa", "bmp"), "commessa.bmp");
    EXPECT_EQ(nome_proposto("2024\\Rossi via Po", "pdf"), "Rossi via Po.pdf");
    EXPECT_EQ(nome_proposto("2024/rossi/", "bmp"), "rossi.bmp");
    EXPECT_EQ(nome_proposto("", "bmp"), "pannello.bmp");
}

TEST_F(Uscita, NoSelectionOrFocusInThePictureAndBothComeBackAfter) {
    QLineEdit* sa = f.campo(18);
    sa->setFocus();
    sa->setSelection(sa->text().size(), -2);
    f.form.imposta_testo_combo("tor");
    f.presentatore.mostra_stato();
    f.finestra.combo1_list()->setCurrentRow(0);
    sa->setFocus();
    sa->setSelection(sa->text().size(), -2);
    const QColor evidenza = sa->palette().color(QPalette::Active, QPalette::Highlight);
    const qreal dpr = f.finestra.grab().devicePixelRatio();
    const auto colori = [&](const QImage& immagine, QWidget* w) {
        QSet<QRgb> visti;
        const QRect zona = in_pixel(QRect(w->mapTo(&f.finestra, QPoint()), w->size()), dpr);
        for (int y = zona.top(); y <= zona.bottom(); ++y)
            for (int x = zona.left(); x <= zona.right(); ++x) visti.insert(immagine.pixel(x, y));
        return visti;
    };
    const QImage prima = f.finestra.grab().toImage();
    ASSERT_TRUE(colori(prima, sa).contains(evidenza.rgb()));
    ASSERT_TRUE(colori(prima, f.finestra.combo1_list()).contains(evidenza.rgb()));

    const QImage copia = uscite.Command3_Click();
    for (QWidget* w : {static_cast<QWidget*>(sa), static_cast<QWidget*>(f.finestra.combo1_list())})
        EXPECT_FALSE(colori(copia, w).contains(evidenza.rgb())) << w->objectName().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), sa);
    EXPECT_EQ(sa->selectionStart(), sa->text().size() - 2);
    EXPECT_EQ(sa->cursorPosition(), sa->text().size() - 2);
    EXPECT_EQ(f.finestra.combo1_list()->currentRow(), 0);
    EXPECT_TRUE(f.finestra.combo1_list()->item(0)->isSelected());
    // Hiding the pressed button would hand its focus on to a field, which then shows its text
    // selected: the focus stays where it was instead.
    f.finestra.command(5)->setFocus();
    EXPECT_FALSE(colori(uscite.Command3_Click(), sa).contains(evidenza.rgb()));
    EXPECT_EQ(QApplication::focusWidget(), f.finestra.command(5));
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Uscita, SalvaIntoAFolderThatCannotBeWrittenShowsTheFileName) {
    // A plain file in the place of the folder: no user, root included, can write under it.
    tv::form::prova::scrivi(tmp.path() / "blocco", "x");
    desktop.scelto = q(tmp.path() / "blocco" / "finestra.bmp");
    EXPECT_FALSE(uscite.Command5_Click());
    ASSERT_EQ(f.messaggi.elenco.size(), 1u);
    const auto& m = f.messaggi.elenco[0];
    EXPECT_EQ(m.titolo, "Salvataggio non riuscito");
    EXPECT_EQ(m.testo, "Impossibile scrivere il file \"" + desktop.scelto.toStdString() +
                           "\": l'immagine non è stata salvata.");
    EXPECT_EQ(m.icona, tv::form::Icona::stop);
}

TEST_F(Uscita, StampaPrintsOnePageAfterThePrinterDialogAndNothingWhenCancelled) {
    desktop.pdf = q(tmp.path() / "annullata.pdf");
    desktop.annulla_stampa = true;
    EXPECT_FALSE(uscite.Command4_Click());
    EXPECT_FALSE(QFile::exists(desktop.pdf));
    desktop.pdf = q(tmp.path() / "stampa.pdf");
    desktop.annulla_stampa = false;
    EXPECT_TRUE(uscite.Command4_Click());
    EXPECT_EQ(desktop.stampe_chieste, 2);
    EXPECT_EQ(desktop.pdf_proposto, q(suite.lavoro() / "commessa.pdf"));
    EXPECT_EQ(pagine_pdf(desktop.pdf), 1);
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Uscita, APrinterFaultShowsAMessageNamingThePrinter) {
    tv::form::prova::scrivi(tmp.path() / "blocco", "x");
    desktop.pdf = q(tmp.path() / "blocco" / "stampa.pdf");
    EXPECT_FALSE(uscite.Command4_Click());
    ASSERT_EQ(f.messaggi.elenco.size(), 1u);
    EXPECT_EQ(f.messaggi.elenco[0].titolo, "Stampa non riuscita");
    EXPECT_EQ(f.messaggi.elenco[0].testo, "Impossibile stampare sulla stampante \"" +
                                              desktop.pdf.toStdString() +
                                              "\": la finestra non è stata stampata.");
}

TEST(DimensioneStampa, KeepsTheSizeInInchesOnThePrinter) {
    EXPECT_EQ(tv::app::dimensione_stampa(QSizeF(679, 544), 96, 96, 1200), QSizeF(8487.5, 6800));
    EXPECT_EQ(tv::app::dimensione_stampa(QSizeF(100, 100), 120, 96, 600), QSizeF(500, 625));
}

}  // namespace
