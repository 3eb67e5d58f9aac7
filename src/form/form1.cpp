// Start-up, validation, restraint toggles and locality search of the main window.
#include "form/form1.h"

#include <cmath>

#include "hazard/localita.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::form {
namespace fs = std::filesystem;

namespace {
const char* const kInputErrato = "Input errato";
const char* const kRichiestoNumero = "Richiesto valore numerico";
const char* const kSoloTerreni = "Accettati solo terreni tipo A, B, C, D, E";

double fattore_famiglia(const units::Unita& u, units::Famiglia f) {
    switch (f) {
        case units::Famiglia::lunghezza:
            return u.fattore_lunghezze;
        case units::Famiglia::peso_specifico:
            return u.fattore_pesi_specifici;
        case units::Famiglia::tensione:
            return u.fattore_tensioni;
        case units::Famiglia::forza:
            return u.fattore_forze;
        case units::Famiglia::nessuna:
        case units::Famiglia::volume:
        case units::Famiglia::momento:
            return 1;
    }
    return 1;
}

std::string etichetta_famiglia(const units::Unita& u, units::Famiglia f) {
    switch (f) {
        case units::Famiglia::lunghezza:
            return u.etichetta_lunghezze;
        case units::Famiglia::peso_specifico:
            return u.etichetta_pesi_specifici;
        case units::Famiglia::tensione:
            return u.etichetta_tensioni;
        case units::Famiglia::forza:
            return u.etichetta_forze;
        case units::Famiglia::nessuna:
        case units::Famiglia::volume:
        case units::Famiglia::momento:
            return {};
    }
    return {};
}

// The refusal of a readable value outside its field's range, naming the field. The range is in
// base units; without the job's work units the text is taken as base units.
std::optional<std::string> fuori_intervallo(const DatiCampoForm& d, double valore,
                                            const units::Unita* unita,
                                            const text::NumberFormat& formato) {
    const double f = unita ? fattore_famiglia(*unita, d.famiglia) : 1;
    const double fattore = f > 0 ? f : 1;
    const Intervallo r = intervallo(d.campo);
    const double base = valore / fattore;
    const bool sopra = r.minimo_incluso ? base >= r.minimo : base > r.minimo;
    const bool sotto = r.massimo_incluso ? base <= r.massimo : base < r.massimo;
    if (sopra && sotto) return std::nullopt;
    std::string u = d.famiglia == units::Famiglia::nessuna || !unita
                        ? std::string(r.unita)
                        : etichetta_famiglia(*unita, d.famiglia);
    if (!u.empty()) u = " " + u;
    const auto n = [&](double x) { return text::general(x * fattore, formato); };
    return "Valore non valido: " + std::string(nome_esteso(d.campo)) + " deve essere " +
           (r.minimo_incluso ? "almeno " : "maggiore di ") + n(r.minimo) +
           (r.massimo_incluso ? " e al massimo " : " e minore di ") + n(r.massimo) + u;
}

std::string nome_separatore(const std::string& s) {
    if (s == ",") return "la virgola";
    if (s == ".") return "il punto";
    return "\"" + s + "\"";
}

// The second line of the refused-number message: the field and the notation it takes.
std::string nota_notazione(Campo c, const text::NumberFormat& f) {
    const std::string riga = std::string(nome_esteso(c)) + ": usare ";
    const std::string esempio = "0" + f.decimal + "39";
    std::string nota;
    switch (dati_campo(c).lettura) {
        case Lettura::intero:
            nota = riga + "un numero intero, per esempio 3";
            break;
        case Lettura::punto_o_locale:
        case Lettura::coordinata:
            if (f.decimal != ".") {
                nota = riga + "il punto o " + nome_separatore(f.decimal) +
                       " come separatore decimale, per esempio 0.39 o " + esempio;
                break;
            }
            [[fallthrough]];
        case Lettura::locale:
        case Lettura::locale_o_vuoto:
        case Lettura::lettera_suolo:
        case Lettura::nessuna:
            nota = riga + nome_separatore(f.decimal) +
                   " come separatore decimale, per esempio " + esempio;
            break;
    }
    if (dati_campo(c).lettura == Lettura::coordinata)
        nota += c == Campo::lat ? ", oppure gradi, primi e secondi, per esempio 42°47'28\" N"
                                : ", oppure gradi, primi e secondi, per esempio 12°29'47\" E";
    return nota;
}
}  // namespace

Form1::Form1(Messaggi& messaggi, text::NumberFormat formato)
    : messaggi_(&messaggi), formato_(std::move(formato)) {}

void Form1::mostra(const std::string& testo, const std::string& titolo) {
    messaggi_->mostra(Messaggio{testo, titolo, Icona::stop});
    ++mostrati_;
}

