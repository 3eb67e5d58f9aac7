// Test helper: the message of the tv::Failure a call throws, or "(nessun errore)".
#pragma once

#include <string>

#include "text/error.h"

namespace tv::panel {

template <class F>
std::string messaggio(F&& f) {
    try {
        f();
    } catch (const Failure& e) {
        return e.what();
    }
    return "(nessun errore)";
}

}  // namespace tv::panel
