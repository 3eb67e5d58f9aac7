// SPDX-License-Identifier: GPL-3.0-or-later
// The one writer of whole files, used by the command line, the batch and the window: written to a
// temporary file in the target's folder and renamed over the target once complete.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace tv::text {

// "Scrittura non riuscita: <destinazione>." — the message for an output that did not reach its
// destination; `destinazione` as the user should read it ("standard output", or a quoted file).
std::string messaggio_scrittura(const std::string& destinazione);

// A file written to a temporary file in the target's folder and renamed over the target by
// `conferma` only when everything was written, flushed to the disk and closed. Until then the
// target keeps what it had; a FileAtomico destroyed without `conferma` removes its temporary
// file. A target that exists and is not a regular file (/dev/null, a pipe) is written in place.
// A symbolic link is followed (the link stays) and a replaced file keeps its permissions.
// Refused before anything is written: a target the user may not write or that is
// write-protected, and a symbolic link the kernel's protected_symlinks rule would not follow
// (another user's, in a world-writable sticky folder). The temporary name is random, made with
// O_EXCL and no longer than the folder allows; SIGXFSZ is ignored while the file is open, so a
// file over the size limit fails its write.
class FileAtomico {
  public:
    // Interruption::remove: SIGINT, SIGTERM and SIGHUP, until `conferma` or destruction, remove
    // the temporary file and end the program with 128 + the signal. One such file at a time.
    enum class Interruzione { ignora, rimuovi };

    explicit FileAtomico(const std::filesystem::path& destinazione,
                         Interruzione interruzione = Interruzione::ignora);
    ~FileAtomico();
    FileAtomico(const FileAtomico&) = delete;
    FileAtomico& operator=(const FileAtomico&) = delete;

    // False when the temporary file (or the target, in place) could not be created.
    bool aperto() const;
    std::ostream& stream();
    // Flushes, syncs, closes and renames over the target. False when any step failed: the
    // temporary file is then gone and the target as it was.
    bool conferma();

    // "Impossibile scrivere il file "X": <reason>." (why it was refused, or the system's
    // message) and "Scrittura non riuscita: "X": <reason>." (without the reason when no step
    // gave one), naming the target.
    std::string messaggio_apertura() const;
    std::string messaggio_scrittura() const;
    // Why the target was refused, or the system's reason for the first step that failed, in
    // Italian ("Spazio esaurito sul device").
    std::string motivo() const;

  private:
    struct Stato;
    std::unique_ptr<Stato> s_;
};

// The whole of `contenuto` written to `destinazione` through a FileAtomico: nullopt when done,
// otherwise the system's reason (the target is then as it was).
std::optional<std::string> scrivi_file_intero(const std::filesystem::path& destinazione,
                                              std::string_view contenuto);

}  // namespace tv::text
