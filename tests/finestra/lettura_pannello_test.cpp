// SPDX-License-Identifier: GPL-3.0-or-later
// One damaged panels file read by every front end: the window's panel strip, panels, check
// --panel, report --all and batch give the same panels, the same messages and the same numbers.
#include "form/lettura_pannello.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/modello/contesto.h"
#include "app/modello/sessione_pannelli.h"
#include "cli/batch.h"
#include "cli/comandi.h"
#include "finestra_temp.h"
#include "relazione/relazione_tutti.h"
#include "../relazione/come_testo.h"

namespace tv::form {
namespace {

TEST(LetturaPannello, EveryFrontEndRefusesTheSameCellsWithTheSameMessages) {
    prova::SuiteTemp suite{prova::kConSito};
    // A ";" file: "1.100" there is no number (a grouped 1100 or a 1.1 typed wrong).
    prova::scrivi(suite.lavoro() / "pannelli.csv",
                  "id;descrizione;t;L;top;domanda\n"
                  "OK;buono;30;;;\n"
                  "N;numero;abc;;;\n"
                  "P;punto;;1.100;;\n"
                  "V;vincolo;;;2;\n"
                  "D;domanda;;;;xx\n"
                  "R;\"rotta\n");
    // Hand-written: each field's, restraint's and formula's refusal, after "column: ".
    const std::vector<std::pair<std::string, std::string>> rifiuti = {
        {"N", "t: Richiesto valore numerico"},
        {"P", "L: Richiesto valore numerico con la virgola decimale e senza punti: \"1.100\""},
        {"V", "top: accettati solo 1 (appoggiato) e 0 (libero)"},
        {"D", "domanda: accettate solo EC8, C7.2.11 e C7.2.5 (o vuota)"}};
    const auto messaggio = [](const auto& r) { return "Pannello \"" + r.first + "\", " + r.second; };
    const std::string guasta =
        "pannelli.csv, riga 7: virgolette non chiuse; la riga resta nel file com'era.";

    // The window: the damaged row said at once, each refused panel said and left unchecked.
    prova::Finestra w;
    ASSERT_TRUE(w.avvia(suite));
    SessionePannelli s(w.form);
    EXPECT_EQ(s.ids(), (std::vector<std::string>{"OK", "N", "P", "V", "D"}));
    EXPECT_EQ(s.prendi_avvisi(), std::vector<std::string>{guasta});
    ASSERT_TRUE(w.form.risultato.has_value());
    const double Fa = w.form.risultato->pannello.Fa;
    for (const auto& r : rifiuti) {
        ASSERT_TRUE(s.scegli(r.first));
        EXPECT_EQ(s.prendi_avvisi(), std::vector<std::string>{messaggio(r)});
        EXPECT_TRUE(w.form.risultati_scaduti()) << r.first;
    }

    const std::string root = suite.root().string();
    // panels: the refused ones with their reason beside their id.
    {
        cli::OpzioniPanels o;
        o.root = root;
        std::ostringstream out, err;
        ASSERT_EQ(cli::esegui_panels(o, suite.root(), out, err), 0);
        EXPECT_EQ(err.str(), guasta + "\n");
        std::string atteso = "OK\tbuono\t" + std::string(w.form.risultato->ok ? kVerdettoOk
                                                                                : kVerdettoNo) + "\n";
        for (const auto& r : rifiuti)
            atteso += r.first + "\t" + s.file()->cella(*s.file()->pannello(r.first),
                                                        "descrizione") + "\terrore: " + r.second + "\n";
        EXPECT_EQ(out.str(), atteso);
    }
    // check --panel: exit 2 and the window's message; the sound panel gives the window's Fa.
    for (const auto& r : rifiuti) {
        cli::OpzioniCheck o;
        o.root = root, o.panel = r.first;
        std::ostringstream out, err;
        EXPECT_EQ(cli::esegui_check(o, suite.root(), out, err), 2) << r.first;
        EXPECT_EQ(err.str(), messaggio(r) + "\n");
    }
    // batch: the same reasons in errore, the sound panel's Fa as the window computed it.
    {
        cli::OpzioniBatch o;
        o.root = root;
        std::ostringstream out, err;
        EXPECT_EQ(cli::esegui_batch(o, suite.root(), out, err), 1);
        std::istringstream righe(out.str());
        std::string riga;
        std::getline(righe, riga);
        std::vector<std::string> lette;
        while (std::getline(righe, riga)) lette.push_back(riga);
        ASSERT_EQ(lette.size(), 6u);
        EXPECT_NE(lette[0].find("," + text::rounded(Fa, 2, text::dot_format()) + ","),
                  std::string::npos) << lette[0];
        for (std::size_t i = 0; i < rifiuti.size(); ++i) {
            const std::string& t = lette[i + 1];
            EXPECT_EQ(t.substr(0, 2), rifiuti[i].first + ",");
            // The CSV cell: quoted, its quotes doubled, when it holds a comma or a quote.
            std::string m = rifiuti[i].second, citata = ",\"";
            for (char c : m) citata += c == '"' ? std::string("\"\"") : std::string(1, c);
            EXPECT_TRUE(t.ends_with("," + m) || t.ends_with(citata + "\""))
                << t;
        }
        EXPECT_NE(lette[5].find("Riga 7 del file: virgolette non chiuse"), std::string::npos);
    }
    // report --all: the refused panels in the summary without sections, their messages said.
    {
        const Pannello base = w.form.pannello();
        const FilePannelli& f = *s.file();
        std::ostringstream err;
        relazione::RelazioneTutti tutti(
            w.form.lavoro, f,
            [&](const RigaPannello& riga, Pannello& p, std::ostream& e) {
                p = base;
                const auto m = applica_riga(f, riga, p, w.form.unita(), text::dot_format());
                if (m) e << *m << "\n";
                return !m;
            },
            [&](const Pannello& p) {
                return calcola_pannello(p, w.form.lavoro, *w.form.fonte_griglia(),
                                        text::dot_format());
            },
            contesto_relazione(w.form, "1 gennaio 2026"), err);
        EXPECT_EQ(tutti.codice(), 1);
        EXPECT_EQ(tutti.parti(), 1u);
        std::string attesi;
        for (const auto& r : rifiuti) attesi += messaggio(r) + "\n";
        EXPECT_EQ(err.str(), attesi);
        const std::string testo = relazione::in_testo::come_testo(tutti.inizio());
        for (const auto& r : rifiuti)
            EXPECT_NE(testo.find("|" + r.first + " | "), std::string::npos) << testo;
        EXPECT_NE(testo.find(text::rounded(Fa, 2, text::dot_format())), std::string::npos);
    }
}

}  // namespace
}  // namespace tv::form
