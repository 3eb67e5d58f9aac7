// Entry point of the window program.
#include "app/caratteri.h"
#include "app/form1.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication applicazione(argc, argv);
    tv::app::registra_caratteri();

    tv::app::Form1 finestra;
    finestra.show();

    // --screenshot FILE: save a picture of the window as shown, then quit (layout checks).
    const QStringList argomenti = QApplication::arguments();
    const auto posizione = argomenti.indexOf(QStringLiteral("--screenshot"));
    if (posizione >= 0 && posizione + 1 < argomenti.size()) {
        const QString file = argomenti.at(posizione + 1);
        QTimer::singleShot(300, &finestra, [&finestra, file] {
            const bool salvata = finestra.grab().save(file);
            QApplication::exit(salvata ? 0 : 1);
        });
    }
    return QApplication::exec();
}
