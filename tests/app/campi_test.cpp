// The design table of the main window: a layout without collisions, every control inside its
// container, and toggles whose initial state matches the width of their sketch edge.
#include "app/campi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tv::app;

namespace {

bool si_sovrappongono(const Posizione& a, const Posizione& b, int tolleranza) {
    const int dx = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const int dy = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return dx > tolleranza && dy > tolleranza;
}

bool dentro(const Posizione& p, Contenitore dove) {
    const Posizione c = dove == Contenitore::finestra
                            ? Posizione{0, 0, finestra().larghezza, finestra().altezza}
                            : frames()[static_cast<std::size_t>(dove) - 1].pos;
    return p.left >= 0 && p.top >= 0 && p.left + p.width <= c.width && p.top + p.height <= c.height;
}

struct Controllo {
    std::string nome;
    Contenitore dove;
    Posizione pos;
};

// Every control that takes room on the window, except the sketch lines and the pictures.
std::vector<Controllo> controlli() {
    std::vector<Controllo> tutti;
    const auto n = [](const char* nome, auto i) { return nome + std::to_string(i); };
    for (int i = 0; i < numero_campi; ++i)
        tutti.push_back({n("Text1_", i), campi()[i].dove, campi()[i].pos});
    for (int i = 0; i < numero_label1; ++i)
        tutti.push_back({n("Label1_", i), etichette1()[i].dove, etichette1()[i].pos});
    for (std::size_t i = 0; i < indici_label2.size(); ++i)
        tutti.push_back(
            {n("Label2_", indici_label2[i]), etichette2()[i].dove, etichette2()[i].pos});
    for (int i = 0; i < numero_vincoli; ++i)
        tutti.push_back({n("Check1_", i), Contenitore::frame1, vincoli()[i].pos});
    for (const auto& p : pulsanti()) tutti.push_back({p.nome, Contenitore::finestra, p.pos});
    tutti.push_back({"Label3", etichetta3().dove, etichetta3().pos});
    tutti.push_back({"Combo1", Contenitore::finestra, ricerca().pos});
    tutti.push_back({scelta_formula().nome, scelta_formula().dove, scelta_formula().pos});
    tutti.push_back({"Label4", etichetta_fonte().dove, etichetta_fonte().pos});
    return tutti;
}

}  // namespace

TEST(Layout, EveryControlFitsInsideItsContainerAndNoTwoOverlapNorCoverASketchLine) {
    // Rows of the site group are 300 apart with 315-high fields: the 15 twips (one pixel at
    // 96 dpi) where the borders meet are allowed.
    const auto tutti = controlli();
    for (std::size_t a = 0; a < tutti.size(); ++a) {
        EXPECT_TRUE(dentro(tutti[a].pos, tutti[a].dove)) << tutti[a].nome;
        for (std::size_t b = a + 1; b < tutti.size(); ++b)
            EXPECT_FALSE(tutti[a].dove == tutti[b].dove &&
                         si_sovrappongono(tutti[a].pos, tutti[b].pos, 15))
                << tutti[a].nome << " and " << tutti[b].nome;
        // A control over an edge would hide the width that shows the side's restraint; the margin
        // is half the widest pen each line can get (3 pixels for the edges, 1 for the dimensions).
        for (int k = 0; k < numero_linee && tutti[a].dove == Contenitore::frame1; ++k) {
            const DatiLinea& l = linee()[k];
            const int m = k < 4 ? 23 : 8;
            const Posizione tratto = {std::min(l.x1, l.x2) - m, std::min(l.y1, l.y2) - m,
                                      std::abs(l.x2 - l.x1) + 2 * m, std::abs(l.y2 - l.y1) + 2 * m};
            EXPECT_FALSE(si_sovrappongono(tutti[a].pos, tratto, 0))
                << tutti[a].nome << " over Line" << k + 1;
        }
    }
    for (const DatiImmagine& i : immagini()) {
        EXPECT_TRUE(dentro(i.pos, i.dove)) << i.risorsa;
        // The formula list sits beside Image1, never over a formula.
        EXPECT_FALSE(i.dove == scelta_formula().dove &&
                     si_sovrappongono(i.pos, scelta_formula().pos, 0))
            << i.risorsa;
    }
    for (std::size_t a = 0; a < frames().size(); ++a) {
        EXPECT_TRUE(dentro(frames()[a].pos, Contenitore::finestra)) << frames()[a].nome;
        for (std::size_t b = a + 1; b < frames().size(); ++b)
            EXPECT_FALSE(si_sovrappongono(frames()[a].pos, frames()[b].pos, 0)) << frames()[a].nome;
    }
    for (const DatiVincolo& v : vincoli())  // the edge's width agrees with the toggle's state
        EXPECT_EQ(linee()[v.linea - 1].larghezza, v.appoggiato ? 3 : 1) << "Line" << v.linea;
}
