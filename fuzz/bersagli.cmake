# SPDX-License-Identifier: GPL-3.0-or-later
# The fuzz targets and what each links, shared by the libFuzzer build (fuzz/CMakeLists.txt) and
# the replay of their corpora under ctest (tests/CMakeLists.txt).
set(TV_FUZZ_TARGETS numeri parametrilavoro lavoro griglia localita lotto impostazioni campi)

# Links and defines what a target built from fuzz/<name>.cpp needs.
function(tv_fuzz_target exe name)
  # The small suite of the form tests (tests/support/suite_temp.h) serves the targets too.
  target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_definitions(${exe} PRIVATE TV_SHARED_DATA="${TV_SHARED_DATA}"
                                            TV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_link_libraries(${exe} PRIVATE tv_form tv_finestra tv_warnings)
  if(name STREQUAL "lotto" OR name STREQUAL "campi")
    target_link_libraries(${exe} PRIVATE tv_cli)
  endif()
endfunction()
