// check and search: start-up from the suite through the form library, then output.
#include "cli/comandi.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>

#include "form/form1.h"
#include "hazard/localita.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::cli {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> argomenti(const std::optional<std::string>& root,
                                   const std::vector<std::string>& extra) {
    std::vector<std::string> args = extra;
    if (root) args.insert(args.begin(), "|diroot=" + *root + "|");
    return args;
}

void stampa_messaggi(const form::RaccoltaMessaggi& m, std::size_t from, std::ostream& err,
                     std::size_t to = std::string::npos) {
    for (std::size_t i = from; i < std::min(to, m.elenco.size()); ++i)
        err << m.elenco[i].titolo << ": " << m.elenco[i].testo << "\n";
}

nlohmann::json come_json(const form::Form1& f, const form::RaccoltaMessaggi& m) {
    const auto& s = f.stato;
    nlohmann::json j;
    j["fields"] = s.text1;
    j["labels"] = {{"Ss", s.label2_0},       {"S", s.label2_1},
                   {"VR", s.label2_6},       {"span", s.label1[8]},
                   {"distribution", s.label3}, {"verdict", s.label1[28]},
                   {"fe", s.label1[34]}};
    j["verdict_ok"] = s.text22_sfondo == form::Rgb{128, 255, 128};
    j["instability_governs"] = s.label34_sfondo == form::Rgb{255, 255, 0};
    nlohmann::json msgs = nlohmann::json::array();
    for (const auto& msg : m.elenco) msgs.push_back(msg.testo);
    j["messages"] = msgs;
    return j;
}

void riassunto(const form::Form1& f, std::ostream& out) {
    const auto& s = f.stato;
    const auto& t = s.text1;
    const auto& u = f.unita;
    out << "TORVELANDO PANNELLI MURARI\n";
    out << "Sito: latitudine " << t[7] << ", longitudine " << t[6] << ", suolo " << t[4]
        << ", St " << t[5] << "\n";
    out << "VN " << t[8] << " anni, Cu " << t[10] << ", PVR " << t[9] << " %, VR " << s.label2_6
        << " anni, T1 " << t[1] << " s\n";
    out << "ag/g = " << t[0] << "   Ss = " << s.label2_0 << "   S = " << s.label2_1 << "\n";
    out << "Pannello: B " << t[11] << ", L " << t[12] << ", t " << t[13] << " "
        << u.etichetta_lunghezze << "; peso specifico " << t[14] << " "
        << u.etichetta_pesi_specifici << "; fd " << t[15] << ", E " << t[23] << " "
        << u.etichetta_tensioni << "; Z " << t[16] << ", H " << t[17] << " "
        << u.etichetta_lunghezze << "; qa " << t[3] << "\n";
    out << "Vincoli: superiore " << s.check1_caption[0] << ", sinistro " << s.check1_caption[1]
        << ", inferiore " << s.check1_caption[2] << ", destro " << s.check1_caption[3] << "\n";
    out << s.label3 << "\n";
    out << "EC8 - 4.3.5.2: Wa tot. = " << t[2] << " " << u.etichetta_forze << ", Wa eff. = " << t[21]
        << " " << u.etichetta_forze << ", Ta = " << t[19] << " s, Sa = " << t[18] << ", Fa = "
        << t[20] << " " << u.etichetta_forze << "\n";
    out << "EC6 - 6.3.2: l_a = " << s.label1[8] << ", d_a = " << t[24] << " [mm], K1 = " << t[25]
        << ", K2 = " << t[26] << ", " << s.label1[35] << s.label1[34] << "\n";
    out << "Resistenza laterale di progetto F_lat,d = " << t[22] << " " << s.label1[28] << "\n";
}

}  // namespace

int esegui_check(const OpzioniCheck& o, const fs::path& cwd, std::ostream& out, std::ostream& err) {
    form::RaccoltaMessaggi messaggi;
    form::Form1 f(messaggi, text::dot_format());
    const bool avviato = f.Form_Load(argomenti(o.root, o.extra), cwd);
    if (!avviato) {
        stampa_messaggi(messaggi, 0, err);
        return 1;
    }
    // What start-up said about the job file; the outcome of its own run is replaced by ours.
    stampa_messaggi(messaggi, 0, err, f.messaggi_avvio());
    for (const auto& s : o.set) {
        auto eq = s.find('=');
        int n = -1;
        if (eq != std::string::npos) {
            auto [p, ec] = std::from_chars(s.data(), s.data() + eq, n);
            if (ec != std::errc() || p != s.data() + eq) n = -1;
        }
        if (n < 0 || n >= form::kCampi) {
            err << "--set: atteso N=TESTO con N da 0 a 26, ricevuto \"" << s << "\"\n";
            return 2;
        }
        f.stato.text1[static_cast<std::size_t>(n)] = s.substr(eq + 1);
        const std::size_t before = messaggi.elenco.size();
        if (f.Text1_Validate(n)) {
            stampa_messaggi(messaggi, before, err);
            return 2;
        }
    }
    const std::pair<int, std::optional<int>> toggles[] = {{1, o.left}, {3, o.right}, {0, o.top}};
    for (const auto& [index, value] : toggles) {
        if (!value) continue;
        const std::size_t before = messaggi.elenco.size();
        if (!f.imposta_check(index, *value == 1)) {
            stampa_messaggi(messaggi, before, err);
            return 2;
        }
    }
    const std::size_t before = messaggi.elenco.size();
    const bool ok = f.Command1_Click(0);
    if (!ok) stampa_messaggi(messaggi, before, err);
    if (o.json) {
        out << come_json(f, messaggi).dump(2) << "\n";
    } else {
        riassunto(f, out);
    }
    return ok ? 0 : 1;
}

int esegui_search(const OpzioniSearch& o, const fs::path& cwd, std::ostream& out,
                  std::ostream& err) {
    try {
        const fs::path root = form::trova_root(argomenti(o.root, o.extra), cwd);
        const fs::path file = text::find_nocase(root / "progra", "coordinate_localita.txt");
        auto lines = hazard::cerca_localita(file, o.testo);
        if (!lines) {
            err << "Digitare almeno 3 caratteri per la ricerca\n";
            return 2;
        }
        if (lines->empty()) {
            err << "Nessuna località contiene " << o.testo << "\n";
            return 1;
        }
        for (const auto& l : *lines) out << l << "\n";
        return 0;
    } catch (const Failure& f) {  // no suite root, or a locality list that cannot be read
        err << f.what() << "\n";
        return 2;
    }
}

}  // namespace tv::cli
