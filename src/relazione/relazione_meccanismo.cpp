// SPDX-License-Identifier: GPL-3.0-or-later
// The report of a local-mechanism check: the wall, the hazard, each mechanism, the verdict, then
// the rules, the analysis, its scope, the automatic checks and the designer's judgement.
#include "relazione/relazione_meccanismo.h"

#include "relazione/redazione.h"
#include "relazione/sezioni_meccanismi.h"

namespace tv::relazione {

namespace {

using namespace redazione;

Sezione paragrafi(std::string titolo, std::initializer_list<std::string> testi) {
    Sezione s{std::move(titolo), {}};
    for (const auto& t : testi) s.blocchi.push_back(Paragrafo{t});
    return s;
}

Sezione sezione_norme(int numero) {
    return paragrafi(
        std::to_string(numero) + ". Norme, riferimenti e ipotesi",
        {"Norme della verifica: NTC 2018 (D.M. 17/01/2018) § 8.7.1 e la Circolare 21/01/2019 n. 7, "
         "§ C8.7.1.1 e § C8.7.1.2.1 (analisi cinematica lineare), con le formule [C8.7.1.1] "
         "(moltiplicatore α0), [C8.7.1.3] (accelerazione spettrale a0*), [C8.7.1.5] (frazione "
         "di massa partecipante e*) e [C8.7.1.8]; il fattore di confidenza dal § C8.5.4.",
         "Pericolosità di base: Allegati A e B delle NTC 2008, ai quali rimandano le NTC 2018 "
         "§ 3.2, agli stati limite SLD (PVR = 63 %) e SLV (PVR = 10 %) della Tab. 3.2.I, con "
         "VR = VN · Cu e non meno di 35 anni (Circolare 2019 Tab. C2.4.I). Spettro: NTC 2018 "
         "§ 3.2.3.2.1, con Ss e Cc dalla Tab. 3.2.IV e St dalla Tab. 3.2.V.",
         "Domanda alla quota z della cerniera: l'accelerazione di picco del piano (il meccanismo "
         "è rigido, Ta = 0) dalla Circolare 2019 § C7.2.5 o § C7.2.11, come richiesto dal "
         "§ C8.7.1.2.1.5; a z = 0 è ag · S. Allo SLV il fattore di comportamento è q = 2 "
         "(§ C8.7.1.2.1.7).",
         "Lettura del programma: e* è calcolato con la formula [C8.7.1.5] sugli spostamenti "
         "virtuali dei carichi, anche per un solo blocco (e* < 1 quando i carichi stanno a "
         "quote diverse); i carichi il cui punto non si sposta orizzontalmente (il solaio in sommità "
         "di un piano che si flette, trattenuto dal solaio) affidano la loro inerzia al vincolo e "
         "restano fuori da Σ (P + Q) di e*, lettura a favore di sicurezza; ag,cap = ζE · ag allo stesso stato limite, con S e la forma della "
         "domanda di quello stato. Le tabelle usano m, kN e t; i dati sono stati scritti nelle "
         "unità di lavoro della commessa e convertiti.",
         "Lettura del programma per le pareti ortogonali: nell'attrito dell'ammorsamento "
         "[C8.7.1.2] n = h/hb non è arrotondato a un numero intero di filari, h è l'altezza "
         "della parte che ribalta sopra la sua cerniera (minimizzata scegliendo la cerniera "
         "alla base di ciascun piano), w è il γ della parete e la resistenza aggiuntiva dei "
         "carichi in sommità ai muri ortogonali non è considerata (a favore di sicurezza). Il "
         "cuneo del ribaltamento composto ha lo spessore ts e il γ della parete, porta solo il "
         "suo peso e arriva alla sommità della parete; β è un dato, non minimizzato.",
         "Elementi liberi di vibrare (§ C8.7.1.2.1.5, [C8.7.1.6], [C8.7.1.7] e [C8.7.1.9]): la "
         "domanda è lo spettro di piano alla base dell'elemento al suo periodo T0, con ξ = 5 %, "
         "e non meno dello spettro elastico del sito Se(T0) (lettura del programma, perché "
         "alla base dell'edificio la formula di piano non vede l'amplificazione dello spettro); "
         "ay è approssimata da a0* come consente la [C8.7.1.9]; allo SLV q = 2."});
}

Sezione sezione_tipo(int numero) {
    return paragrafi(std::to_string(numero) + ". Tipo di analisi",
                     {"Analisi cinematica lineare dei meccanismi locali di una parete di "
                      "muratura esistente (Circolare 2019 § C8.7.1.2.1): il moltiplicatore dei "
                      "carichi α0 che attiva ciascun meccanismo è ricavato con il principio dei "
                      "lavori virtuali, trasformato nell'accelerazione spettrale a0* "
                      "dell'oscillatore equivalente e confrontato con la domanda agli stati "
                      "limite SLD e SLV."});
}

Sezione sezione_campo(int numero) {
    return paragrafi(
        std::to_string(numero) + ". Campo di impiego",
        {"Parete di muratura esistente di 1-5 piani con il filo esterno a piombo, che ruota "
         "fuori dal suo piano come blocchi rigidi: ribaltamento semplice attorno allo spigolo "
         "esterno della base di ciascun piano, trattenuto o no dall'attrito dell'ammorsamento "
         "con una o due pareti ortogonali, ribaltamento composto con il cuneo di una o due "
         "pareti ortogonali, o flessione verticale di un piano vincolato in sommità e alla "
         "base; un elemento libero di vibrare (parapetto, timpano, comignolo) a mensola o "
         "trattenuto in sommità, con il periodo T0 della [C8.7.1.7]. Con l'analisi non lineare ogni "
         "meccanismo è verificato anche in spostamento allo SLV e allo SLC (§ C8.7.1.2.1.8): "
         "al suolo sullo spettro di spostamento della NTC 2018, in quota sullo spettro di "
         "piano [C7.2.5]."});
}

Sezione sezione_controlli(const form::RisultatoMeccanismo& r, int numero) {
    Sezione s = paragrafi(
        std::to_string(numero) + ". Controlli automatici",
        {"Il programma rifiuta, con un messaggio che nomina il dato, una parete senza piani o "
         "con più di 5, un'altezza, uno spessore o la lunghezza B non positivi, un carico o una "
         "spinta negativi, una distanza dN fuori dallo spessore del suo piano, la flessione "
         "verticale di più di un piano, una cerniera sopra l'altezza H dell'edificio, un "
         "numero di pareti ammorsate diverso da 0, 1 o 2, hb, lb, ts o μ non positivi, hb "
         "più alto del piano più alto, un cuneo di lati diversi da 1 o 2, β fuori da 0°-90°, "
         "un'analisi diversa da lineare o non lineare e uno spostamento di rottura delle "
         "catene negativo."});
    int attivi = 0;
    for (const auto& m : r.esito.meccanismi) attivi += m.attivo_senza_sisma;
    s.blocchi.push_back(Paragrafo{
        attivi == 0 ? "Nessun meccanismo si attiva sotto i soli carichi statici (α0 > 0 per tutti)."
                    : std::to_string(attivi) +
                          (attivi == 1 ? " meccanismo si attiva" : " meccanismi si attivano") +
                          " già sotto i soli carichi statici (α0 ≤ 0): capacità sismica nulla."});
    return s;
}

}  // namespace

Documento costruisci_relazione_meccanismo(const form::RisultatoMeccanismo& r,
                                          const ContestoRelazione& c) {
    Documento doc;
    doc.intestazione = intestazione_relazione(r.ingressi.sito, r.ingressi.datum, c);
    doc.titolo = "RELAZIONE DI CALCOLO";
    doc.sottotitolo = "Verifica dei meccanismi locali di una parete muraria esistente";
    // The wall, the hazard, then one numbered subsection a mechanism, then the verdict.
    std::vector<Sezione> sezioni = sezioni_meccanismi(r);
    const std::size_t meccanismi = r.esito.meccanismi.size();
    for (std::size_t i = 0; i < sezioni.size(); ++i) {
        std::string numero;
        if (i < 2) numero = std::to_string(i + 1) + ". ";
        else if (i < 2 + meccanismi) numero = "3." + std::to_string(i - 1) + " ";
        else numero = "4. ";
        sezioni[i].titolo = numero + sezioni[i].titolo;
        doc.sezioni.push_back(std::move(sezioni[i]));
    }
    doc.sezioni.push_back(sezione_norme(5));
    doc.sezioni.push_back(redazione::sezione_origine(c, 6, 9, 10));
    doc.sezioni.push_back(sezione_tipo(7));
    doc.sezioni.push_back(sezione_campo(8));
    doc.sezioni.push_back(sezione_controlli(r, 9));
    doc.sezioni.push_back(redazione::sezione_giudizio(c, 10));
    return doc;
}

}  // namespace tv::relazione
