// SPDX-License-Identifier: GPL-3.0-or-later
// The system's reasons in Italian: the errno values a file program meets, the error codes of
// std::filesystem and of the writer, and the system's own text for any other.
#include "text/errori_sistema.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <ios>
#include <string>

#include "prova.h"
#include "text/file_atomico.h"

namespace {
namespace fs = std::filesystem;
using tv::text::messaggio_errno;
using tv::text::messaggio_errore;

TEST(MessaggioErrno, TheValuesOfFilesFoldersAndProcessesInItalianAnyOtherInTheSystemsWords) {
    EXPECT_EQ(messaggio_errno(ENOENT), "File o directory non esistente");
    EXPECT_EQ(messaggio_errno(ENAMETOOLONG), "Nome del file troppo lungo");
    EXPECT_EQ(messaggio_errno(EACCES), "Permesso negato");
    EXPECT_EQ(messaggio_errno(ENOSPC), "Spazio esaurito sul device");
    EXPECT_EQ(messaggio_errno(EROFS), "File system in sola lettura");
    EXPECT_EQ(messaggio_errno(EWOULDBLOCK), messaggio_errno(EAGAIN));
    // Every value a read, a write, a folder or the report's program can end with has its own
    // Italian text, none the system's English one.
    const int valori[] = {EPERM,   ENOENT, EEXIST, ENOTDIR, EISDIR, ENAMETOOLONG, ENOSPC,
                          EDQUOT,  EROFS,  EMFILE, ENFILE,  EFBIG,  EIO,          ELOOP,
                          EBUSY,   ETXTBSY, EXDEV, ENOTEMPTY, EINVAL, ENOMEM,     EAGAIN,
                          EINTR,   ESPIPE, ENXIO, ENODEV,  EFAULT, EBADF,        EPIPE,
                          ENOEXEC, E2BIG,  EMLINK, EOVERFLOW, ENOTSUP, EACCES};
    for (const int v : valori) {
        EXPECT_NE(messaggio_errno(v), std::generic_category().message(v)) << v;
        for (const int w : valori)
            if (w != v) {
                EXPECT_NE(messaggio_errno(v), messaggio_errno(w)) << v << " " << w;
            }
    }
    EXPECT_EQ(messaggio_errno(EHOSTUNREACH), std::generic_category().message(EHOSTUNREACH));
    EXPECT_EQ(messaggio_errno(4242), std::generic_category().message(4242));
}

TEST(MessaggioErrore, GenericAndSystemCodesAsErrnoOtherCategoriesKeepTheirMessage) {
    EXPECT_EQ(messaggio_errore(std::make_error_code(std::errc::file_exists)), "File già esistente");
    EXPECT_EQ(messaggio_errore(std::error_code(ENOTEMPTY, std::system_category())),
              "Directory non vuota");
    const std::error_code flusso = std::make_error_code(std::io_errc::stream);
    EXPECT_EQ(messaggio_errore(flusso), flusso.message());
    // As std::filesystem and the writer report real failures.
    const tv::prova::CartellaTemp tmp;
    std::error_code ec;
    fs::create_directory(tmp.path() / "manca" / "x", ec);
    EXPECT_EQ(messaggio_errore(ec), "File o directory non esistente");
    EXPECT_EQ(tv::text::scrivi_file_intero(tmp.path() / (std::string(300, 'r') + ".csv"), "x"),
              "Nome del file troppo lungo");
    EXPECT_EQ(tv::text::scrivi_file_intero(tmp.path(), "x"), "È una directory");
}

}  // namespace
