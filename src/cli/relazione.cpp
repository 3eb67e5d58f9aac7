// torvelando-cli report: the check run as check runs it, then the report drawn by the window's
// PDF renderer. The only command that starts Qt, so check and batch keep their cold start.
#include "cli/relazione.h"

#include <QDate>
#include <QGuiApplication>
#include <cstdlib>

#include "app/relazione_pdf.h"
#include "form/form1.h"
#include "form/messaggi.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::cli {
namespace fs = std::filesystem;

int esegui_report(const OpzioniReport& o, const fs::path& cwd, std::ostream& out,
                  std::ostream& err) {
    form::RaccoltaMessaggi messaggi;
    form::Form1 f(messaggi, text::dot_format());
    if (auto codice = prepara_check(o.check, cwd, f, messaggi, err)) return *codice;
    const std::size_t prima = messaggi.elenco.size();
    const bool completata = f.Command1_Click(0);
    if (!completata) stampa_messaggi(messaggi, prima, err);
    stampa_avvisi(f, completata, err);
    if (!completata) return 1;
    const fs::path file = o.output ? cwd / fs::path(*o.output)
                                   : cwd / fs::path(f.cartelle.nome_lavoro + ".pdf");

    // A server or a script has no display: the offscreen platform draws the PDF all the same.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char nome[] = "torvelando-cli";
    static char* argv[] = {nome, nullptr};
    const QGuiApplication app(argc, argv);

    form::Documento doc;
    try {
        doc = form::costruisci_relazione(form::dati_relazione(
            f, QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString()));
    } catch (const Failure& e) {  // a value of the run that the plots refuse
        err << e.what() << "\n";
        return 1;
    }
    if (const auto errore = app::scrivi_relazione_pdf(doc, QString::fromStdString(file.string()))) {
        err << errore->toStdString() << "\n";
        return 2;
    }
    out << "Relazione scritta nel file " << file.string() << "\n";
    return 0;
}

}  // namespace tv::cli
