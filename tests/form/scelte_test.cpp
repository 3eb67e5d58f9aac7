// SPDX-License-Identifier: GPL-3.0-or-later
// The norm's choices: each writes its fields' numbers; a number no choice gives reads "altro".
#include "form/scelte.h"

#include <gtest/gtest.h>

#include "form/lavoro.h"
#include "form/lettura_pannello.h"
#include "form/suggerimenti.h"

namespace tv::form {
namespace {

// The program's base units (daN/cm², daN/cm³), or kN/m² for stresses (1 daN/cm² = 100 kN/m²).
units::Unita unita(double tensioni = 1) {
    units::Unita u;
    u.fattore_lunghezze = u.fattore_forze = u.fattore_pesi_specifici = 1;
    u.fattore_tensioni = tensioni;
    return u;
}

const text::NumberFormat& punto() { return text::dot_format(); }

std::optional<std::string> imposta(Pannello& p, std::string_view nome, std::string_view testo,
                                   const units::Unita& u = unita()) {
    std::optional<std::string> rifiuto;
    EXPECT_TRUE(imposta_scelta(p, nome, testo, u, punto(), rifiuto)) << nome;
    return rifiuto;
}

TEST(Scelte, TopographyFallsLinearlyFromTheTopAndT1IsOneWhateverTheHeight) {
    // St = 1 + (St,max − 1)·h/H (NTC 2018 Tab. 3.2.V, § 3.2.3.2.1).
    EXPECT_DOUBLE_EQ(coefficiente_topografico(CategoriaTopografica::T1, 0.5), 1.0);
    EXPECT_DOUBLE_EQ(coefficiente_topografico(CategoriaTopografica::T2, 0.5), 1.1);   // 1 + 0.2·0.5
    EXPECT_DOUBLE_EQ(coefficiente_topografico(CategoriaTopografica::T3, 0.0), 1.0);   // the base
    EXPECT_DOUBLE_EQ(coefficiente_topografico(CategoriaTopografica::T4, 1.0), 1.4);   // the top
    EXPECT_DOUBLE_EQ(coefficiente_topografico(CategoriaTopografica::T4, 0.25), 1.1);  // 1 + 0.4/4
}

TEST(Scelte, SuggestedPeriodByStructureAndQaByElement) {
    // T1 = C1·H^(3/4) at H = 9 m, 9^0.75 = 5.196152: masonry 0.05 x 5.196152 = 0.259808 s,
    // concrete frames 0.075 x 5.196152 = 0.389711 s (today's default), steel 0.441673 s.
    EXPECT_NEAR(periodo_suggerito(TipoEdificio::altro, 9), 0.259808, 1e-6);
    EXPECT_NEAR(periodo_suggerito(TipoEdificio::calcestruzzo, 9), 0.389711, 1e-6);
    EXPECT_NEAR(periodo_suggerito(TipoEdificio::acciaio, 9), 0.441673, 1e-6);
    // Circolare 2019 Tab. C7.2.I: parapets 1, walls 2.
    EXPECT_EQ(voce(kElementi, ElementoNonStrutturale::parapetto).numero, 1.0);
    EXPECT_EQ(voce(kElementi, ElementoNonStrutturale::parete).numero, 2.0);
}

TEST(Scelte, MasonryByKnowledgeLevelMinimumOrMeanStrengthOverFcAndGammaM) {
    // Pietrame disordinato, LC1: f = 1,0 (minimum of 1,0-2,0), fd = 1,0/(1,35·2) = 0,370370...,
    // E = (690 + 1050)/2 = 870, w = 19 (Circolare 2019 Tab. C8.5.I).
    const ValoriMuratura a = valori_muratura(Muratura::pietrame_disordinata, LivelloConoscenza::LC1);
    EXPECT_DOUBLE_EQ(a.f, 1.0);
    EXPECT_DOUBLE_EQ(a.FC, 1.35);
    EXPECT_DOUBLE_EQ(a.gammaM, 2.0);
    EXPECT_NEAR(a.fd, 0.3703704, 1e-7);
    EXPECT_DOUBLE_EQ(a.E, 870);
    EXPECT_EQ(a.w, 19);
    // Mattoni pieni, LC2: f = (2,6 + 4,3)/2 = 3,45, fd = 3,45/(1,2·2) = 1,4375, E = 1500.
    const ValoriMuratura b = valori_muratura(Muratura::mattoni_pieni, LivelloConoscenza::LC2);
    EXPECT_DOUBLE_EQ(b.fd, 1.4375);
    EXPECT_DOUBLE_EQ(b.E, 1500);
    // Pietra tenera irregolare, LC3: f = (1,4 + 2,2)/2 = 1,8, FC 1, fd = 0,9; its w is a range.
    const ValoriMuratura c = valori_muratura(Muratura::pietra_tenera_irregolare,
                                             LivelloConoscenza::LC3);
    EXPECT_DOUBLE_EQ(c.fd, 0.9);
    EXPECT_DOUBLE_EQ(c.E, 1080);  // (900 + 1260)/2
    EXPECT_FALSE(c.w.has_value());
}

TEST(Scelte, BetterStateFactorsTheTwoHighestOnFGoodMortarOnEToo) {
    // Pietrame, Tab. C8.5.II: good mortar 1.5, courses 1.3, connection 1.5; the two highest,
    // k_f = 1.5 x 1.5 = 2.25, k_E = 1.5 (mortar): fd = 1.0 x 2.25 / 2.7 = 0.833333, E = 1305.
    const ValoriMuratura a =
        valori_muratura(Muratura::pietrame_disordinata, LivelloConoscenza::LC1, {true, true, true});
    EXPECT_DOUBLE_EQ(a.k_f, 2.25);
    EXPECT_DOUBLE_EQ(a.k_E, 1.5);
    EXPECT_NEAR(a.fd, 0.8333333, 1e-7);
    EXPECT_DOUBLE_EQ(a.E, 1305);
    // Pietre a spacco, courses 1.1 and connection 1.3, on f alone: k_f = 1.43, E 1740 unchanged.
    const ValoriMuratura b =
        valori_muratura(Muratura::pietre_a_spacco, LivelloConoscenza::LC1, {false, true, true});
    EXPECT_DOUBLE_EQ(b.k_f, 1.43);
    EXPECT_DOUBLE_EQ(b.E, 1740);
    // Solid bricks have no tabled mortar factor (f_m^0.35): nothing applies.
    EXPECT_DOUBLE_EQ(
        valori_muratura(Muratura::mattoni_pieni, LivelloConoscenza::LC1, {true, false, false}).k_f,
        1.0);
    Pannello p;
    imposta(p, "muratura", "pietrame_disordinata");
    EXPECT_FALSE(imposta(p, "correttivi", "Malta_buona + connessione"));
    EXPECT_EQ(cella_scelta(p.scelte, "correttivi"), "malta_buona+connessione");
    EXPECT_EQ(p.testi[Campo::fd] + " " + p.testi[Campo::E], "8.3333 13050");  // daN/cm2
    EXPECT_EQ(imposta(p, "correttivi", "calce"),
              "correttivi: accettati solo malta_buona, ricorsi, connessione, iniezioni, "
              "intonaco_armato o ristilatura_armata, uniti da \"+\" (o vuoto), ricevuto \"calce\"");
}

// Consolidation (Tab. C8.5.II, C8.5.3.1), pietrame LC1 (f 1.0, E (690 + 1050)/2 = 870):
// injection 2.0 on f and E: fd = 1.0·2/(1.35·2) = 0.740741, E = 1740. Good mortar, connection,
// injection and repointing: 1.5·1.5·2.0·1.6 = 7.2 on f, 1.5·2.0·(1 + 0.6/2) = 3.9 on E, both
// capped at 3.5. Conci sbozzati with reinforced plaster 2.0: connection and repointing drop,
// good mortar 1.4 stays, 2.8 on f and E (under 3.0). Repointing alone on pietre a spacco: 1.4
// on f, 1 + 0.4/2 = 1.2 on E, 1740·1.2 = 2088. No consolidation, no cap: blocks 1.2·1.2 = 1.44.
TEST(Scelte, ConsolidationFactorsMultiplyUnderTheTablesCap) {
    using L = LivelloConoscenza;
    const auto v = [](Muratura m, Correttivi c) { return valori_muratura(m, L::LC1, c); };
    const ValoriMuratura a = v(Muratura::pietrame_disordinata, {false, false, false, true, false, false});
    EXPECT_NEAR(a.fd, 0.7407407, 1e-7);
    EXPECT_DOUBLE_EQ(a.E, 1740);
    const ValoriMuratura b = v(Muratura::pietrame_disordinata, {true, false, true, true, false, true});
    EXPECT_EQ(std::tuple(b.k_f, b.k_E, b.consolidata), std::tuple(3.5, 3.5, true));
    const ValoriMuratura c = v(Muratura::conci_sbozzati, {true, false, true, false, true, true});
    EXPECT_DOUBLE_EQ(c.k_f, 2.8);
    EXPECT_DOUBLE_EQ(c.k_E, 2.8);
    const ValoriMuratura d = v(Muratura::pietre_a_spacco, {false, false, false, false, false, true});
    EXPECT_DOUBLE_EQ(d.k_f, 1.4);
    EXPECT_DOUBLE_EQ(d.E, 2088);
    const ValoriMuratura e = v(Muratura::blocchi_squadrati, {true, false, true, false, false, false});
    EXPECT_EQ(std::tuple(e.k_f, e.consolidata), std::tuple(1.2 * 1.2, false));
    Pannello p;
    imposta(p, "muratura", "pietrame_disordinata");
    EXPECT_FALSE(imposta(p, "correttivi", "iniezioni"));
    EXPECT_EQ(p.testi[Campo::fd] + " " + p.testi[Campo::E], "7.4074 17400");  // daN/cm2
}

// New masonry, NTC 2018 Tab. 4.5.II: fk 50 daN/cm² = 5 N/mm², units of category I with mortar
// of prescribed composition, execution class 2: γM 2.7, fd = 5/2.7 = 1.851852 N/mm² = 18.5185
// daN/cm², E = 1000·5 = 5000 N/mm² = 50000 daN/cm². Class 1 of category II: γM 2.5. A masonry
// type chosen then is existing masonry again: fk is cleared.
TEST(Scelte, NewMasonryTakesTheTablesGammaMAndClearsWithAMasonryType) {
    EXPECT_DOUBLE_EQ(gamma_M_muratura_nuova(MaterialeNuovo::II, ClasseEsecuzione::classe_1), 2.5);
    EXPECT_DOUBLE_EQ(gamma_M_muratura_nuova(MaterialeNuovo::I_garantita, ClasseEsecuzione::classe_2), 2.5);
    Pannello p;
    EXPECT_FALSE(imposta(p, "fk", "50"));
    EXPECT_EQ(p.testi[Campo::fd], Pannello{}.testi[Campo::fd]);  // no units nor class yet
    EXPECT_FALSE(imposta(p, "elementi", "i_prescritta"));
    EXPECT_FALSE(imposta(p, "classe_esecuzione", "2"));
    EXPECT_EQ(p.testi[Campo::fd] + " " + p.testi[Campo::E], "18.5185 50000");
    const ScelteValide s = scelte_valide(p, unita(), punto());
    EXPECT_EQ(std::tuple(s.nuova, s.fk, s.elementi), std::tuple(true, 5.0, MaterialeNuovo::I_prescritta));
    EXPECT_EQ(cella_scelta(p.scelte, "elementi") + " " + cella_scelta(p.scelte, "fk"), "I_prescritta 50");
    EXPECT_EQ(imposta(p, "fk", "-3"),
              "fk: attesa una resistenza caratteristica maggiore di 0 (o vuoto), ricevuto \"-3\"");
    EXPECT_EQ(imposta(p, "classe_esecuzione", "3"),
              "classe_esecuzione: accettati solo 1 o 2 (o vuoto), ricevuto \"3\"");
    EXPECT_FALSE(imposta(p, "muratura", "mattoni_pieni"));
    EXPECT_EQ(p.scelte.fk, "");
    EXPECT_FALSE(scelte_valide(p, unita(), punto()).nuova);
}

TEST(Scelte, EachChoiceWritesItsNumbersInTheJobsUnits) {
    Pannello p;
    EXPECT_FALSE(imposta(p, "classe_uso", "iii"));
    EXPECT_FALSE(imposta(p, "stato_limite", "SLD"));
    EXPECT_FALSE(imposta(p, "tipo_costruzione", "elevata"));
    EXPECT_FALSE(imposta(p, "categoria_topografica", "T2"));
    EXPECT_EQ(p.testi[Campo::St], "1.2");  // h/H unset: the top
    EXPECT_FALSE(imposta(p, "h_su_H", "0.5"));
    EXPECT_FALSE(imposta(p, "muratura", "mattoni_pieni"));
    EXPECT_EQ(p.testi[Campo::fd], "9.6296");  // LC1 until said: 2,6/(1,35·2) = 0,962963 N/mm²
    EXPECT_FALSE(imposta(p, "livello_conoscenza", "LC2"));
    // Cu 1,5, PVR 63 %, VN 100, St = 1 + 0,2·0,5 = 1,1; fd 1,4375 N/mm² = 14,375 daN/cm²,
    // E 1500 N/mm² = 15000 daN/cm², w 18 kN/m³ = 0,0018 daN/cm³.
    EXPECT_EQ(std::vector<std::string>({p.testi[Campo::Cu], p.testi[Campo::PVR],
                                        p.testi[Campo::VN], p.testi[Campo::St],
                                        p.testi[Campo::fd], p.testi[Campo::E],
                                        p.testi[Campo::gamma]}),
              (std::vector<std::string>{"1.5", "63", "100", "1.1", "14.375", "15000", "0.0018"}));
    const ScelteValide v = scelte_valide(p, unita(), punto());
    EXPECT_EQ(v.classe_uso, ClasseUso::III);
    EXPECT_EQ(v.categoria_topografica, CategoriaTopografica::T2);
    EXPECT_EQ(v.muratura, Muratura::mattoni_pieni);
    EXPECT_TRUE(v.peso_da_tabella);
    // In kN/m²: pietrame LC1, fd 0,370370 N/mm² = 370,3704 kN/m², E 870 N/mm² = 870000 kN/m².
    Pannello k;
    imposta(k, "muratura", "pietrame_disordinata", unita(100));
    EXPECT_EQ(k.testi[Campo::fd] + " " + k.testi[Campo::E], "370.3704 870000");
}

TEST(Scelte, TypedNumbersThatNoChoiceGivesReadAltroAndWordsAreChecked) {
    Pannello p;
    imposta(p, "categoria_topografica", "T4");
    imposta(p, "muratura", "blocchi_squadrati");
    p.testi[Campo::Cu] = "2";    // IV, from the number alone
    p.testi[Campo::PVR] = "12";  // no limit state
    p.testi[Campo::E] = "1";     // the masonry no longer holds
    ScelteValide v = scelte_valide(p, unita(), punto());
    EXPECT_EQ(v.classe_uso, ClasseUso::IV);
    EXPECT_FALSE(v.stato_limite.has_value());
    EXPECT_EQ(v.categoria_topografica, CategoriaTopografica::T4);
    EXPECT_FALSE(v.muratura.has_value());
    p.testi[Campo::St] = "1.2";  // T4 at the top is 1,4; 1,2 alone could be T2 or T3
    EXPECT_FALSE(scelte_valide(p, unita(), punto()).categoria_topografica.has_value());
    p.scelte = {};
    p.testi[Campo::St] = "1";
    EXPECT_EQ(scelte_valide(p, unita(), punto()).categoria_topografica, CategoriaTopografica::T1);

    EXPECT_EQ(imposta(p, "classe_uso", "V"),
              "classe_uso: accettati solo I, II, III o IV (o vuoto), ricevuto \"V\"");
    EXPECT_EQ(imposta(p, "h_su_H", "1.5"),
              "h_su_H: atteso un numero da 0 a 1 (o vuoto), ricevuto \"1.5\"");
    EXPECT_EQ(p.testi[Campo::Cu], "2");  // a refused word writes nothing
    std::optional<std::string> r;
    EXPECT_FALSE(imposta_scelta(p, "Cu", "II", unita(), punto(), r));
}

TEST(Scelte, ASavedRowsChoicesComeBeforeItsNumbersAndAreWrittenBack) {
    // A row with a choice and a typed number of its field: the number holds, the choice reads
    // "altro"; the masonry writes fd 3,7037 daN/cm² (0,370370 N/mm²) and E 8700.
    const std::vector<std::pair<std::string_view, std::string_view>> celle = {
        {"classe_uso", "IV"}, {"Cu", "1.2"}, {"muratura", "pietrame_disordinata"},
        {"livello_conoscenza", "LC1"}, {"categoria_topografica", "t3"}, {"h_su_H", "0.25"}};
    Pannello p;
    const auto rifiuto = leggi_celle(
        [&](std::string_view c) -> std::optional<CellaRiga> {
            for (const auto& [n, t] : celle)
                if (n == c) return CellaRiga{t};
            return std::nullopt;
        },
        p, unita(), punto());
    EXPECT_FALSE(rifiuto.has_value());
    EXPECT_EQ(p.testi[Campo::Cu] + " " + p.testi[Campo::fd] + " " + p.testi[Campo::E] + " " +
                  p.testi[Campo::St],
              "1.2 3.7037 8700 1.05");  // St = 1 + 0,2·0,25
    EXPECT_FALSE(scelte_valide(p, unita(), punto()).classe_uso.has_value());
    EXPECT_EQ(cella_scelta(p.scelte, "muratura"), "pietrame_disordinata");
    EXPECT_EQ(cella_scelta(p.scelte, "categoria_topografica"), "T3");
    EXPECT_EQ(cella_scelta(p.scelte, "h_su_H"), "0.25");
    EXPECT_EQ(cella_scelta(Scelte{}, "classe_uso"), "");
}

}  // namespace
}  // namespace tv::form
