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
    tv::form::prova::CartellaTemp tmp;
    // A help folder whose path holds blanks and shell characters, and the manual in it.
    const fs::path help = tmp.path() / "Suite Prova; touch pwned & echo $HOME" / "help";
    const fs::path pdf = tv::app::percorso_manuale(help);
    tv::form::RaccoltaMessaggi messaggi;
};

TEST_F(Aiuto, APathWithBlanksAndShellCharactersGoesToTheDesktopAsOneFileUrl) {
    tv::form::prova::scrivi(pdf, "%PDF-1.4\n");
    Visore visore;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &visore, "apri");
    tv::app::PiattaformaQt vero;
    const bool aperto = tv::app::Command2_Click(help, vero, messaggi);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_TRUE(aperto);
    EXPECT_EQ(visore.ricevuti, std::vector<QUrl>{QUrl::fromLocalFile(tv::app::percorso_qt(pdf))});
    EXPECT_TRUE(messaggi.elenco.empty());
    EXPECT_FALSE(fs::exists(tmp.path() / "pwned"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

TEST_F(Aiuto, AMissingManualOrADesktopThatCannotOpenItIsReportedWithThePath) {
    PiattaformaProva desktop;
    const std::string percorso = tv::app::percorso_qt(pdf).toStdString();
    EXPECT_FALSE(tv::app::Command2_Click(help, desktop, messaggi));
    EXPECT_TRUE(desktop.aperti.empty());
    tv::form::prova::scrivi(pdf, "%PDF-1.4\n");
    desktop.apre = false;
    EXPECT_FALSE(tv::app::Command2_Click(help, desktop, messaggi));
    ASSERT_EQ(messaggi.elenco.size(), 2u);
    EXPECT_EQ(messaggi.elenco[0].testo, "Manuale non trovato:\n" + percorso);
    EXPECT_EQ(messaggi.elenco[0].titolo, "HELP");
    EXPECT_EQ(messaggi.elenco[0].icona, tv::form::Icona::stop);
    EXPECT_EQ(messaggi.elenco[1].testo,
              "Impossibile aprire il manuale con il visualizzatore di "
              "documenti PDF del sistema:\n" +
                  percorso);
}

// The build lays the typeset manual into the demo suite: "HELP" finds it there.
TEST(ManualeDemo, HelpInTheDemoSuiteOpensTheBuiltManual) {
    PiattaformaProva desktop;
    tv::form::RaccoltaMessaggi messaggi;
    ASSERT_TRUE(tv::app::Command2_Click(fs::path(TV_SOURCE_DIR) / "examples/suite/help", desktop,
                                        messaggi));
    QFile pdf(desktop.aperti.at(0).toLocalFile());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray contenuto = pdf.readAll();
    EXPECT_TRUE(contenuto.startsWith("%PDF"));
    EXPECT_GT(contenuto.count("/Type /Page\n"), 10);
}

}  // namespace

#include "aiuto_test.moc"
