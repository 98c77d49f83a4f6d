# Periodic-term tables of the sun and moon calculation, generated from data/astro/*.tsv so the
# numbers are never typed by hand.
set(FK_ASTRO_TSV
  ${CMAKE_SOURCE_DIR}/data/astro/moon_longitude_distance.tsv
  ${CMAKE_SOURCE_DIR}/data/astro/moon_latitude.tsv
  ${CMAKE_SOURCE_DIR}/data/astro/nutation.tsv)
set(FK_ASTRO_TERMS_CPP ${CMAKE_CURRENT_BINARY_DIR}/generated/entry/AstroTerms.cpp)
add_custom_command(
  OUTPUT ${FK_ASTRO_TERMS_CPP}
  COMMAND ${CMAKE_COMMAND} -DDATA_DIR=${CMAKE_SOURCE_DIR}/data/astro -DOUT=${FK_ASTRO_TERMS_CPP}
          -P ${CMAKE_SOURCE_DIR}/cmake/steps/astro/gen_terms.cmake
  DEPENDS ${FK_ASTRO_TSV} ${CMAKE_SOURCE_DIR}/cmake/steps/astro/gen_terms.cmake
  COMMENT "Generating the astronomy term tables"
  VERBATIM)
target_sources(fk_core PRIVATE ${FK_ASTRO_TERMS_CPP})
