// SPDX-License-Identifier: GPL-3.0-or-later
// The report's editable copy: an ODT written from the document model opens as a zip whose
// content.xml holds every section title and every number of the document, tables as tables
// and plots as pictures; and a file that cannot be written is said.
#include "relazione/odt.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <fstream>
#include <regex>

#include "come_testo.h"
#include "griglia_prova.h"
#include "hazard/grid.h"
#include "relazione/sezioni_meccanismi.h"
#include "shell.h"

namespace tv::relazione {
namespace {

// A mechanism's report with the blocks it lacks: the restraint drawing and the designer's box.
Documento documento() {
    const hazard::Griglia griglia = hazard::leggi_griglia(form::prova::testo_griglia(), "griglia");
    const hazard::RicercaLineare ricerca{griglia};
    form::IngressiMeccanismo in;
    in.sito = {7.22, 45.05, 50, 1.0, 10};
    in.parete.gamma = 18;
    in.parete.piani = {{3.5, 0.60, 20, 0.45, 0, 0}, {3.0, 0.40, 8, 0.30, 1.5, 0}};
    in.verifica.formula = panel::FormulaDomanda::circolare_c7_2_11;
    in.verifica.H = 10;
    in.verifica.T1 = 0.2;
    Documento d;
    d.titolo = "RELAZIONE DI CALCOLO";
    d.sottotitolo = "Meccanismi locali";
    d.intestazione = {"TORVELANDO PANNELLI MURARI", "0.1.0", "demo", "Long. 7,22°", "", "08/12/2026", {}, "M1 - Facciata"};
    d.sezioni = sezioni_meccanismi(std::get<form::RisultatoMeccanismo>(form::calcola_meccanismo(in, ricerca)));
    d.sezioni.push_back({"Giudizio", {DisegnoVincoli{false, false, true, false, true, 1, 1, "B = 1", "L = 1"},
                                      Riquadro{"Giudizio del progettista", {"Data", "Il progettista"}}}});
    return d;
}

// The text of content.xml without its markup, spaces as the document model has them.
std::string testo_odt(const std::string& xml) {
    std::string t = std::regex_replace(xml, std::regex("<text:s/>"), " ");
    t = std::regex_replace(t, std::regex("<text:s text:c=\"(\\d+)\"/>"), " ");
    t = std::regex_replace(t, std::regex("<[^>]*>"), "\n");
    for (const auto& [da, a] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&apos;", "'"}, {"&quot;", "\""}, {"&amp;", "&"}})
        t = std::regex_replace(t, std::regex(da), a);
    return t;
}

TEST(RelazioneOdt, ContentHoldsEveryTitleAndNumberAsTablesAndPictures) {
    const prova::CartellaTemp cartella;
    const Documento doc = documento();
    FonteDocumento fonte(doc);
    const QString file = QString::fromStdString((cartella.path() / "r.odt").string());
    ASSERT_EQ(scrivi_relazione_odt(fonte, file), std::nullopt);
    const auto contenuto = prova::esegui_shell("unzip -p r.odt content.xml", cartella.path());
    ASSERT_EQ(contenuto.codice, 0) << contenuto.err;
    const std::string testo = testo_odt(contenuto.out);
    for (const Sezione& s : doc.sezioni) EXPECT_NE(testo.find(s.titolo), std::string::npos) << s.titolo;
    // Every number of the text dump (table cells, formulas, verdict) is in the ODT's text.
    // (The plots' data and the colours are the dump's, not text of the document.)
    std::string atteso = std::regex_replace(in_testo::sezioni_come_testo(doc.sezioni),
                                            std::regex("rgb\\(\\d+,\\d+,\\d+\\)"), "");
    atteso = std::regex_replace(atteso, std::regex("\\n  (x|y|serie|marcatore|riferimento) [^\\n]*"), "");
    const std::regex numero("\\d+,\\d+");
    int trovati = 0;
    for (auto it = std::sregex_iterator(atteso.begin(), atteso.end(), numero); it != std::sregex_iterator(); ++it, ++trovati)
        EXPECT_NE(testo.find(it->str()), std::string::npos) << it->str();
    EXPECT_GT(trovati, 50);
    EXPECT_NE(contenuto.out.find("<table:table "), std::string::npos);
    EXPECT_NE(contenuto.out.find("<draw:image"), std::string::npos);
    EXPECT_NE(testo.find("inferiore incastrato"), std::string::npos);
    EXPECT_NE(testo.find("Pannello: M1 - Facciata"), std::string::npos);  // the panel checked
    const auto elenco = prova::esegui_shell("unzip -l r.odt", cartella.path());
    EXPECT_NE(elenco.out.find("Pictures/"), std::string::npos) << elenco.out;
}

TEST(RelazioneOdt, AFileThatCannotBeWrittenIsSaid) {
    const prova::CartellaTemp cartella;
    const Documento doc = documento();
    FonteDocumento fonte(doc);
    const auto errore = scrivi_relazione_odt(
        fonte, QString::fromStdString((cartella.path() / "manca" / "r.odt").string()));
    ASSERT_TRUE(errore.has_value());
    EXPECT_TRUE(errore->startsWith("Impossibile scrivere la relazione nel file")) << errore->toStdString();
}

}  // namespace
}  // namespace tv::relazione

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QGuiApplication applicazione(argc, argv);
    return RUN_ALL_TESTS();
}
