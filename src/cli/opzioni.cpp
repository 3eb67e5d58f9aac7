// SPDX-License-Identifier: GPL-3.0-or-later
// The options of check and report, declared once for both programs that parse them.
#include "cli/opzioni.h"

#include "form/scelte.h"
#include "form/tabella_campi.h"
#include "form/tipo_verifica.h"
#include "panel/formule.h"
#include "text/encoding.h"

namespace tv::cli {

void opzioni_check(CLI::App* c, OpzioniCheck& check) {
    c->add_option("--root", check.root, "Cartella radice della suite");
    c->add_option("--job", check.job, "Lavoro della cartella dei lavori della suite (altrimenti "
                                      "quello corrente)");
    c->add_option("--panel", check.panel,
                  "Pannello salvato nel lavoro (pannelli.csv), con le altre opzioni sopra");
    std::string nomi;
    for (form::Campo campo : form::kOrdineCampi)
        nomi += (nomi.empty() ? "" : ", ") + std::string(form::dati_campo(campo).nome);
    std::string scelte;
    for (std::string_view n : form::kNomiScelte) scelte += (scelte.empty() ? "" : ", ") + std::string(n);
    c->add_option("--set", check.set,
                  "Scrive TESTO nel campo N o NOME (" + nomi + "), con la sua convalida; le scelte " +
                      scelte + " scrivono i numeri dei loro campi")
        ->type_name("N=TESTO|NOME=TESTO");
    c->add_option("--top", check.top, "Lato superiore: 1 appoggiato, 0 libero")
        ->check(CLI::IsMember({0, 1}).description(""))
        ->type_name("0|1");
    c->add_option("--left", check.left, "Lato sinistro: 1 appoggiato, 0 libero")
        ->check(CLI::IsMember({0, 1}).description(""))
        ->type_name("0|1");
    c->add_option("--right", check.right, "Lato destro: 1 appoggiato, 0 libero")
        ->check(CLI::IsMember({0, 1}).description(""))
        ->type_name("0|1");
    // Each formula's word and what it is; the first is the default.
    std::string formule;
    for (const panel::DescrizioneFormula& d : panel::kFormule) {
        if (!formule.empty()) formule += &d == &panel::kFormule.back() ? " o " : ", ";
        formule += std::string(d.parola) + " (" + std::string(d.aiuto) +
                   (d.formula == panel::FormulaDomanda{} ? ", predefinita)" : ")");
    }
    c->add_option("--demand", check.demand, "Formula della domanda: " + formule)
        ->type_name(panel::parole_formule("|", "|"));
    std::string tipi;
    for (const auto& d : form::kTipiVerifica)
        tipi += (tipi.empty() ? "" : "|") + std::string(d.nome);
    c->add_option("--kind", check.kind,
                  "Tipo di verifica: pannello (arco o mensola, predefinito), ribaltamento "
                  "(ribaltamento semplice della parete, Circolare 2019 C8.7.1), flessione "
                  "(flessione verticale di un piano), ribaltamento_composto (con il cuneo delle "
                  "pareti ortogonali) o elemento_libero (libero di vibrare); per i meccanismi "
                  "--set piani, h1..h5, t1..t5, N1..N5, dN1..dN5, F1..F5, catena1..catena5, LC, "
                  "z0; ammorsamenti, hb, lb, ts, mu (attrito dell'ammorsamento, C8.7.1.2); beta, "
                  "lati_cuneo, ts (cuneo); appoggiato, Em (elemento libero); analisi (lineare o "
                  "non lineare), d_rottura (spostamento di rottura delle catene)")
        ->type_name(tipi);
    c->add_option("--datum", check.datum,
                  "Sistema di riferimento di lat e lon: ed50 (del reticolo, predefinito) o "
                  "wgs84 (GPS), convertito in ED50")
        ->type_name("ed50|wgs84");
    // Words CLI11 does not know are kept for parola_rifiutata, which lets only "|diroot=DIR|"
    // through.
    c->allow_extras();
}

void opzioni_report(CLI::App* r, OpzioniReport& report) {
    opzioni_check(r, report.check);
    r->add_option("-o,--output", report.output,
                  "File della relazione in PDF, o in testo OpenDocument modificabile se il nome "
                  "finisce con .odt (altrimenti il nome del lavoro con .pdf nella cartella del "
                  "lavoro)");
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
    if (c.kind) a.push_back("--kind=" + *c.kind);
    if (o.output) a.push_back("--output=" + *o.output);
    if (o.tutti) a.push_back("--all");
    // What CLI11 left over ("|diroot=DIR|"), which the program leaves over in the same way.
    a.insert(a.end(), c.extra.begin(), c.extra.end());
    return a;
}

void in_italiano(CLI::App& app) {
    auto f = app.get_formatter();
    // CLI11's headers and words, and the type names it gives an option of each C++ type (the
    // help shows a type name through its label).
    for (const auto& [chiave, testo] : {std::pair<const char*, const char*>{"Usage", "Uso"},
                                        {"OPTIONS", "OPZIONI"},
                                        {"SUBCOMMAND", "COMANDO"},
                                        {"SUBCOMMANDS", "COMANDI"},
                                        {"Positionals", "Argomenti"},
                                        {"REQUIRED", "OBBLIGATORIO"},
                                        {"Needs", "Richiede"},
                                        {"Excludes", "Esclude"},
                                        {"Env", "Variabile"},
                                        {"TEXT", "TESTO"},
                                        {"INT", "INTERO"},
                                        {"UINT", "NATURALE"},
                                        {"FLOAT", "NUMERO"},
                                        {"BOOLEAN", "BOOLEANO"},
                                        {"CHAR", "CARATTERE"},
                                        {"ENUM", "VALORE"}})
        f->label(chiave, testo);
    // Wide enough for the longest option with its type name ("--set N=TESTO|NOME=TESTO ...").
    f->column_width(32);
    app.option_defaults()->group("Opzioni");
    app.group("Comandi");
    app.set_help_flag("-h,--help", "Mostra questo aiuto ed esce");
}

namespace {

// The option's names as the help shows them ("-o,--output"), the positional ones left out.
std::string elenco_opzioni(const CLI::App& app) {
    std::string out;
    for (const CLI::Option* o : app.get_options())
        if (o->nonpositional()) out += (out.empty() ? "" : ", ") + o->get_name(false, true);
    return out;
}

// The program's commands in the help's order ("check, report, ..."); empty for a command.
std::string elenco_comandi(const CLI::App& app) {
    std::string out;
    for (const CLI::App* s : app.get_subcommands([](const CLI::App*) { return true; }))
        out += (out.empty() ? "" : ", ") + s->get_name();
    return out;
}

// Where the command's name goes in messages: "check", or the program's own for a top level.
std::string nome_comando(const CLI::App& app) {
    return app.get_name().empty() ? "torvelando-cli" : app.get_name();
}

// The part of a CLI11 message before `fine` (": ", " = "), after `inizio`; the message when absent.
std::string tra(const std::string& s, const std::string& inizio, const std::string& fine) {
    std::size_t a = inizio.empty() ? 0 : s.find(inizio);
    a = a == std::string::npos ? 0 : a + inizio.size();
    const std::size_t b = fine.empty() ? std::string::npos : s.find(fine, a);
    return s.substr(a, b == std::string::npos ? std::string::npos : b - a);
}

// The command being parsed when the error came: the deepest subcommand given.
const CLI::App& comando_attivo(const CLI::App& app) {
    for (const CLI::App* s : app.get_subcommands())
        if (s->parsed()) return comando_attivo(*s);
    return app;
}

}  // namespace

std::optional<std::string> parola_rifiutata(const CLI::App& comando,
                                            const std::vector<std::string>& rimaste) {
    for (const std::string& parola : rimaste) {
        std::string minuscola = parola;
        // ASCII case only: an argument is any bytes, not always UTF-8.
        for (char& c : minuscola)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (minuscola.find("|diroot=") != std::string::npos) continue;  // the window's own form
        // The program itself: the word stands where a command goes.
        if (const std::string comandi = elenco_comandi(comando); !comandi.empty())
            return "Comando non riconosciuto: \"" + text::printable(text::decode(parola)) +
                   "\". Comandi: " + comandi + " (--help per l'aiuto).";
        return "Parola non riconosciuta dal comando " + nome_comando(comando) + ": \"" +
               text::printable(text::decode(parola)) + "\". Opzioni di " +
               nome_comando(comando) + ": " + elenco_opzioni(comando) + ".";
    }
    return std::nullopt;
}

int esito_analisi(const CLI::App& app, const CLI::ParseError& e, std::ostream& out,
                  std::ostream& err) {
    const std::string nome = e.get_name(), testo = e.what();
    const CLI::App& c = comando_attivo(app);
    if (nome == "CallForHelp" || nome == "CallForAllHelp") {
        out << c.help();
        return 0;
    }
    std::string messaggio;
    if (nome == "ConversionError" || nome == "ValidationError") {
        const std::string opzione = nome == "ConversionError" && testo.starts_with("Could not")
                                        ? tra(testo, "convert: ", " = ")
                                        : tra(testo, "", ":");
        const CLI::Option* o = c.get_option_no_throw(opzione);
        messaggio = "Valore non valido per " + opzione +
                    (o ? " (" + o->get_description() + ")" : std::string()) + ".";
    } else if (nome == "ArgumentMismatch" && testo.find("At Most") != std::string::npos) {
        messaggio = "L'opzione " + tra(testo, "", ":") + " va data una volta sola.";
    } else if (nome == "ArgumentMismatch") {
        messaggio =
            "Manca il valore dell'opzione " + tra(tra(testo, "", ":"), "arguments to ", " ") + ".";
    } else if (nome == "RequiredError" && testo.find("subcommand") != std::string::npos) {
        // A misspelt command is named rather than missing.
        messaggio = parola_rifiutata(c, c.remaining())
                        .value_or("Indicare un comando: " + elenco_comandi(c) +
                                  " (--help per l'aiuto).");
    } else if (nome == "RequiredError") {
        const std::string arg = tra(testo, "", " is required");
        const CLI::Option* o = c.get_option_no_throw(arg);
        messaggio = "Manca l'argomento " + arg +
                    (o ? " (" + o->get_description() + ")" : std::string()) + " di " +
                    nome_comando(c) + ".";
    } else if (nome == "ExtrasError") {
        std::string parola = tra(testo, ": ", "");
        parola = parola.substr(0, parola.find(' '));
        messaggio = parola_rifiutata(c, {parola})
                        .value_or("Parola non riconosciuta: \"" +
                                  text::printable(text::decode(parola)) + "\".");
    } else {
        messaggio = "Riga di comando non valida per " + nome_comando(c) +
                    ". Opzioni: " + elenco_opzioni(c) + ".";
    }
    // The option's name as CLI11 quotes it from the command line.
    err << text::printable(messaggio) << "\n";
    return 2;
}

}  // namespace tv::cli
