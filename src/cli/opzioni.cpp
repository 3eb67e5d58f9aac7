// The options of check and report, declared once for both programs that parse them.
#include "cli/opzioni.h"

namespace tv::cli {

void opzioni_check(CLI::App* c, OpzioniCheck& check) {
    c->add_option("--root", check.root, "Cartella radice della suite");
    c->add_option("--job", check.job, "Lavoro della cartella dei lavori della suite (altrimenti "
                                      "quello corrente)");
    c->add_option("--panel", check.panel,
                  "Pannello salvato nel lavoro (pannelli.csv), con le altre opzioni sopra");
    c->add_option("--set", check.set, "Scrive TEXT nel campo N o NOME (lat, lon, VN, PVR, Cu, suolo, St, qa, T1, B, L, t, gamma, fd, E, Z, H), con la sua convalida")
        ->type_name("N=TEXT|NOME=TEXT");
    c->add_option("--top", check.top, "Lato superiore: 1 appoggiato, 0 libero")
        ->check(CLI::IsMember({0, 1}));
    c->add_option("--left", check.left, "Lato sinistro: 1 appoggiato, 0 libero")
        ->check(CLI::IsMember({0, 1}));
    c->add_option("--right", check.right, "Lato destro: 1 appoggiato, 0 libero")
        ->check(CLI::IsMember({0, 1}));
    c->add_option("--demand", check.demand,
                  "Formula della domanda: ec8 (EC8 4.3.5.2, predefinita) o c7.2.11 "
                  "(Circolare 2019)")
        ->type_name("ec8|c7.2.11");
    c->add_option("--datum", check.datum,
                  "Sistema di riferimento di lat e lon: ed50 (del reticolo, predefinito) o "
                  "wgs84 (GPS), convertito in ED50")
        ->type_name("ed50|wgs84");
    c->allow_extras();
}

void opzioni_report(CLI::App* r, OpzioniReport& report) {
    opzioni_check(r, report.check);
    r->add_option("-o,--output", report.output,
                  "File PDF della relazione (altrimenti il nome del lavoro con .pdf nella "
                  "cartella corrente)");
    r->add_flag("--all", report.tutti,
                "Tutti i pannelli salvati nel lavoro in una relazione, con una tabella riassuntiva");
}

std::vector<std::string> argomenti_report(const OpzioniReport& o) {
    const OpzioniCheck& c = o.check;
    std::vector<std::string> a;
    if (c.root) a.push_back("--root=" + *c.root);
    if (c.job) a.push_back("--job=" + *c.job);
    if (c.panel) a.push_back("--panel=" + *c.panel);
    for (const auto& s : c.set) a.push_back("--set=" + s);
    const std::pair<const char*, std::optional<int>> lati[] = {
        {"--top=", c.top}, {"--left=", c.left}, {"--right=", c.right}};
    for (const auto& [nome, valore] : lati)
        if (valore) a.push_back(nome + std::to_string(*valore));
    if (c.demand) a.push_back("--demand=" + *c.demand);
    if (c.datum) a.push_back("--datum=" + *c.datum);
    if (o.output) a.push_back("--output=" + *o.output);
    if (o.tutti) a.push_back("--all");
    // What CLI11 left over ("|diroot=DIR|"), which the program leaves over in the same way.
    a.insert(a.end(), c.extra.begin(), c.extra.end());
    return a;
}

}  // namespace tv::cli
