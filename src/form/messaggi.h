// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the core tells the user something: a message box with text, title and icon.
// The window shows it; tests and the command line collect it.
#pragma once

#include <string>
#include <vector>

namespace tv::form {

enum class Icona { nessuna, stop };

struct Messaggio {
    std::string testo;
    std::string titolo;
    Icona icona = Icona::stop;
    bool operator==(const Messaggio&) const = default;
};

class Messaggi {
public:
    virtual ~Messaggi() = default;
    // Modal: returns when the user has closed the box.
    virtual void mostra(const Messaggio& m) = 0;
};

// Keeps every message in order (tests, command line).
class RaccoltaMessaggi : public Messaggi {
public:
    void mostra(const Messaggio& m) override { elenco.push_back(m); }
    std::vector<Messaggio> elenco;
};

}  // namespace tv::form
