// SPDX-License-Identifier: GPL-3.0-or-later
// torvelando-cli report: the panel the options describe checked as check checks it, then the
// report built from the result and drawn by the PDF renderer. The only command that starts Qt, so check and batch keep their cold start.
#include "cli/relazione.h"

#include "form/verifica_meccanismo.h"
#include "relazione/relazione_meccanismo.h"

#include <QDate>
#include <QGuiApplication>
#include <cstdlib>
#include <functional>
#include <iostream>

#include "cli/comandi.h"
#include "cli/scrittura.h"
#include "form/messaggi.h"
#include "form/pannelli.h"
#include "form/testi.h"
#include "relazione/odt.h"
#include "relazione/pdf.h"
#include "relazione/relazione_tutti.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::cli {
namespace fs = std::filesystem;

namespace {

// A server or a script has no display: the offscreen platform draws the PDF all the same.
void avvia_gui() {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // A Qt that cannot start (no platform plugin: too few file descriptors, a broken install)
    // ends with a message and 2 instead of an abort.
    qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& testo) {
        if (tipo != QtFatalMsg) {
            // Qt's English notes on the runtime folder (XDG_RUNTIME_DIR not set, its
            // permissions) say nothing about the report: not shown.
            if (!testo.startsWith(QLatin1String("QStandardPaths: ")))
                std::cerr << testo.toStdString() << "\n";
            return;
        }
        std::cerr << "Impossibile avviare la grafica della relazione: la relazione non è stata "
                     "scritta.\n";
        std::_Exit(2);
    });
    static int argc = 1;
    static char nome[] = "torvelando-cli";
    static char* argv[] = {nome, nullptr};
    static const QGuiApplication app(argc, argv);
}

std::string oggi() {
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString();
}

void scritta(const fs::path& file, std::ostream& out) {
    out << "Relazione scritta nel file " << text::printable(text::decode(file.string())) << "\n";
}

// A file named *.odt gets the editable copy (OpenDocument text), any other the PDF.
bool vuole_odt(const fs::path& file) {
    std::string e = file.extension().string();
    for (char& c : e) c = text::minuscola_ascii(c);
    return e == ".odt";
}

// The report's bytes through the one writer: whole or not at all, with its rules on links and
// permissions.
int scrivi_byte(const std::variant<QByteArray, QString>& byte_o_errore, const fs::path& file,
                std::ostream& out, std::ostream& err) {
    if (const auto* errore = std::get_if<QString>(&byte_o_errore)) {
        err << text::printable(errore->toStdString()) << "\n";
        return 2;
    }
    text::FileAtomico uscita(file, text::FileAtomico::Interruzione::rimuovi);
    if (!uscita.aperto()) {
        err << text::printable(uscita.messaggio_apertura()) << "\n";
        return 2;
    }
    const QByteArray& byte = std::get<QByteArray>(byte_o_errore);
    uscita.stream().write(byte.constData(), byte.size());
    if (!uscita.conferma()) {
        err << text::printable(uscita.messaggio_scrittura()) << "\n";
        return 2;
    }
    scritta(file, out);
    return 0;
}

int scrivi(const relazione::Documento& doc, const fs::path& file, std::ostream& out,
           std::ostream& err) {
    if (vuole_odt(file)) {
        relazione::FonteDocumento fonte(doc);
        return scrivi_byte(relazione::relazione_odt(fonte), file, out, err);
    }
    return scrivi_byte(relazione::relazione_pdf(doc), file, out, err);
}

// Every saved panel checked with the options over it: a summary table first, then each panel's
// sections under its id; a panel whose site is not the job's says so. Past 100 panels the
// progress goes on `err`. The PDF goes to the file page by page.
int report_tutti(const OpzioniReport& o, const fs::path& cwd, std::ostream& out,
                 std::ostream& err) {
    std::optional<Avvio> a;
    form::Pannello avvio;
    if (auto codice = prepara_check(o.check, cwd, a, avvio, err)) return *codice;
    const form::Lavoro& lavoro = a->lavoro;
    std::optional<form::FilePannelli> pannelli;
    if (!leggi_pannelli(lavoro, pannelli, err)) return 2;
    const std::size_t quanti = pannelli ? pannelli->ids().size() : 0;
    if (quanti == 0) {
        err << "Il lavoro \"" << text::printable(lavoro.cartelle.nome_lavoro)
            << "\" non ha pannelli salvati ("
            << form::kFilePannelli << ").\n";
        return 1;
    }
    stampa_righe_guaste(*pannelli, err);
    relazione::ContestoRelazione contesto;
    try {  // the data files the report quotes, before any panel is checked
        contesto = relazione::contesto_relazione(lavoro, std::nullopt, oggi());
    } catch (const Failure& e) {
        err << text::printable(e.what()) << "\n";
        return 2;
    }
    avvia_gui();
    std::optional<relazione::ProgressoRelazione> progresso;
    relazione::AvanzamentoRelazione avanzamento;
    if (quanti > relazione::kPannelliSenzaProgresso) {
        progresso.emplace(err, o.terminale);
        avanzamento = std::ref(*progresso);
    }
    // Each row over the job's panel, then the options over it (--panel named no row here).
    OpzioniCheck opzioni = o.check;
    opzioni.panel.reset();
    const auto prepara = [&](const form::RigaPannello& riga, form::Pannello& p, std::ostream& e) {
        p = avvio;
        return !applica_riga_salvata(*pannelli, riga, lavoro, p, e) &&
               !applica_opzioni(opzioni, lavoro, p, e);
    };
    const auto verifica = [&](const form::Pannello& p) { return calcola_pannello(*a, p); };
    relazione::RelazioneTutti tutti(lavoro, *pannelli, prepara, verifica, std::move(contesto),
                                    progresso ? progresso->messaggi() : err, avanzamento);
    const fs::path file = o.output ? fs::path(*o.output)
                                   : lavoro.cartelle.dir_lavoro /
                                         (form::nome_relazione_tutti(lavoro.cartelle.nome_lavoro) + ".pdf");
    if (vuole_odt(file)) {
        const int codice = scrivi_byte(relazione::relazione_odt(tutti), file, out, err);
        if (progresso) progresso->a_capo();
        return codice != 0 ? codice : tutti.codice();
    }
    // Through the one writer, opened once the report is laid out whole.
    std::optional<text::FileAtomico> uscita;
    std::optional<relazione::UscitaFlusso> flusso;
    const auto errore = relazione::disegna_relazione_pdf(
        tutti,
        [&]() -> QIODevice* {
            uscita.emplace(file, text::FileAtomico::Interruzione::rimuovi);
            if (!uscita->aperto()) return nullptr;
            return &flusso.emplace(uscita->stream());
        },
        avanzamento);
    if (progresso) progresso->a_capo();
    if (errore) {
        err << text::printable(errore->isEmpty() ? uscita->messaggio_apertura()
                                                 : errore->toStdString())
            << "\n";
        return 2;
    }
    if (!uscita->conferma()) {
        err << text::printable(uscita->messaggio_scrittura()) << "\n";
        return 2;
    }
    scritta(file, out);
    return tutti.codice();
}

