// SPDX-License-Identifier: GPL-3.0-or-later
// A command line run by /bin/sh in a given folder, as a user types it, with its exit code and its
// two outputs caught.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>

#include "prova.h"
#include "text/encoding.h"

extern char** environ;

namespace tv::prova {

struct Uscita {
    int codice;  // the exit code, or 128 + the signal that ended the shell
    std::string out, err;
};

// The file's bytes; empty when it cannot be read.
inline std::string leggi(const fs::path& file) { return text::read_bytes(file).value_or(""); }

// `riga` run by /bin/sh -c in `cwd`, with this process's environment and nothing on its input.
inline Uscita esegui_shell(const std::string& riga, const fs::path& cwd) {
    const CartellaTemp appoggio;
    const fs::path out = appoggio.path() / "out", err = appoggio.path() / "err";
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addchdir_np(&azioni, cwd.c_str());
    posix_spawn_file_actions_addopen(&azioni, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&azioni, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&azioni, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addclosefrom_np(&azioni, 3);  // as from a terminal: 0, 1 and 2 only
    const char* argv[] = {"/bin/sh", "-c", riga.c_str(), nullptr};
    pid_t pid = -1;
    int stato = 0;
    const bool avviato =
        posix_spawn(&pid, argv[0], &azioni, nullptr, const_cast<char**>(argv), environ) == 0 &&
        waitpid(pid, &stato, 0) == pid;
    posix_spawn_file_actions_destroy(&azioni);
    EXPECT_TRUE(avviato) << riga;
    return {WIFSIGNALED(stato) ? 128 + WTERMSIG(stato) : WEXITSTATUS(stato), leggi(out),
            leggi(err)};
}

}  // namespace tv::prova
