// "HELP": the manual's path, opened as a file URL through the desktop (no shell), and the
// messages for a missing document and for a desktop that cannot open it.
#include "app/aiuto.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFile>
#include <QObject>
#include <QUrl>

#include "finestra_prova.h"

namespace {

using tv::app::prova::PiattaformaProva;
using tv::form::prova::CartellaTemp;
namespace fs = std::filesystem;

// Takes the URLs the desktop would open, in place of the system's viewer.
class Visore : public QObject {
    Q_OBJECT

  public:
    std::vector<QUrl> ricevuti;

  public slots:
    void apri(const QUrl& url) { ricevuti.push_back(url); }
};

class Aiuto : public ::testing::Test {
  protected:
    // A help folder whose path holds blanks and shell characters.
    fs::path cartella_strana() const {
        return tmp.path() / "Suite Prova; touch pwned & echo $HOME" / "help";
    }
    CartellaTemp tmp;
    tv::form::RaccoltaMessaggi messaggi;
    PiattaformaProva desktop;
};

TEST_F(Aiuto, TheManualIsTorvelandoPdfInTheHelpFolder) {
    EXPECT_EQ(tv::app::percorso_manuale("/suite/help"), fs::path("/suite/help/torvelando.pdf"));
}

TEST_F(Aiuto, APathWithBlanksAndShellCharactersOpensAsOneFileUrl) {
    const fs::path pdf = tv::app::percorso_manuale(cartella_strana());
    tv::form::prova::scrivi(pdf, "%PDF-1.4\n");
    EXPECT_TRUE(tv::app::Command2_Click(cartella_strana(), desktop, messaggi));
    ASSERT_EQ(desktop.aperti.size(), 1u);
    const QUrl url = desktop.aperti[0];
    EXPECT_EQ(url.scheme(), "file");
    EXPECT_EQ(url.toLocalFile(), tv::app::percorso_qt(pdf));
    EXPECT_TRUE(messaggi.elenco.empty());
    EXPECT_FALSE(fs::exists(tmp.path() / "pwned"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

TEST_F(Aiuto, TheDesktopIsAskedThroughItsUrlServiceAndRunsNoCommand) {
    const fs::path pdf = tv::app::percorso_manuale(cartella_strana());
    tv::form::prova::scrivi(pdf, "%PDF-1.4\n");
    Visore visore;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &visore, "apri");
    tv::app::PiattaformaQt vero;
    const bool aperto = tv::app::Command2_Click(cartella_strana(), vero, messaggi);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_TRUE(aperto);
    ASSERT_EQ(visore.ricevuti.size(), 1u);
    EXPECT_EQ(visore.ricevuti[0], QUrl::fromLocalFile(tv::app::percorso_qt(pdf)));
    EXPECT_TRUE(messaggi.elenco.empty());
    EXPECT_FALSE(fs::exists(tmp.path() / "pwned"));
}

TEST_F(Aiuto, AMissingManualShowsItsPathAndOpensNothing) {
    EXPECT_FALSE(tv::app::Command2_Click(cartella_strana(), desktop, messaggi));
    EXPECT_TRUE(desktop.aperti.empty());
    ASSERT_EQ(messaggi.elenco.size(), 1u);
    const std::string percorso =
        tv::app::percorso_qt(tv::app::percorso_manuale(cartella_strana())).toStdString();
    EXPECT_EQ(messaggi.elenco[0].testo, "Manuale non trovato:\n" + percorso);
    EXPECT_EQ(messaggi.elenco[0].titolo, "HELP");
    EXPECT_EQ(messaggi.elenco[0].icona, tv::form::Icona::stop);
}

TEST_F(Aiuto, ADesktopThatCannotOpenTheManualIsReportedWithThePath) {
    const fs::path pdf = tv::app::percorso_manuale(cartella_strana());
    tv::form::prova::scrivi(pdf, "%PDF-1.4\n");
    desktop.apre = false;
    EXPECT_FALSE(tv::app::Command2_Click(cartella_strana(), desktop, messaggi));
    ASSERT_EQ(messaggi.elenco.size(), 1u);
    EXPECT_EQ(messaggi.elenco[0].testo,
              "Impossibile aprire il manuale con il visualizzatore di documenti PDF del "
              "sistema:\n" +
                  tv::app::percorso_qt(pdf).toStdString());
}

// The build lays the typeset manual into the demo suite: "HELP" finds it there.
TEST(ManualeDemo, HelpInTheDemoSuiteOpensTheBuiltManual) {
    const fs::path help = fs::path(TV_SOURCE_DIR) / "examples" / "suite" / "help";
    PiattaformaProva desktop;
    tv::form::RaccoltaMessaggi messaggi;
    ASSERT_TRUE(tv::app::Command2_Click(help, desktop, messaggi))
        << (messaggi.elenco.empty() ? std::string() : messaggi.elenco[0].testo);
    ASSERT_EQ(desktop.aperti.size(), 1u);
    QFile pdf(desktop.aperti[0].toLocalFile());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray contenuto = pdf.readAll();
    EXPECT_TRUE(contenuto.startsWith("%PDF"));
    EXPECT_GT(contenuto.count("/Type /Page\n"), 10);
}

}  // namespace

#include "aiuto_test.moc"
