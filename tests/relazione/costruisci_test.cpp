// The report as data: title block, the demo job's values with the window's roundings and the
// decimal comma, the grid nodes, formulas, plots, restraint cases, verdict and plot ticks.
#include "relazione/documento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "relazione_demo.h"

namespace tv::relazione {
namespace {

const Sezione& sezione(const Documento& doc, const std::string& inizio) {
    for (const Sezione& s : doc.sezioni)
        if (s.titolo.rfind(inizio, 0) == 0) return s;
    throw std::runtime_error("nessuna sezione " + inizio);
}

template <class T>
std::vector<const T*> blocchi(const Sezione& s) {
    std::vector<const T*> r;
    for (const Blocco& b : s.blocchi)
        if (const T* x = std::get_if<T>(&b)) r.push_back(x);
    return r;
}

// The row of a value table by its symbol (second column).
std::vector<std::string> riga(const Sezione& s, const std::string& simbolo) {
    for (const Tabella* t : blocchi<Tabella>(s))
        for (const auto& r : t->righe)
            if (r.size() > 1 && r[1] == simbolo) return r;
    return {"", "", "(nessuna riga)", ""};
}

// Whether a paragraph or a formula ("symbolic | numeric") of the section holds the text.
bool contiene(const Sezione& s, const std::string& cercato) {
    std::string r;
    for (const Paragrafo* p : blocchi<Paragrafo>(s)) r += p->testo + "\n";
    for (const Formula* f : blocchi<Formula>(s)) r += f->simbolica + " | " + f->numerica + "\n";
    return r.find(cercato) != std::string::npos;
}

TEST(Relazione, DemoValuesNodesFormulasAndVerdictAsTheWindowRoundsThemWithTheDecimalComma) {
    const Documento doc = costruisci_relazione(risultato_demo(), contesto_demo());
    for (const auto& [sez, simbolo, testo, unita] : std::vector<std::array<const char*, 4>>{
             {"1.", "γ", "0,0008", "daN/cm³"}, {"2.", "ag", "0,2607", "g"}, {"2.", "F0", "2,36", ""},
             {"2.", "Tc*", "0,35", "s"}, {"2.", "TR1 – TR2", "475 – 975", "anni"},
             {"3.", "Ss", "1,154", ""}, {"3.", "TD", "2,643", "s"}, {"4.", "J", "72000", "cm⁴"},
             {"4.", "Ta", "0,1928", "s"}, {"4.", "Fa", "840,56", "daN"}, {"5.", "K2", "1,000", ""},
             {"5.", "f", "8,2", "mm"}, {"5.", "σcr", "10,29", "daN/cm²"},
             {"5.", "qd", "0,004099", "daN/cm²"}, {"5.", "fcrit", "31,7", "mm"},
             {"5.", "l0", "150,5168", "cm"}, {"4.", "Sa", "1,1675", ""}, {"6.", "Rlat / Fa", "0,732", ""}}) {
        const auto r = riga(sezione(doc, sez), simbolo);
        EXPECT_EQ(r[2] + " " + r[3], std::string(testo) + " " + unita) << simbolo;
    }
    // Coordinates typed in WGS84 come with the ED50 position the grid was read at; ED50 alone.
    EXPECT_EQ(riga(sezione(doc, "1."), "lat ED50")[2], "(nessuna riga)");
    auto w = risultato_demo();
    w.ingressi.datum = tv::hazard::Datum::wgs84, w.ed50 = {41.90379, 12.497326};
    const Documento doc_w = costruisci_relazione(w, contesto_demo());
    const Sezione& dati_w = sezione(doc_w, "1.");
    EXPECT_EQ(riga(dati_w, "lat ED50")[2] + " " + riga(dati_w, "lon ED50")[2], "41,90379 12,497326");
    EXPECT_EQ(doc_w.intestazione.coordinate, "Long. 13,3995°  Lat. 42,3505° (WGS84)");
    const auto tabelle = blocchi<Tabella>(sezione(doc, "2."));
    ASSERT_EQ(tabelle.size(), 3u);
    EXPECT_EQ(tabelle[0]->righe, (std::vector<std::vector<std::string>>{
                                     {"SW", "26527", "13,355", "42,335", "4,043", "0,2340"},
                                     {"SE", "26528", "13,423", "42,335", "2,589", "0,3654"},
                                     {"NE", "26306", "13,422", "42,385", "4,258", "0,2221"},
                                     {"NW", "26305", "13,355", "42,385", "5,299", "0,1785"}}));
    // Each node's ag (the grid's tenths of g), F0 and Tc* at 475 and 975 years, and their
    // weighted mean: 0,2340 · 0,3338 + 0,3654 · 0,3343 + 0,2221 · 0,3341 + 0,1785 · 0,3339.
    EXPECT_EQ(tabelle[1]->righe.front(), (std::vector<std::string>{"SW", "0,2604", "2,360", "0,350",
                                                                    "0,3338", "2,400", "0,360"}));
    EXPECT_EQ(tabelle[1]->righe.back()[4], "0,3341");
    EXPECT_TRUE(contiene(sezione(doc, "2."), "r = ln(475/475) / ln(975/475) = 0"));
    EXPECT_TRUE(contiene(sezione(doc, "2."), "TR = −50 / ln(1 − 0,1) = 474,56 anni  →  TR = 475 anni"));
    EXPECT_TRUE(contiene(sezione(doc, "3."), "| Ss = 1,40 − 0,40 · 2,36 · 0,2607 = 1,154\n"));
    EXPECT_TRUE(contiene(sezione(doc, "4."),
                         "Sa = ag · S · [3 · (1 + Z/H) / (1 + (1 − Ta/T1)²) − 0,5] ≥ ag · S | "
                         "Sa = 0,2607 · 1,154 · [3 · (1 + 750/900) / (1 + (1 − 0,1928/0,39)²) − "
                         "0,5] = 1,1675"));
    EXPECT_TRUE(contiene(sezione(doc, "4."), "Fa = Sa · Wa / qa | Fa = 1,1675 · 1440 / 2 = 840,56 daN"));
    // EC6 (6.25) beside the program's arch: 3 · (12/300)² = 0,0048; 1,5 · 3 · 12 / 10 = 5,4.
    EXPECT_TRUE(contiene(sezione(doc, "5."), "qlat,d = 3 · (12/300)² = 0,0048 daN/cm²    qd / qlat,d = 0,854"));
    EXPECT_TRUE(contiene(sezione(doc, "5."), "Nad = 1,5 · 3 · 12 / 10 = 5,4 daN/cm"));
    EXPECT_FALSE(contiene(sezione(doc, "5."), "la/t ="));  // 300 / 12 = 25, not above
    const auto esito = blocchi<Esito>(sezione(doc, "6."));
    ASSERT_EQ(esito.size(), 1u);
    EXPECT_EQ(esito[0]->testo, "Rlat = 614,87 daN < Fa = 840,56 daN: verifica non soddisfatta");
    EXPECT_EQ(esito[0]->colore, (Colore{255, 0, 0}));
}

// What the run could not choose well: the initial site in the title block, the least VR in the
// hazard section, the plausibility warnings after the verdict.
TEST(Relazione, InitialSiteLeastVrAndWarningsAreSaid) {
    RisultatoVerifica d = risultato_demo();
    EXPECT_EQ(costruisci_relazione(d, contesto_demo()).intestazione.avviso_sito, "");
    d.ingressi.sito_iniziale = true;
    d.ingressi.sito.VN = 10, d.ingressi.sito.Cu = 0.7, d.azione.VN_Cu = 7, d.azione.VR = 35;
    d.avvisi = {{form::TipoAvviso::qa, 3}, {form::TipoAvviso::St, 1.6, 1.0, 1.4}};
    const Documento doc = costruisci_relazione(d, contesto_demo());
    EXPECT_EQ(doc.intestazione.avviso_sito,
              "Sito: valori iniziali del programma (il lavoro non contiene dati del sito)");
    EXPECT_TRUE(contiene(sezione(doc, "2."), "VR = max(VN · Cu; 35 anni)   (NTC 2018 § 2.4.3) | "
                                             "VR = max(10 · 0,7 = 7; 35) = 35 anni"));
    EXPECT_TRUE(
        contiene(sezione(doc, "2."), "Applicato il minimo VR = 35 anni (NTC 2018 § 2.4.3)."));
    // The warnings are rows of the automatic checks, each with what it asks of the designer.
    const Sezione& controlli = sezione(doc, "11.");
    EXPECT_EQ(riga(controlli, "qa = 3 diverso da 1 e da 2")[2],
              "avviso: il progettista ne valuti la causa");
    EXPECT_EQ(riga(controlli, "St = 1,6 fuori dai valori usuali da 1 a 1,4 (tab. 3.2.VI)")[0],
              "Plausibilità dei dati");
    EXPECT_TRUE(contiene(sezione(doc, "6."), "Avvisi sui dati: vedi i controlli automatici"));
    d.avvisi.clear();
    const Documento senza = costruisci_relazione(d, contesto_demo());
    EXPECT_EQ(blocchi<Tabella>(sezione(senza, "11.")).at(0)->righe.back()[2], "nessun avviso");
    EXPECT_FALSE(contiene(sezione(senza, "6."), "Avvisi"));
}

TEST(Relazione, WorkUnitsIslandsC7AndNoActionChangeTheirSections) {
    ContestoRelazione c = contesto_demo();
    c.unita.unita_lunghezze = "m", c.unita.fattore_lunghezze = 0.01;
    c.unita.unita_forze = "kN", c.unita.fattore_forze = 0.01;
    c.unita.unita_tensioni = "MPa", c.unita.fattore_tensioni = 0.1;
    RisultatoVerifica d = risultato_demo();
    d.azione.origine = form::OrigineIsola{"Sardegna", "1"};
    d.formula = d.pannello.formula = FormulaDomanda::circolare_c7_2_11;
    d.pannello.c7 = panel::AccelerazioneC7{d.pannello.Sa, {0.8, 1.4, 5}, panel::RamoC7::crescente,
                                           false};
    const Documento doc = costruisci_relazione(d, c);
    EXPECT_EQ(riga(sezione(doc, "1."), "B")[2] + " " + riga(sezione(doc, "4."), "Fa")[2] + " " +
                  riga(sezione(doc, "4."), "J")[3] + " " + riga(sezione(doc, "5."), "σcr")[2] +
                  " " + riga(sezione(doc, "5."), "f")[3],  // the deflection stays in mm
              "5 8,41 m⁴ 1,03 mm");
    EXPECT_EQ(blocchi<Tabella>(sezione(doc, "2.")).size(), 2u);  // no grid nodes
    EXPECT_TRUE(contiene(sezione(doc, "2."), "gruppo Sardegna, zona 1"));
    EXPECT_EQ(sezione(doc, "4.").titolo, "4. Azione sismica sul pannello (NTC 2018 § 7.2.3)");
    EXPECT_TRUE(contiene(sezione(doc, "4."),
                         "[C7.2.11] della Circolare 21/01/2019 n. 7, con a = 0,8, b = 1,4, ap = 5 "
                         "(Tabella C7.2.II). La formula [C7.2.11] è scritta per gli edifici con "
                         "struttura intelaiata."));
    EXPECT_TRUE(contiene(sezione(doc, "4."),
                         "Sa = 0,2607 · 1,154 · (1 + 7,5/9) · 5 / [1 + (5 − 1) · (1 − "
                         "0,1928/(0,8 · 0,39))²] = 1,1675"));
    // MPa is not kN/m²: the formulas say the units they use.
    EXPECT_TRUE(contiene(sezione(doc, "4."), "scritte in m, kN e s (tensioni in kN/m², pesi "
                                             "specifici in kN/m³)."));
    // An ag and F0 that push Ss over the limit of category B: 1,40 − 0,40 · 2,7 · 0,05 = 1,346.
    d = risultato_demo();
    d.azione.ag = 0.05, d.azione.F0 = 2.7;
    EXPECT_TRUE(contiene(sezione(costruisci_relazione(d, contesto_demo()), "3."),
                         "= 1,346  →  Ss = 1,20 (limite superiore)"));
    d = risultato_demo();
    d.pannello.Fa = 0, d.ok = true;
    const Sezione s = sezione(costruisci_relazione(d, contesto_demo()), "6.");
    EXPECT_EQ(riga(s, "Rlat / Fa")[2], "nessuna azione sul pannello");
    const auto esito = blocchi<Esito>(s);
    ASSERT_EQ(esito.size(), 1u);
    EXPECT_EQ(esito[0]->testo, "Rlat = 614,87 daN ≥ Fa = 0 daN: verifica soddisfatta");
    EXPECT_EQ(esito[0]->colore, (Colore{0, 128, 0}));
}

TEST(Relazione, MassSharesExplainedByTheRestraintCase) {
    for (const auto& [sup, sx, dx, inizio] :
         {std::tuple{true, false, false, "Lati verticali liberi"},
          std::tuple{true, true, true, "Pannello appoggiato sui quattro lati"},
          std::tuple{true, true, false, "Lato superiore appoggiato e un solo"},
          std::tuple{false, true, true, "Lato superiore libero e lati verticali"}}) {
        RisultatoVerifica d = risultato_demo();
        d.ingressi.pannello.vincoli = {sup, sx, dx};
        const Documento doc = costruisci_relazione(d, contesto_demo());
        EXPECT_TRUE(contiene(sezione(doc, "4."), inizio)) << inizio;
        const auto& v = *blocchi<DisegnoVincoli>(sezione(doc, "1.")).at(0);
        EXPECT_EQ((std::array{v.superiore, v.sinistro, v.destro, v.inferiore}),
                  (std::array{sup, sx, dx, true}));
    }
}

// Every text of the document, cells and plot labels included.
std::string testi(const Documento& doc) {
    std::string r = doc.titolo + "\n";
    for (const Sezione& s : doc.sezioni) {
        r += s.titolo + "\n";
        for (const Paragrafo* p : blocchi<Paragrafo>(s)) r += p->testo + "\n";
        for (const Formula* f : blocchi<Formula>(s)) r += f->simbolica + "\n" + f->numerica + "\n";
        for (const Tabella* t : blocchi<Tabella>(s))
            for (const auto& riga : t->righe)
                for (const auto& c : riga) r += c + "\n";
        for (const Grafico* g : blocchi<Grafico>(s))
            r += g->y.titolo + "\n" + (g->y2 ? g->y2->titolo : "") + "\n";
        for (const Esito* e : blocchi<Esito>(s)) r += e->testo + "\n";
    }
    return r;
}

// The rules in force, the five sections of the software declaration, and a job in kgf that
// shows no daN anywhere: its formulas take the numbers in kgf and cm.
TEST(Relazione, NtcTwentyEighteenTheDeclarationSectionsAndOneSetOfUnits) {
    const Documento doc = costruisci_relazione(risultato_demo(), contesto_demo());
    const std::string tutto = testi(doc);
    for (const char* atteso : {"NTC 2018 (D.M. 17/01/2018", "Circolare 21/01/2019 n. 7",
                               "Allegati A e B delle NTC 2008", "NTC 2018 § 3.2.3.2.1",
                               "Tab. 3.2.IV", "Tab. 3.2.V", "NTC 2018 § 2.4.3", "γa = 1",
                               "UNI EN 1996-1-1 (EC6) § 6.3.2", "Ipotesi di modello del programma"})
        EXPECT_NE(tutto.find(atteso), std::string::npos) << atteso;
    EXPECT_EQ(tutto.find("NTC 2008 § 3"), std::string::npos);
    std::vector<std::string> titoli;
    for (const Sezione& s : doc.sezioni) titoli.push_back(s.titolo);
    for (const char* t : {"8. Origine e caratteristiche del codice di calcolo", "9. Tipo di analisi",
                          "10. Campo di impiego", "11. Controlli automatici",
                          "12. Giudizio motivato di accettabilità dei risultati"})
        EXPECT_NE(std::find(titoli.begin(), titoli.end(), t), titoli.end()) << t;
    const auto origine = blocchi<Tabella>(sezione(doc, "8.")).at(0)->righe;
    EXPECT_EQ(origine[4], (std::vector<std::string>{"Licenza", "LicenseRef-proprietary"}));
    EXPECT_EQ(origine[5][1], "parametri_per_spettro.txt");
    EXPECT_EQ(std::count(origine[6][1].begin(), origine[6][1].end(), ' '), 7);  // 8 groups of 8
    EXPECT_EQ(blocchi<Riquadro>(sezione(doc, "12.")).at(0)->firme,
              (std::vector<std::string>{"Data", "Il progettista"}));

    ContestoRelazione c = contesto_demo();
    c.unita.unita_forze = "kgf", c.unita.fattore_forze = 10 / 9.81;
    c.unita.unita_tensioni = "kgf/cm2", c.unita.fattore_tensioni = 10 / 9.81;
    c.unita.unita_pesi_specifici = "kgf/cm3", c.unita.fattore_pesi_specifici = 10 / 9.81;
    const Documento kgf = costruisci_relazione(risultato_demo(), c);
    EXPECT_EQ(testi(kgf).find("daN"), std::string::npos);
    // 1440 daN · 10 / 9,81 = 1467,89 kgf; 0,0008 daN/cm³ = 0,0008155 kgf/cm³.
    EXPECT_TRUE(contiene(sezione(kgf, "4."), "W = 300 · 500 · 12 · 0,0008155 = 1467,89 kgf"));
    EXPECT_TRUE(contiene(sezione(kgf, "4."), "scritte in cm, kgf e s."));
}

// The job's report data: the title block names only what is given; the judgement fills its frame.
TEST(Relazione, JobReportDataInTheTitleBlockAndTheJudgementInItsFrame) {
    ContestoRelazione c = contesto_demo();
    EXPECT_TRUE(costruisci_relazione(risultato_demo(), c).intestazione.dati_lavoro.empty());
    c.dati.committente = "Comune di Fossa", c.dati.progettista = "Ing. Anna Neri";
    c.dati.ordine = "OIAQ n. 1234", c.dati.giudizio = "Accettati.";
    const Documento doc = costruisci_relazione(risultato_demo(), c);
    EXPECT_EQ(doc.intestazione.dati_lavoro,
              (std::vector<std::pair<std::string, std::string>>{
                  {"Committente", "Comune di Fossa"}, {"Progettista", "Ing. Anna Neri, OIAQ n. 1234"}}));
    EXPECT_EQ(blocchi<Riquadro>(sezione(doc, "12.")).at(0)->testo, "Accettati.");
}

// The demo site with a cantilever: B 100, L 100, t 25 cm, 0.0018 daN/cm3, Z = H = 900, qa 1.
TEST(RelazioneDaVerifica, CantileverTakesItsOwnPeriodAndOverturningSection) {
    RisultatoVerifica r = risultato_demo();
    auto& p = r.ingressi.pannello;
    p.B = 100, p.L = 100, p.t = 25, p.gamma = 0.0018, p.Z = 900, p.H = 900, p.qa = 1;
    p.vincoli = {false, false, false};
    r.pannello = panel::verifica_pannello(p, {r.azione.ag, r.azione.spettro.s, r.ingressi.T1});
    r.ok = r.pannello.ok;
    const Documento doc = costruisci_relazione(r, contesto_demo());
    const Sezione& domanda = sezione(doc, "4.");
    EXPECT_TRUE(contiene(domanda, "Ripartizione massa: mensola."));
    EXPECT_TRUE(contiene(domanda,
                         "Ta = (2π / 1,8751²) · 100² · √((0,0018 · 25 · 100 / 981) / "
                         "(6000 · 130208,33)) = 0,0433 s"));
    EXPECT_EQ(riga(domanda, "Fa")[2], "386,05");
    const Sezione& mensola = sezione(doc, "5.");
    EXPECT_EQ(mensola.titolo, "5. Resistenza a ribaltamento della mensola (NTC 2018 § 7.8.2.2.3)");
    EXPECT_TRUE(
        contiene(mensola, "M_Rd = 450 · (25/2) · (1 − 0,18 / (0,85 · 3)) = 5227,94 daN·cm"));
    EXPECT_TRUE(contiene(mensola, "Rlat = 2 · 5227,94 / 100 = 104,56 daN"));
    EXPECT_TRUE(blocchi<Grafico>(mensola).empty());  // no arch curve
    EXPECT_EQ(blocchi<Esito>(sezione(doc, "6."))[0]->testo,
              "Rlat = 104,56 daN < Fa = 386,05 daN: verifica non soddisfatta");
}

// The job's name and the subsoil of the result, not of the field, reach the report.
TEST(RelazioneDaVerifica, JobNameAndTheResultsSubsoil) {
    RisultatoVerifica r = risultato_demo();
    r.azione.spettro.suolo = hazard::Suolo::D;
    const Documento doc = costruisci_relazione(r, contesto_demo());
    EXPECT_EQ(doc.intestazione.lavoro, "demo");
    EXPECT_EQ(riga(sezione(doc, "1."), "")[2], "D");
}

TEST(RelazioneDaVerifica, SpectrumPlateauAndArchPeakWithTheirMarks) {
    const RisultatoVerifica r = risultato_demo();
    const Documento doc = costruisci_relazione(r, contesto_demo());
    const auto spettro = blocchi<Grafico>(sezione(doc, "3."));
    ASSERT_EQ(spettro.size(), 1u);
    double massimo = 0;
    for (const Punto& p : spettro[0]->serie[0].punti) massimo = std::max(massimo, p.y);
    EXPECT_NEAR(massimo, r.azione.ag * r.azione.spettro.s * r.azione.F0, 1e-12);
    EXPECT_EQ(riga(sezione(doc, "3."), "TB")[2], "0,158");  // TC / 3, Cc = 1,10 · 0,35^−0,20
    EXPECT_EQ(riga(sezione(doc, "3."), "TC")[2], "0,475");
    // Ta lies between TB and TC: its mark is on the plateau ag S F0.
    ASSERT_EQ(spettro[0]->marcatori.size(), 2u);
    EXPECT_NEAR(spettro[0]->marcatori[1].punto.x, 0.192826569, 1e-9);
    EXPECT_NEAR(spettro[0]->marcatori[1].punto.y, 0.2607438004 * 1.153857852 * 2.36, 1e-9);
    EXPECT_EQ(spettro[0]->riferimenti[0].etichetta, "T1 = 0,39 s");
    const auto arco = blocchi<Grafico>(sezione(doc, "5."));
    ASSERT_EQ(arco.size(), 1u);
    std::vector<std::string> tacche;  // h = 10.8 cm = 108 mm, widened to a whole round step
    for (const Tacca& t : arco[0]->x.tacche) tacche.push_back(t.testo);
    EXPECT_EQ(tacche, (std::vector<std::string>{"0", "20", "40", "60", "80", "100", "120"}));
    EXPECT_NEAR(arco[0]->marcatori[0].punto.x, 31.66699219, 1e-7);
    EXPECT_TRUE(arco[0]->riferimenti[0].asse_secondario);
    const Serie& q = arco[0]->serie[0];
    const Punto picco = *std::max_element(q.punti.begin(), q.punti.end(),
                                          [](const Punto& x, const Punto& y) { return x.y < y.y; });
    const auto& a = std::get<panel::Freccia>(r.pannello.resistenza);
    EXPECT_NEAR(picco.y, a.qcrit, a.qcrit * 1e-3);
    EXPECT_NEAR(picco.x, a.fcrit * 10.0, 0.5);  // mm, within the curve's sampling
}

// The locality is named only for the job's or the picked coordinates, exactly; the rest of the
// title block is checked on the PDF.
TEST(RelazioneDaVerifica, LocalityOnlyForTheJobsOrThePickedCoordinates) {
    LavoroDemo demo;
    ASSERT_TRUE(demo.avviato);
    Form1& f = demo.finestra.form;
    f.imposta_testo_combo("Abano Terme");
    ASSERT_FALSE(f.stato.combo_list.empty());
    f.Combo1_Click(0);
    EXPECT_EQ(f.localita_del_sito(11.7873, 45.3575), "Abano Terme (PD)");
    EXPECT_EQ(f.localita_del_sito(13.3995, 42.3505), "L'Aquila");  // the job's, typed back
    EXPECT_EQ(f.localita_del_sito(13.4, 42.3505), std::nullopt);
    ContestoRelazione c = contesto_demo();
    EXPECT_EQ(costruisci_relazione(risultato_demo(), c).intestazione.localita, "L'Aquila");
    c.localita.reset();
    EXPECT_EQ(costruisci_relazione(risultato_demo(), c).intestazione.localita, "");
}

}  // namespace
}  // namespace tv::relazione
