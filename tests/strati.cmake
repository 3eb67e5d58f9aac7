# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a layer includes what it must not. The core (text, units, hazard, panel, form) and
# the report's model (src/relazione without its PDF renderer) include neither Qt nor the window
# (app/) nor the command line (cli/); the renderer includes neither the window nor the command
# line nor Qt Widgets; cli/ includes neither the window nor Qt Widgets; the window's view-model
# (app/modello) includes no Qt, no cli/ and none of the window's widgets; the rest of app/
# includes nothing of cli/. Qt Widgets' headers are the names in WIDGETS, its include folder.
# Run by ctest: cmake -DSRC=<src folder> [-DWIDGETS=<QtWidgets include folder>] -P strati.cmake
cmake_minimum_required(VERSION 3.21)
if(NOT IS_DIRECTORY "${SRC}")
  message(FATAL_ERROR "SRC non è una cartella: ${SRC}")
endif()

set(nomi_widgets "")
if(WIDGETS)
  file(GLOB nomi_widgets RELATIVE "${WIDGETS}" "${WIDGETS}/*")
  if(NOT nomi_widgets)
    message(FATAL_ERROR "nessuna intestazione di Qt Widgets in ${WIDGETS}")
  endif()
endif()

# The report's PDF and ODT renderers, the parts of src/relazione that draw with Qt.
set(renderer pdf.cpp pdf.h grafico_pdf.cpp grafico_pdf.h odt.cpp odt.h file_intero.h)

# The kinds of a header `h` (as written between <> or ""): qt, widgets, app, vista (app/ outside
# the view-model), cli.
function(generi h out)
  set(g "")
  if(h MATCHES "^(Q[A-Za-z]|Qt)")
    list(APPEND g qt)
  endif()
  if(h MATCHES "^QtWidgets/" OR h IN_LIST nomi_widgets)
    list(APPEND g widgets)
  endif()
  if(h MATCHES "^([./]*/)?app/")
    list(APPEND g app)
    if(NOT h MATCHES "^([./]*/)?app/modello/")
      list(APPEND g vista)
    endif()
  endif()
  if(h MATCHES "^([./]*/)?cli/")
    list(APPEND g cli)
  endif()
  set(${out} "${g}" PARENT_SCOPE)
endfunction()

set(guasti "")
set(esaminati 0)
# Every file under src/<dir> (without the folders in `salta`, with only or without the renderer
# by `parte`) whose includes are of a kind in `vietati`.
function(esamina dir parte vietati)
  file(GLOB_RECURSE files "${SRC}/${dir}/*.cpp" "${SRC}/${dir}/*.h")
  if(NOT files)
    message(FATAL_ERROR "nessun file in ${SRC}/${dir}")
  endif()
  foreach(f ${files})
    file(RELATIVE_PATH rel "${SRC}" "${f}")
    get_filename_component(name "${f}" NAME)
    if(dir STREQUAL "relazione")
      if(name IN_LIST renderer AND NOT parte STREQUAL "renderer")
        continue()
      elseif(NOT name IN_LIST renderer AND parte STREQUAL "renderer")
        continue()
      endif()
    endif()
    if(dir STREQUAL "app" AND rel MATCHES "^app/modello/")
      continue()
    endif()
    math(EXPR esaminati "${esaminati} + 1")
    file(STRINGS "${f}" righe REGEX "^[ \t]*#[ \t]*include")
    foreach(r ${righe})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" h "${r}")
      generi("${h}" g)
      foreach(v ${vietati})
        if(v IN_LIST g)
          list(APPEND guasti "src/${rel}: ${r} (${v})")
          break()
        endif()
      endforeach()
    endforeach()
  endforeach()
  set(guasti "${guasti}" PARENT_SCOPE)
  set(esaminati ${esaminati} PARENT_SCOPE)
endfunction()

foreach(dir text units hazard panel form)
  esamina(${dir} "" "qt;app;cli")
endforeach()
esamina(relazione "" "qt;app;cli")
esamina(relazione renderer "widgets;app;cli")
esamina(cli "" "widgets;app")
esamina(app/modello "" "qt;vista;cli")
esamina(app "" "cli")

if(guasti)
  list(JOIN guasti "\n" testo)
  message(FATAL_ERROR "Inclusioni fuori strato:\n${testo}")
endif()
message(STATUS "${esaminati} file senza inclusioni fuori strato")
