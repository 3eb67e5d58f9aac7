// SPDX-License-Identifier: GPL-3.0-or-later
// The errno texts of the C library's Italian translation, for the errors of files, folders,
// processes and memory.
#include "text/errori_sistema.h"

#include <cerrno>
#include <utility>

namespace tv::text {

namespace {

// One entry per value: EAGAIN is EWOULDBLOCK and ENOTSUP is EOPNOTSUPP on Linux.
constexpr std::pair<int, const char*> kTesti[] = {
    {EPERM, "Operazione non permessa"},
    {ENOENT, "File o directory non esistente"},
    {ESRCH, "Nessun processo corrisponde"},
    {EINTR, "Chiamata di sistema interrotta"},
    {EIO, "Errore di input/output"},
    {ENXIO, "Device o indirizzo non esistente"},
    {E2BIG, "Elenco degli argomenti troppo lungo"},
    {ENOEXEC, "Formato eseguibile non valido"},
    {EBADF, "Descrittore di file errato"},
    {ECHILD, "Nessun processo figlio"},
    {EAGAIN, "Risorsa temporaneamente non disponibile"},
    {ENOMEM, "Impossibile allocare memoria"},
    {EACCES, "Permesso negato"},
    {EFAULT, "Indirizzo errato"},
    {EBUSY, "Dispositivo o risorsa occupata"},
    {EEXIST, "File già esistente"},
    {EXDEV, "Collegamento tra dispositivi non valido"},
    {ENODEV, "Nessun device corrisponde"},
    {ENOTDIR, "Non è una directory"},
    {EISDIR, "È una directory"},
    {EINVAL, "Argomento non valido"},
    {ENFILE, "Troppi file aperti nel sistema"},
    {EMFILE, "Troppi file aperti"},
    {ETXTBSY, "File di testo occupato"},
    {EFBIG, "File troppo grande"},
    {ENOSPC, "Spazio esaurito sul device"},
    {ESPIPE, "Operazione di seek non consentita"},
    {EROFS, "File system in sola lettura"},
    {EMLINK, "Troppi collegamenti"},
    {EPIPE, "Pipe interrotta"},
    {ENAMETOOLONG, "Nome del file troppo lungo"},
    {ENOSYS, "Funzione non implementata"},
    {ENOTEMPTY, "Directory non vuota"},
    {ELOOP, "Troppi livelli di collegamenti simbolici"},
    {EOVERFLOW, "Valore troppo grande per il tipo di dati definito"},
    {ENOTSUP, "Operazione non supportata"},
    {EDQUOT, "Quota disco superata"},
};

}  // namespace

std::string messaggio_errno(int errore) {
    for (const auto& [valore, testo] : kTesti)
        if (valore == errore) return testo;
    return std::generic_category().message(errore);
}

std::string messaggio_errore(const std::error_code& ec) {
    // On Linux the system category's values are errno values too.
    if (ec.category() == std::generic_category() || ec.category() == std::system_category())
        return messaggio_errno(ec.value());
    return ec.message();
}

}  // namespace tv::text
