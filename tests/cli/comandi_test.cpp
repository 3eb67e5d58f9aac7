// report hands its options over to the report's own program; the commands' outputs are the
// command lines of tests/golden/cli.txt.
#include "cli/comandi.h"

#include <gtest/gtest.h>

#include "cli/opzioni.h"

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

}  // namespace
}  // namespace tv::cli