// Without -o, beside the job's files, where the window proposes it.
fs::path file_relazione(const OpzioniReport& o, const form::Lavoro& lavoro) {
    const auto& c = lavoro.cartelle;
    if (o.output) return fs::path(*o.output);
    if (o.check.panel)
        return c.dir_lavoro / (form::nome_relazione_pannello(c.nome_lavoro, *o.check.panel) + ".pdf");
    return c.dir_lavoro / fs::path(c.nome_lavoro + ".pdf");
}

// The report of a panel whose kind is a local mechanism.
int report_meccanismo(const OpzioniReport& o, const Avvio& avvio, const form::Pannello& p,
                      std::ostream& out, std::ostream& err) {
    const form::Lavoro& lavoro = avvio.lavoro;
    const form::EsitoMeccanismo esito =
        form::calcola_pannello_meccanismo(p, lavoro, *avvio.griglia, text::dot_format());
    if (const auto* a = std::get_if<form::Arresto>(&esito)) {
        err << a->titolo << ": " << text::printable(a->testo) << "\n";
        return 1;
    }
    if (lavoro.sito_iniziale(p.testi)) err << "Avviso: " << form::kSitoIniziale << "\n";
    const fs::path file = file_relazione(o, lavoro);
    avvia_gui();
    relazione::ContestoRelazione contesto;
    try {
        contesto = relazione::contesto_relazione(lavoro, std::nullopt, oggi());
    } catch (const Failure& e) {
        err << text::printable(e.what()) << "\n";
        return 2;
    }
    contesto.pannello_id = p.id, contesto.pannello_descrizione = p.descrizione;
    relazione::Documento doc;
    try {
        doc = relazione::costruisci_relazione_meccanismo(std::get<form::RisultatoMeccanismo>(esito),
                                                         contesto);
    } catch (const Failure& e) {
        err << text::printable(e.what()) << "\n";
        return 1;
    }
    return scrivi(doc, file, out, err);
}

}  // namespace

int esegui_report(const OpzioniReport& o, const fs::path& cwd, std::ostream& out,
                  std::ostream& err) {
    if (o.tutti) return report_tutti(o, cwd, out, err);
    std::optional<Avvio> avvio;
    form::Pannello pannello;
    if (auto codice = prepara_check(o.check, cwd, avvio, pannello, err)) return *codice;
    const form::Lavoro& lavoro = avvio->lavoro;
    if (form::e_meccanismo(pannello.tipo)) return report_meccanismo(o, *avvio, pannello, out, err);
    // The panel the options describe, checked by the one check function.
    const form::EsitoVerifica esito = calcola_pannello(*avvio, pannello);
    const auto* a = std::get_if<form::Arresto>(&esito);
    if (a) err << a->titolo << ": " << text::printable(a->testo) << "\n";
    stampa_avvisi(avvisi(lavoro, pannello, std::get_if<form::RisultatoVerifica>(&esito)), err);
    if (a) return 1;
    const form::RisultatoVerifica& r = std::get<form::RisultatoVerifica>(esito);
    const fs::path file = file_relazione(o, lavoro);
    avvia_gui();

    relazione::ContestoRelazione contesto;
    try {  // a data file the report quotes that cannot be read
        contesto = relazione::contesto_relazione(
            lavoro, relazione::localita_del_risultato(lavoro, r), oggi());
    } catch (const Failure& e) {
        err << text::printable(e.what()) << "\n";
        return 2;
    }
    // A saved panel (--panel) is named on every page.
    contesto.pannello_id = pannello.id, contesto.pannello_descrizione = pannello.descrizione;
    relazione::Documento doc;
    try {
        doc = relazione::costruisci_relazione(r, contesto);
    } catch (const Failure& e) {  // a value of the run that the plots refuse
        err << text::printable(e.what()) << "\n";
        return 1;
    }
    return scrivi(doc, file, out, err);
}

}  // namespace tv::cli
