// Where each value of a job's site came from.
#include "form/lavoro.h"

namespace tv::form {

Provenienza Lavoro::provenienza(Campo c) const {
    bool dal_file = c == Campo::T1 && sito.T1.has_value();
    for (const auto& [campo, membro] : kCampiLavoro)
        if (campo == c) dal_file = (sito.*membro).has_value();
    return dal_file ? Provenienza::file_lavoro : Provenienza::predefinito;
}

}  // namespace tv::form
