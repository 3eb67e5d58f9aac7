// Where each value of a job's site came from.
#include "form/lavoro.h"

namespace tv::form {

Provenienza Lavoro::provenienza(Campo c) const {
    const auto da = [](bool dal_file) {
        return dal_file ? Provenienza::file_lavoro : Provenienza::predefinito;
    };
    switch (c) {
        case Campo::lon: return da(sito.longitudine.has_value());
        case Campo::lat: return da(sito.latitudine.has_value());
        case Campo::suolo: return da(sito.suolo.has_value());
        case Campo::St: return da(sito.St.has_value());
        case Campo::VN: return da(sito.VN.has_value());
        case Campo::Cu: return da(sito.Cu.has_value());
        case Campo::T1: return da(sito.T1.has_value());
        // No job file gives these.
        case Campo::ag: case Campo::W: case Campo::qa: case Campo::PVR: case Campo::B:
        case Campo::L: case Campo::t: case Campo::gamma: case Campo::fd: case Campo::Z:
        case Campo::H: case Campo::Sa: case Campo::Ta: case Campo::Fa: case Campo::Wa:
        case Campo::Rlat: case Campo::E: case Campo::d: case Campo::K1: case Campo::K2:
            return Provenienza::predefinito;
    }
    return Provenienza::predefinito;
}

}  // namespace tv::form
