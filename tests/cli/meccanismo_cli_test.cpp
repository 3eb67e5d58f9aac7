// SPDX-License-Identifier: GPL-3.0-or-later
// check --kind for the local mechanisms, in-process on the small test suite: the hand-worked
// wall through the JSON results, the governing mechanism, units, and the refusals.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/batch.h"
#include "cli/comandi.h"
#include "suite_temp.h"

namespace {

using tv::cli::OpzioniCheck;

struct Uscita {
    int codice;
    nlohmann::json j;
    std::string err;
};

Uscita esegui(const tv::form::prova::SuiteTemp& s, const std::string& tipo,
              std::vector<std::string> set, std::optional<std::string> domanda = std::nullopt) {
    OpzioniCheck o;
    o.root = s.root().string();
    o.kind = tipo;
    o.set = std::move(set);
    o.demand = domanda;
    o.json = true;
    std::ostringstream out, err;
    const int codice = tv::cli::esegui_check(o, s.root(), out, err);
    nlohmann::json j = out.str().empty() ? nlohmann::json() : nlohmann::json::parse(out.str());
    return {codice, j, err.str()};
}

// The wall of one storey per metre, in cm and daN: t 50, h 320, γ 0.002 daN/cm3 (20 kN/m3),
// a floor load of 1000 daN at 40 cm from the outer face and a thrust of 200 daN at the top.
const std::vector<std::string> kUnPiano = {"B=100", "gamma=0.002", "piani=1", "h1=320", "t1=50",
                                           "N1=1000", "dN1=40", "F1=200", "H=900"};

TEST(MeccanismoCli, OneStoreyOverturningByHand) {
    tv::form::prova::SuiteTemp s(tv::form::prova::kConSito);
    const Uscita u = esegui(s, "ribaltamento", kUnPiano);
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto& r = u.j["results"];
    ASSERT_EQ(r["mechanisms"].size(), 1u);
    const auto& m = r["mechanisms"][0];
    // W = 20·0.5·3.2·1 = 32 kN at 0.25 m in and 1.6 m up; N = 10 kN at 0.40 m in, 3.2 m up;
    // F = 2 kN at 3.2 m. α0 = (32·0.25 + 10·0.40 − 2·3.20) / (32·1.60 + 10·3.20) = 5.6 / 83.2.
    EXPECT_NEAR(m["alpha0"].get<double>(), 5.6 / 83.2, 1e-12);
    // e* = (Σ P δx)² / (Σ P · Σ P δx²) = 83.2² / (42 · (32·1.6² + 10·3.2²)) = 6922.24 / 7741.44.
    const double e = 6922.24 / 7741.44;
    EXPECT_NEAR(m["e_star"].get<double>(), e, 1e-12);
    // M* = e*·42 / 9.81; a0* = α0·9.81 / (e*·1.35) (LC1) = 0.660288 / 1.207143 = 0.546985 m/s².
    EXPECT_NEAR(m["M_star"].get<double>(), e * 42 / 9.81, 1e-9);
    const double a0 = 5.6 / 83.2 * 9.81 / (e * 1.35);
    EXPECT_NEAR(m["a0_star"].get<double>(), a0, 1e-12);
    EXPECT_NEAR(a0, 0.546985, 1e-6);
    EXPECT_EQ(r["FC"].get<double>(), 1.35);
    // At the foundation the floor acceleration is ag·S at either state; ζE = a0*/(ag S g) at
    // SLD and 2 a0*/(ag S g) at SLV; ag,cap = ζE·ag.
    EXPECT_EQ(m["z"].get<double>(), 0.0);
    for (const char* st : {"SLD", "SLV"}) {
        const double ag = r[std::string("ag_") + st], S = r[std::string("S_") + st];
        const double q = std::string(st) == "SLV" ? 2 : 1;
        EXPECT_NEAR(m[std::string("demand_") + st].get<double>(), ag * S, 1e-12) << st;
        const double zeta = q * a0 / (ag * S * 9.81);
        EXPECT_NEAR(m[std::string("zeta_") + st].get<double>(), zeta, 1e-9) << st;
        EXPECT_NEAR(m[std::string("ag_cap_") + st].get<double>(), zeta * ag, 1e-9) << st;
    }
    EXPECT_EQ(r["TR_SLD"].get<double>(), 50);
    EXPECT_EQ(r["TR_SLV"].get<double>(), 475);
    EXPECT_EQ(r["verdict"].get<bool>(), m["zeta_SLV"].get<double>() >= 1);
    EXPECT_EQ(u.j["kind"], "ribaltamento");
    EXPECT_EQ(u.j["demand"], "c7.2.5");  // the mechanism's default floor formula

    // The same wall typed in m, kN and kN/m3 gives the same multiplier.
    tv::form::prova::SuiteTemp m_kN(tv::form::prova::kConSito);
    std::ofstream(m_kN.lavoro() / "parametrilavoro")
        << tv::form::prova::parametrilavoro("m", "kN", "kN/m3", "MPa");
    const Uscita v = esegui(m_kN, "ribaltamento",
                            {"B=1", "gamma=20", "h1=3.2", "t1=0.5", "N1=10", "dN1=0.4", "F1=2",
                             "H=9"});
    ASSERT_EQ(v.codice, 0) << v.err;
    EXPECT_NEAR(v.j["results"]["mechanisms"][0]["alpha0"].get<double>(), 5.6 / 83.2, 1e-12);
}

TEST(MeccanismoCli, EveryStoreyCheckedAndTheLeastZetaGoverns) {
    tv::form::prova::SuiteTemp s(tv::form::prova::kConSito);
    std::vector<std::string> set = kUnPiano;
    set.insert(set.end(), {"piani=2", "h2=300", "t2=40", "N2=500", "dN2=30", "catena2=0"});
    const Uscita u = esegui(s, "ribaltamento", set, "c7.2.11");
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto& r = u.j["results"];
    ASSERT_EQ(r["mechanisms"].size(), 2u);
    EXPECT_EQ(r["mechanisms"][0]["name"], "ribaltamento 1");
    EXPECT_EQ(r["mechanisms"][1]["name"], "ribaltamento 2");
    // Storey 2 alone: W2 = 20·0.4·3·1 = 24 kN at 0.2 m in, 1.5 m up; N2 = 5 kN at 0.3 m, 3 m:
    // α0 = (24·0.2 + 5·0.3) / (24·1.5 + 5·3) = 6.3 / 51, its hinge at z = 3.2 m.
    EXPECT_NEAR(r["mechanisms"][1]["alpha0"].get<double>(), 6.3 / 51, 1e-12);
    EXPECT_NEAR(r["mechanisms"][1]["z"].get<double>(), 3.2, 1e-12);
    const std::size_t g = r["governing"];
    const double z0 = r["mechanisms"][0]["zeta_SLV"], z1 = r["mechanisms"][1]["zeta_SLV"];
    EXPECT_EQ(g, z0 <= z1 ? 0u : 1u);
    EXPECT_GT(r["mechanisms"][1]["demand_SLV"].get<double>(),
              r["mechanisms"][0]["demand_SLV"].get<double>());  // amplified up the building
}

TEST(MeccanismoCli, RefusalsNameTheField) {
    tv::form::prova::SuiteTemp s(tv::form::prova::kConSito);
    const auto con = [&](std::vector<std::string> in) {
        std::vector<std::string> set = kUnPiano;
        set.insert(set.end(), in.begin(), in.end());
        return set;
    };
    struct Caso {
        std::string tipo;
        std::vector<std::string> set;
        std::optional<std::string> domanda;
        int codice;
        std::string messaggio;
    };
    const Caso casi[] = {
        {"ribaltamento", con({"dN1=60"}), {}, 1, "dN1"},
        {"ribaltamento", con({"piani=6"}), {}, 1, "piani"},
        {"ribaltamento", con({"piani=2"}), {}, 1, "h2 (altezza del piano 2) manca"},
        {"ribaltamento", con({"LC=4"}), {}, 1, "LC"},
        {"ribaltamento", con({"z0=-1"}), {}, 1, "z0"},
        {"flessione", con({"piani=2", "h2=300", "t2=40"}), {}, 1, "un solo piano"},
        {"ribaltamento", kUnPiano, "ec8", 1, "C7.2.5 o C7.2.11"},
        {"ribaltamento", con({"h1=abc"}), {}, 2, "h1"},
        {"crollo", kUnPiano, {}, 2, "--kind"},
        {"ribaltamento", con({"ammorsamenti=1"}), {}, 1,
         "hb (altezza media degli elementi della muratura) manca"},
        {"ribaltamento", con({"ammorsamenti=3"}), {}, 1, "ammorsamenti"},
        {"ribaltamento", con({"ammorsamenti=1", "hb=8", "lb=16", "ts=40", "mu=-1"}), {}, 1, "mu"},
        {"ribaltamento_composto", kUnPiano, {}, 1, "beta (angolo"},
        {"ribaltamento_composto", con({"beta=95", "ts=40"}), {}, 1, "beta (angolo"},
        {"ribaltamento_composto", con({"beta=30", "lati_cuneo=3", "ts=40"}), {}, 1, "lati_cuneo"},
        {"elemento_libero", con({"Em=15000"}), {}, 1, "solo il suo peso"},
        {"elemento_libero", {"B=100", "gamma=0.002", "h1=120", "t1=30", "H=900"}, {}, 1,
         "Em (modulo elastico"},
    };
    for (const Caso& c : casi) {
        const Uscita u = esegui(s, c.tipo, c.set, c.domanda);
        EXPECT_EQ(u.codice, c.codice) << c.messaggio;
        EXPECT_NE(u.err.find(c.messaggio), std::string::npos) << u.err;
        if (c.codice == 1) {
            EXPECT_FALSE(u.j["completed"].get<bool>()) << c.messaggio;
        }
    }
}

// The batch's output as rows of named cells.
std::vector<std::map<std::string, std::string>> tabella(const std::string& csv) {
    std::istringstream in(csv);
    std::vector<std::string> nomi;
    std::vector<std::map<std::string, std::string>> righe;
    for (std::string linea; std::getline(in, linea);) {
        std::vector<std::string> celle;
        std::string cella;
        bool virgolette = false;
        for (char c : linea) {
            if (c == '"') virgolette = !virgolette;
            else if (c == ',' && !virgolette) celle.push_back(std::exchange(cella, {}));
            else cella += c;
        }
        celle.push_back(cella);
        if (nomi.empty()) {
            nomi = celle;
            continue;
        }
        std::map<std::string, std::string> r;
        for (std::size_t i = 0; i < nomi.size() && i < celle.size(); ++i) r[nomi[i]] = celle[i];
        righe.push_back(std::move(r));
    }
    return righe;
}

// The wall above held by two interlocked side walls (hb 8, lb 16, ts 40 cm, mu 0.577): F =
// 0.4·40·41·0.5·0.577·0.16²·0.40·20 = 38.7596288 kN a wall, L_i = 2·38.7596288·3.2/3 =
// 82.6872081 kN·m, α0 = (5.6 + 82.6872081)/83.2 = 1.06114433; or dragging the wedge of two side
// walls (β 30°, ts 40): W = 2·20·0.40·3.2²·tan 30°/2 = 47.2965341 kN, α0 = (5.6 + 47.2965341·
// 1.11584029)/(83.2 + 47.2965341·2.13333333) = 0.317086414. In the JSON and in the batch.
TEST(MeccanismoCli, TheSideWallsInTheJsonAndTheBatch) {
    tv::form::prova::SuiteTemp s(tv::form::prova::kConSito);
    std::vector<std::string> set = kUnPiano;
    set.insert(set.end(), {"ammorsamenti=2", "hb=8", "lb=16", "ts=40", "beta=30", "lati_cuneo=2"});
    Uscita u = esegui(s, "ribaltamento", set);
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto& m = u.j["results"]["mechanisms"][0];
    EXPECT_NEAR(m["alpha0"].get<double>(), 1.06114433, 1e-8);
    EXPECT_NEAR(m["L_i"].get<double>(), 82.6872081, 1e-6);
    EXPECT_NEAR(m["interlock"]["F"].get<double>(), 2 * 38.7596288, 1e-6);
    EXPECT_TRUE(m["wedge"].is_null());
    u = esegui(s, "ribaltamento_composto", set);  // the interlock's fields are not its own
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto& c = u.j["results"]["mechanisms"][0];
    EXPECT_EQ(c["name"], "ribaltamento composto 1");
    EXPECT_NEAR(c["alpha0"].get<double>(), 0.317086414, 1e-8);
    EXPECT_NEAR(c["wedge"]["W"].get<double>(), 47.2965341, 1e-6);
    EXPECT_TRUE(c["interlock"].is_null());
    EXPECT_EQ(c["L_i"].get<double>(), 0);
    // A parapet h 120, t 30 cm, γ 20 kN/m3, E 15000 daN/cm2 = 1.5e6 kN/m2, a cantilever: T0 =
    // 6.2·4·1.2·√(20/(1.5e6·9.81)) = 0.0346951 s [C8.7.1.7], α0 = t/L = 0.25.
    u = esegui(s, "elemento_libero",
               {"B=100", "gamma=0.002", "h1=120", "t1=30", "H=900", "Em=15000"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto& l = u.j["results"]["mechanisms"][0];
    EXPECT_EQ(l["name"], "elemento libero");
    EXPECT_NEAR(l["T0"].get<double>(), 0.0346951, 5e-8);
    EXPECT_NEAR(l["alpha0"].get<double>(), 0.25, 1e-12);
    EXPECT_TRUE(l["h1"].is_null());

    const auto file = s.lavoro() / "lotto.csv";
    std::ofstream(file) << "id,verifica,B,gamma,H,piani,h1,t1,N1,dN1,F1,ammorsamenti,hb,lb,ts,"
                           "beta,lati_cuneo\n"
                           "A,ribaltamento,100,0.002,900,1,320,50,1000,40,200,2,8,16,40,,\n"
                           "C,ribaltamento_composto,100,0.002,900,1,320,50,1000,40,200,,,,40,30,2\n";
    tv::cli::OpzioniBatch o;
    o.file = file.string();
    o.root = s.root().string();
    std::ostringstream out, err;
    tv::cli::esegui_batch(o, s.root(), out, err);
    auto righe = tabella(out.str());
    ASSERT_EQ(righe.size(), 2u) << err.str();
    EXPECT_EQ(righe[0]["alpha0"], "1.061144");
    EXPECT_EQ(righe[0]["F_ammorsamento"], "77.519258");
    EXPECT_EQ(righe[0]["L_interno"], "82.687208");
    EXPECT_EQ(righe[0]["W_cuneo"], "");
    EXPECT_EQ(righe[1]["meccanismo"], "ribaltamento composto 1");
    EXPECT_EQ(righe[1]["alpha0"], "0.317086");
    EXPECT_EQ(righe[1]["W_cuneo"], "47.296534");
    EXPECT_EQ(righe[1]["F_ammorsamento"], "");
}

TEST(MeccanismoCli, BatchAndSavedPanelsCarryTheMechanism) {
    tv::form::prova::SuiteTemp s(tv::form::prova::kConSito);
    const auto lotto = [&](const std::string& file, std::string& header) {
        tv::cli::OpzioniBatch o;
        o.file = file;
        o.root = s.root().string();
        std::ostringstream out, err;
        tv::cli::esegui_batch(o, s.root(), out, err);
        header = out.str().substr(0, out.str().find('\n'));
        return tabella(out.str());
    };
    // T1 (the building's period) and t1 (the first storey's thickness) are two columns.
    const auto file = s.lavoro() / "lotto.csv";
    std::ofstream(file) << "id,verifica,T1,B,gamma,H,piani,h1,t1,N1,dN1,F1\n"
                           "M,ribaltamento,0.5,100,0.002,900,1,320,50,1000,40,200\n"
                           "P,,,,,,,,,,,\n"
                           "X,crollo,,,,,,,,,,\n";
    std::string header;
    auto righe = lotto(file.string(), header);
    ASSERT_EQ(righe.size(), 3u);
    EXPECT_EQ(righe[0]["errore"], "");
    EXPECT_EQ(righe[0]["T1"], "0.5");
    EXPECT_EQ(righe[0]["t1"], "50");
    EXPECT_EQ(righe[0]["meccanismo"], "ribaltamento 1");
    // α0 = 5.6 / 83.2 = 0.0673077 (the hand-worked wall above), six decimals.
    EXPECT_EQ(righe[0]["alpha0"], "0.067308");
    EXPECT_EQ(righe[1]["verifica"], "pannello");
    EXPECT_NE(righe[1]["Rlat"], "");
    EXPECT_EQ(righe[1]["alpha0"], "");
    EXPECT_NE(righe[2]["errore"].find("verifica"), std::string::npos);
    // Without the column the output is today's: no mechanism column.
    std::ofstream(file) << "id,B\nP,500\n";
    lotto(file.string(), header);
    EXPECT_EQ(header.find("verifica"), std::string::npos) << header;

    // A saved mechanism panel: checked alone, and never as an arch in the all-panels report.
    std::ofstream(s.lavoro() / "pannelli.csv")
        << "id,descrizione,verifica,B,gamma,H,h1,t1,N1,dN1,F1\n"
           "M1,facciata,ribaltamento,100,0.002,900,320,50,1000,40,200\n";
    OpzioniCheck o;
    o.root = s.root().string();
    o.panel = "M1";
    o.json = true;
    std::ostringstream out, err;
    ASSERT_EQ(tv::cli::esegui_check(o, s.root(), out, err), 0) << err.str();
    const auto j = nlohmann::json::parse(out.str());
    EXPECT_EQ(j["kind"], "ribaltamento");
    EXPECT_NEAR(j["results"]["mechanisms"][0]["alpha0"].get<double>(), 5.6 / 83.2, 1e-12);
    tv::form::Pannello p;
    p.id = "M1";
    p.tipo = tv::form::TipoVerifica::ribaltamento;
    tv::hazard::CacheGriglia g;
    const auto esito = tv::form::calcola_pannello(p, tv::form::Lavoro{}, g, tv::text::dot_format());
    ASSERT_TRUE(std::holds_alternative<tv::form::Arresto>(esito));
    EXPECT_NE(std::get<tv::form::Arresto>(esito).testo.find("meccanismi locali"), std::string::npos);
}

}  // namespace