fs::path Form1::file_griglia() const {
    return text::find_nocase(lavoro.cartelle.dir_progra, "parametri_per_spettro.txt");
}

fs::path Form1::file_localita() const {
    return text::find_nocase(lavoro.cartelle.dir_progra, "coordinate_localita.txt");
}

bool Form1::Form_Load(const std::vector<std::string>& args, const fs::path& current_dir) {
    fs::path root;
    try {
        root = trova_root(args, current_dir);
    } catch (const Failure& f) {
        mostra(f.what(), f.title());
        return false;
    }
    return avvia(root);
}

bool Form1::avvia(const fs::path& root, const std::optional<std::string>& nome_lavoro) {
    lavoro = Lavoro{};
    auto& cartelle = lavoro.cartelle;
    try {
        cartelle = leggi_cartelle(root);
    } catch (const Failure& f) {
        mostra(f.what(), f.title());
        return false;
    }
    if (nome_lavoro) {
        cartelle.nome_lavoro = *nome_lavoro;
        cartelle.dir_lavoro = cartelle.dir_lavori / *nome_lavoro;
        if (std::error_code ec; nome_lavoro->empty() || !fs::is_directory(cartelle.dir_lavoro, ec)) {
            mostra("Cartella del lavoro non trovata: " + cartelle.dir_lavoro.string() + ".",
                   kWindowCaption);
            return false;
        }
    }
    // A damaged dirlav or lavoro names a folder that is not there: say where the name came from.
    if (std::error_code ec; !fs::is_directory(cartelle.dir_lavoro, ec)) {
        const fs::path impostazioni = text::find_nocase(cartelle.dir_root, "impostazioni");
        mostra("Cartella del lavoro non trovata: " + cartelle.dir_lavoro.string() +
                   ". Il suo nome viene dai file " + (impostazioni / "dirlav").string() + " e " +
                   (impostazioni / "lavoro").string() + ".",
               kWindowCaption);
        return false;
    }

    lavoro.file = file_lavoro(cartelle.dir_lavoro);
    bool sito_del_lavoro = false;
    if (lavoro.file) {
        const std::string nome = lavoro.file->string();
        if (auto lines = text::read_lines(*lavoro.file)) {
            lavoro.sito = analizza_lavoro(*lines);
            const DatiLavoro& dati = lavoro.sito;
            applica_lavoro(dati);
            sito_del_lavoro = dati.longitudine && dati.latitudine;
            // An empty, cut or garbled job file must not pass for the job's site unnoticed.
            if (dati.localita_incompleta)
                mostra("Nel file " + nome +
                           " la riga della località è incompleta: longitudine e latitudine non "
                           "sono state lette.",
                       kWindowCaption);
            else if (dati.vuoto())
                mostra("Nel file " + nome +
                           " non ci sono dati del sito riconoscibili: i campi del sito restano "
                           "quelli iniziali.",
                       kWindowCaption);
            if (dati.T1_illeggibile)
                mostra("Nel file " + nome +
                           " il periodo T1 dell'edificio non è un numero: resta quello iniziale.",
                       kWindowCaption);
        } else {
            mostra("Impossibile leggere il file " + nome, kWindowCaption);
        }
    }

    // Without the job's coordinates the run would silently use the initial ones: remember them,
    // so that every result of that site says so.
    coordinate_iniziali_.reset();
    if (!sito_del_lavoro)
        coordinate_iniziali_ = {stato.text1[posizione(Campo::lat)],
                                stato.text1[posizione(Campo::lon)]};

    auto& unita = lavoro.unita;
    try {
        unita.imposta_unita(cartelle.dir_lavoro);
    } catch (const Failure& f) {
        mostra(f.what(), f.title());
        return false;
    }

    // Captions and start-up values of the fields, in the job's work units.
    auto campo = [&](Campo c) -> std::string& { return stato.text1[posizione(c)]; };
    const auto valore = [&](const DatiCampoForm& d) {
        return d.predefinito->valore * unita.fattore(d.famiglia);
    };
    for (const DatiCampoForm& d : kTabellaCampi) {
        if (d.etichetta >= 0)
            stato.label1[static_cast<std::size_t>(d.etichetta)] =
                d.didascalia + unita.etichetta(d.famiglia);
        if (!d.predefinito || d.campo == Campo::T1) continue;
        campo(d.campo) = d.predefinito->decimali < 0
                             ? text::general(valore(d), formato_)
                             : text::fixed(valore(d), d.predefinito->decimali, formato_);
    }
    stato.label1[34] = "fe " + unita.etichetta_tensioni;
    const auto base = [](Campo c) { return dati_campo(c).predefinito->valore; };
    campo(Campo::W) = text::general(base(Campo::gamma) * base(Campo::B) * base(Campo::L) *
                                        base(Campo::t) * unita.fattore_forze,
                                    formato_);
    // T1 is the job file's when it gives one.
    if (!(T1 > 0)) {
        const DatiCampoForm& d = dati_campo(Campo::T1);
        T1 = d.predefinito->valore;
        campo(Campo::T1) = text::fixed(T1, d.predefinito->decimali, formato_);
    }

    messaggi_avvio_ = mostrati_;
    if (!Command1_Click(0)) cancella_risultati();
    return true;
}

