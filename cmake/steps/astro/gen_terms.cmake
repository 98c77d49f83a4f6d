# Script mode (cmake -P): writes AstroTerms.cpp from the tab-separated term tables.
# Each table is checked for its row and column count; a damaged file stops the build.

# The first `multiples` columns are multiples of the arguments; the calculation handles −4 … 4.
function(read_table file columns multiples rows out_var)
  file(STRINGS ${DATA_DIR}/${file} lines)
  list(LENGTH lines n)
  if(n LESS 2)
    message(FATAL_ERROR "${file}: no header")
  endif()
  list(SUBLIST lines 2 -1 body)
  set(text "")
  set(count 0)
  foreach(line IN LISTS body)
    string(STRIP "${line}" stripped)
    if(stripped STREQUAL "")
      continue()
    endif()
    string(REPLACE "\t" ";" cells "${stripped}")
    list(LENGTH cells ncells)
    if(NOT ncells EQUAL columns)
      message(FATAL_ERROR "${file}: row ${count} has ${ncells} columns, expected ${columns}")
    endif()
    set(column 0)
    foreach(cell IN LISTS cells)
      if(NOT cell MATCHES "^-?[0-9]+(\\.[0-9]+)?$")
        message(FATAL_ERROR "${file}: row ${count}: '${cell}' is not a number")
      endif()
      if(column LESS multiples AND NOT cell MATCHES "^-?[0-4]$")
        message(FATAL_ERROR "${file}: row ${count}: multiple '${cell}' outside -4 ... 4")
      endif()
      math(EXPR column "${column} + 1")
    endforeach()
    string(REPLACE ";" ", " joined "${cells}")
    string(APPEND text "    {${joined}},\n")
    math(EXPR count "${count} + 1")
  endforeach()
  if(NOT count EQUAL rows)
    message(FATAL_ERROR "${file}: ${count} rows, expected ${rows}")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

read_table(moon_longitude_distance.tsv 6 4 60 lr)
read_table(moon_latitude.tsv 5 4 60 b)
read_table(nutation.tsv 9 5 63 nut)

set(content "// Generated from data/astro/*.tsv at build time. Do not edit.
#include \"entry/AstroTerms.h\"

namespace astro::terms {

const MoonLrTerm moonLongitudeDistance[kMoonLrRows] = {
${lr}};

const MoonBTerm moonLatitude[kMoonBRows] = {
${b}};

const NutationTerm nutation[kNutationRows] = {
${nut}};

} // namespace astro::terms
")
file(WRITE ${OUT}.tmp "${content}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
