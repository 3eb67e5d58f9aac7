# SPDX-License-Identifier: GPL-3.0-or-later
# Writes OUT (a header with TV_COMMIT, the checkout's commit, or "non disponibile" outside a git
# checkout) only when its text changes, so that a new commit rebuilds only what includes it.
execute_process(COMMAND git -C "${SRC}" rev-parse --short=12 HEAD
                OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE esito
                ERROR_QUIET)
if(NOT esito EQUAL 0 OR commit STREQUAL "")
  set(commit "non disponibile")
else()
  execute_process(COMMAND git -C "${SRC}" status --porcelain --untracked-files=no
                  OUTPUT_VARIABLE modifiche OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT modifiche STREQUAL "")
    string(APPEND commit " (con modifiche non registrate)")
  endif()
endif()
set(testo "// Generated at build time: the commit the program was built from.\n#define TV_COMMIT \"${commit}\"\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" vecchio)
endif()
if(NOT "${vecchio}" STREQUAL "${testo}")
  file(WRITE "${OUT}" "${testo}")
endif()