// The window must not open on the design texts of its results (numbers nobody computed) when
// the start-up run stopped: it shows no result at all until a run completes.
void Form1::cancella_risultati() {
    for (const auto& d : kTabellaCampi)
        if (!d.ingresso && d.campo != Campo::W) stato.text1[posizione(d.campo)].clear();
    stato.label2_0.clear();
    stato.label2_1.clear();
    stato.label2_6.clear();
    stato.label3.clear();
    stato.fonte.clear();
    stato.nota_VR.clear();
    stato.avvisi.clear();
    stato.sito_iniziale = sito_iniziale();
}

bool Form1::sito_iniziale(const std::array<std::string, kCampi>& testi) const {
    return coordinate_iniziali_ && (coordinate_iniziali_->first == testi[posizione(Campo::lat)] ||
                                    coordinate_iniziali_->second == testi[posizione(Campo::lon)]);
}

void Form1::applica_lavoro(const DatiLavoro& d) {
    auto campo = [&](Campo c) -> std::string& { return stato.text1[posizione(c)]; };
    if (d.localita) imposta_testo_combo(*d.localita);
    localita_lavoro_.reset();
    if (d.localita && d.longitudine && d.latitudine)
        localita_lavoro_ =
            localita_nota(d.nome_localita.value_or(*d.localita), *d.longitudine, *d.latitudine);
    // The job file's coordinates are ED50: none may be shifted again.
    if (d.longitudine || d.latitudine) stato.datum = hazard::Datum::ed50;
    for (const auto& [c, membro] : kCampiLavoro)
        if (d.*membro) campo(c) = *(d.*membro);
    if (d.T1) {
        T1 = *d.T1;
        campo(Campo::T1) = text::rounded(T1, 4, formato_);
    }
}

std::optional<std::string> motivo_rifiuto(int index, const std::string& testo,
                                          const text::NumberFormat& formato, bool nota,
                                          const units::Unita* unita) {
    if (index < 0 || index >= kCampi) return std::nullopt;
    const DatiCampoForm& d = kTabellaCampi[static_cast<std::size_t>(index)];
    switch (d.lettura) {
        // Result fields hold what the program wrote and cannot be typed into: leaving one is
        // never refused, also while it is empty after a start-up whose run stopped.
        case Lettura::nessuna:
            return std::nullopt;
        case Lettura::lettera_suolo:
            if (suolo_di_testo(testo)) return std::nullopt;
            return std::string(kSoloTerreni);
        // Site fields hold "." texts whatever the locale (locality list, job file); the
        // locale's own notation is accepted too, and for the coordinates degrees, minutes and
        // seconds.
        case Lettura::intero:
            if (auto v = text::parse_number(testo, formato); v && *v != std::trunc(*v))
                return "Valore non valido: " + std::string(nome_esteso(d.campo)) +
                       " deve essere un numero intero";
            [[fallthrough]];
        case Lettura::locale_o_vuoto:
            if (d.lettura == Lettura::locale_o_vuoto && text::trim(testo).empty())
                return std::nullopt;
            [[fallthrough]];
        case Lettura::punto_o_locale:
        case Lettura::coordinata:
        case Lettura::locale:
            if (auto v = numero_di_testo(d.campo, testo, formato))
                return fuori_intervallo(d, *v, unita, formato);
            break;
    }
    if (!nota) return std::string(kRichiestoNumero);
    return std::string(kRichiestoNumero) + "\n" + nota_notazione(d.campo, formato);
}

std::optional<std::string> Form1::motivo_rifiuto(int index) const {
    if (index < 0 || index >= kCampi) return std::nullopt;
    return form::motivo_rifiuto(index, stato.text1[static_cast<std::size_t>(index)], formato_,
                                nota_notazione_, &lavoro.unita);
}


bool Form1::Text1_Validate(int index) {
    auto motivo = motivo_rifiuto(index);
    if (!motivo) {
        scrivi_gradi_decimali(index);
        return false;
    }
    mostra(*motivo, kInputErrato);
    return true;
}

