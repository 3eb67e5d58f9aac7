// The benchmark program: runs every benchmark, then prints each figure beside its target and
// exits with 1 when a target is missed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// The console report as usual, keeping the medians of every benchmark.
class Raccolta : public benchmark::ConsoleReporter {
  public:
    explicit Raccolta(OutputOptions opzioni) : ConsoleReporter(opzioni) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            // The median of repeated figures, or the one run of a figure measured once.
            const bool unica = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
            if ((r.aggregate_name != "median" && !unica) || r.error_occurred) continue;
            Mediana& m = mediane[r.run_name.function_name];
            m.secondi = r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
            for (const auto& [nome, c] : r.counters) m.contatori[nome] = c.value;
        }
    }

    struct Mediana {
        double secondi = 0;  // real time of one iteration
        std::map<std::string, double> contatori;
    };
    std::map<std::string, Mediana> mediane;
};

struct Figura {
    const char* nome;
    double valore;
    const char* unita;
    const char* target;  // as printed
    bool ok;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    // Colours only on a terminal, as the library's own reporter does.
    Raccolta raccolta(isatty(STDOUT_FILENO) == 1 ? benchmark::ConsoleReporter::OO_ColorTabular
                                                 : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&raccolta);
    benchmark::Shutdown();

    auto& m = raccolta.mediane;
    auto presente = [&](const char* n) { return m.count(n) > 0; };
    std::vector<Figura> figure;
    bool tutto = true;
    if (presente("BM_VerificaIndicizzata")) {
        const double us = m["BM_VerificaIndicizzata"].secondi * 1e6;
        figure.push_back({"(a) indexed check run, median", us, "us", "<= 50 us", us <= 50});
    }
    if (presente("BM_VerificaQuattroPassate")) {
        const auto& q = m["BM_VerificaQuattroPassate"];
        figure.push_back(
            {"(a) four-pass check run, median", q.secondi * 1e3, "ms", "reference", true});
        figure.push_back({"(a) four-pass: grid passes per run",
                          q.contatori.count("passate") ? q.contatori.at("passate") : 0, "", "4",
                          q.contatori.count("passate") && q.contatori.at("passate") == 4});
        if (presente("BM_VerificaIndicizzata")) {
            const double r = q.secondi / m["BM_VerificaIndicizzata"].secondi;
            figure.push_back({"(a) four-pass / indexed", r, "x", ">= 500 x", r >= 500});
        }
    }
    if (presente("BM_Lotto10000")) {
        const auto& l = m["BM_Lotto10000"];
        const double al_secondo =
            l.contatori.count("items_per_second") ? l.contatori.at("items_per_second") : 0;
        figure.push_back({"(b) batch checks per second, one thread", al_secondo, "/s",
                          ">= 100000 /s", al_secondo >= 100000});
        const double complete = l.contatori.count("completate") ? l.contatori.at("completate") : 0;
        figure.push_back({"(b) rows completed of 10000", complete, "", "10000", complete == 10000});
    }
    if (presente("BM_CheckAFreddo")) {
        const double ms = m["BM_CheckAFreddo"].secondi * 1e3;
        figure.push_back({"(c) cold torvelando-cli check, median", ms, "ms", "<= 20 ms", ms <= 20});
    }

    if (presente("BM_LottoMilione")) {
        const auto& l = m["BM_LottoMilione"].contatori;
        const auto valore = [&](const char* n) { return l.count(n) ? l.at(n) : 0.0; };
        figure.push_back({"(d) 1,000,000-row batch, rows per second", valore("righe_al_secondo"),
                          "/s", "reference", valore("righe_al_secondo") > 0});
        figure.push_back({"(d) 1,000,000-row batch, peak memory", valore("picco_MB"), "MB",
                          "< 100 MB", valore("picco_MB") > 0 && valore("picco_MB") < 100});
    }

    std::printf("\n%-42s %14s   %-14s %s\n", "figure", "measured", "target", "");
    for (const Figura& f : figure) {
        std::printf("%-42s %11.*f %-2s   %-14s %s\n", f.nome, f.valore < 100 ? 2 : 0, f.valore,
                    f.unita, f.target, f.ok ? "OK" : "MISSED");
        tutto = tutto && f.ok;
    }
    return tutto ? 0 : 1;
}
