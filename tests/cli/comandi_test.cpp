// SPDX-License-Identifier: GPL-3.0-or-later
// report hands its options over to the report's own program; the commands' outputs are the
// command lines of tests/golden/cli.txt.
#include "cli/comandi.h"

#include <gtest/gtest.h>

#include "cli/opzioni.h"
#include "relazione/relazione_tutti.h"

#include <sstream>

namespace tv::cli {
namespace {

// report gives its program every option as it was parsed, values starting with "-" included.
TEST(Report, OptionsHandedOverAsParsed) {
    OpzioniReport o;
    o.check.root = "/s u/ite", o.check.set = {"lon=-5.5", "qa=2"}, o.check.left = 1;
    o.check.top = 0, o.check.demand = "C7.2.11", o.check.extra = {"|diroot=/x|"};
    o.output = "-r.pdf";
    const std::vector<std::string> a = argomenti_report(o);
    CLI::App app;
    OpzioniReport letto;
    opzioni_report(&app, letto);
    std::vector<std::string> rovescio(a.rbegin(), a.rend());  // CLI11 takes them last first
    app.parse(rovescio);
    letto.check.extra = app.remaining();
    EXPECT_EQ(letto.check.root, o.check.root);
    EXPECT_EQ(letto.check.set, o.check.set);
    EXPECT_EQ(std::tuple(letto.check.top, letto.check.left, letto.check.right),
              std::tuple(o.check.top, o.check.left, std::optional<int>()));
    EXPECT_EQ(letto.check.demand, o.check.demand);
    EXPECT_EQ(letto.check.extra, o.check.extra);
    EXPECT_EQ(letto.output, o.output);
}

// On a terminal the progress is one line written over, blanks over a longer one before; a
// message ends it first, and so does the end of the report.
TEST(ProgressoRelazione, OnATerminalOneLineWrittenOverAndEndedBeforeAMessage) {
    using relazione::FaseRelazione;
    std::ostringstream err;
    {
        relazione::ProgressoRelazione p(err, true);
        EXPECT_TRUE(p(FaseRelazione::verifica, 9, 120));
        EXPECT_TRUE(p(FaseRelazione::verifica, 10, 120));
        p.messaggi() << "Pannello \"P1\": stop\n";
        EXPECT_TRUE(p(FaseRelazione::scrittura, 7, 8));
        EXPECT_TRUE(p(FaseRelazione::scrittura, 8, 8));
    }
    EXPECT_EQ(err.str(),
              "\rRelazione: verifica del pannello 9 di 120"
              "\rRelazione: verifica del pannello 10 di 120\n"
              "Pannello \"P1\": stop\n"
              "\rRelazione: scrittura del pannello 7 di 8"
              "\rRelazione: scrittura del pannello 8 di 8\n");
    std::ostringstream lungo;
    {
        relazione::ProgressoRelazione p(lungo, true);
        p(FaseRelazione::impaginazione, 100, 100);
        p(FaseRelazione::scrittura, 1, 100);
    }
    EXPECT_EQ(lungo.str(), "\rRelazione: impaginazione del pannello 100 di 100"
                           "\rRelazione: scrittura del pannello 1 di 100      \n");
}

}  // namespace
}  // namespace tv::cli