bool Form1::Text1_DblClick(int index) {
    if (index < 0 || index >= kCampi) return false;
    const DatiCampoForm& d = kTabellaCampi[static_cast<std::size_t>(index)];
    if (!d.ingresso) return false;
    // The editor converts lengths, specific weights and stresses only.
    switch (d.famiglia) {
        case units::Famiglia::lunghezza:
        case units::Famiglia::peso_specifico:
        case units::Famiglia::tensione:
            break;
        case units::Famiglia::nessuna:
        case units::Famiglia::volume:
        case units::Famiglia::forza:
        case units::Famiglia::momento:
            return false;
    }
    unita_campo = lavoro.unita.unita(d.famiglia);
    campo_attivo = index;
    return true;
}

bool Form1::imposta_check(int index, bool value) {
    if (index < 0 || index > 3) return false;
    check_refused_ = false;
    const bool changed = stato.check1[static_cast<std::size_t>(index)] != value;
    stato.check1[static_cast<std::size_t>(index)] = value;
    // The bottom toggle reacts to a click even when it is already supported.
    if (changed || index == 2) Check1_Click(index);
    return !check_refused_;
}

void Form1::Check1_Click(int index) {
    if (index < 0 || index > 3) return;
    auto& c = stato.check1;
    if (index == 2) {
        c[2] = true;  // the base of the panel is always supported
        return;
    }
    const bool supported = c[static_cast<std::size_t>(index)];
    stato.check1_caption[static_cast<std::size_t>(index)] = supported ? "Appoggiato" : "Libero";
    stato.line_width[static_cast<std::size_t>(linea_di_check(index))] = supported ? 3 : 1;
    if (!vincoli_ammessi(c)) {
        check_refused_ = true;
        mostra("Verifica non possibile", "VINCOLI SCORRETTI");
        // Setting the top raises its own click, nested, as a user's click would.
        c[0] = true;
        Check1_Click(0);
    }
}

void Form1::imposta_testo_combo(const std::string& testo) {
    stato.combo_text = testo;
    Combo1_Change();
}

void Form1::Combo1_Change() {
    if (ricerca_in_corso_) return;
    ricerca_in_corso_ = true;
    try {
        if (!elenco_localita_)
            hazard::controlla_localita(file_localita(), stato.combo_text);
        else if (auto found = hazard::cerca_localita(file_localita(), stato.combo_text))
            stato.combo_list = std::move(*found);
    } catch (const Failure& f) {
        stato.combo_list.clear();
        mostra(f.what(), f.title());
    }
    ricerca_in_corso_ = false;
}

void Form1::Combo1_Click(int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= stato.combo_list.size()) return;
    if (auto pick = hazard::scegli_localita(stato.combo_list[static_cast<std::size_t>(position)])) {
        stato.text1[posizione(Campo::lat)] = pick->first;
        stato.text1[posizione(Campo::lon)] = pick->second;
        stato.datum = hazard::Datum::ed50;  // the list is ED50
        // The name is what follows the two coordinates on the line.
        const std::string& riga = stato.combo_list[static_cast<std::size_t>(position)];
        const std::size_t dopo = riga.find(pick->second, pick->first.size());
        localita_scelta_ = localita_nota(
            text::trim(dopo == std::string::npos ? "" : riga.substr(dopo + pick->second.size())),
            pick->second, pick->first);
    }
}

void Form1::scrivi_gradi_decimali(int index) {
    std::string& testo = stato.text1[static_cast<std::size_t>(index)];
    testo = testo_gradi_decimali(index, testo, formato_);
}

std::string testo_gradi_decimali(int index, const std::string& testo,
                                 const text::NumberFormat& formato) {
    if (index < 0 || index >= kCampi) return testo;
    const Campo c = kTabellaCampi[static_cast<std::size_t>(index)].campo;
    if (dati_campo(c).lettura != Lettura::coordinata || text::parse_dot_or_locale(testo, formato))
        return testo;
    // Six decimals are 0.1 m, finer than a tenth of a second; "." as the locality list has them.
    if (auto v = numero_di_testo(c, testo, formato)) return text::rounded(*v, 6, text::dot_format());
    return testo;
}

std::optional<Form1::LocalitaNota> Form1::localita_nota(std::string nome, const std::string& lon,
                                                        const std::string& lat) const {
    // Read as the check reads the coordinate fields.
    const auto x = text::parse_dot_or_locale(lon, formato_);
    const auto y = text::parse_dot_or_locale(lat, formato_);
    if (nome.empty() || !x || !y) return std::nullopt;
    return LocalitaNota{std::move(nome), *x, *y};
}

std::optional<std::string> Form1::localita_del_sito(double lon, double lat) const {
    for (const auto* nota : {&localita_scelta_, &localita_lavoro_})
        if (*nota && (*nota)->lon == lon && (*nota)->lat == lat) return (*nota)->nome;
    return std::nullopt;
}

}  // namespace tv::form
