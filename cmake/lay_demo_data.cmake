# SPDX-License-Identifier: GPL-3.0-or-later
# Copies the reference grid and locality list into the demo suite under the names the program reads.
foreach(pair "hazard_grid_ntc2008.txt:parametri_per_spettro.txt" "localities_it.txt:coordinate_localita.txt")
  string(REPLACE ":" ";" p "${pair}")
  list(GET p 0 from)
  list(GET p 1 to)
  if(EXISTS "${SRC}/${from}")
    file(MAKE_DIRECTORY "${DST}")
    file(COPY_FILE "${SRC}/${from}" "${DST}/${to}" ONLY_IF_DIFFERENT)
  else()
    message(WARNING "Missing ${SRC}/${from}: the demo suite needs it as ${DST}/${to}")
  endif()
endforeach()
