# PDF writer: the font width table is compiled from the published TSV, and the user manual
# "Anleitung.pdf" is rendered at build time with our own report layer.
set(FK_PDF_WIDTHS_TSV ${CMAKE_SOURCE_DIR}/data/fonts/winansi_widths.tsv)
set(FK_PDF_WIDTHS_CPP ${CMAKE_CURRENT_BINARY_DIR}/generated/pdf/PdfFontWidthsTable.cpp)
add_custom_command(
  OUTPUT ${FK_PDF_WIDTHS_CPP}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${FK_PDF_WIDTHS_TSV} -DOUTPUT=${FK_PDF_WIDTHS_CPP}
          -P ${CMAKE_SOURCE_DIR}/cmake/scripts/pdf_font_widths.cmake
  DEPENDS ${FK_PDF_WIDTHS_TSV} ${CMAKE_SOURCE_DIR}/cmake/scripts/pdf_font_widths.cmake
  COMMENT "Generating the PDF font width table"
  VERBATIM)
target_sources(fk_core PRIVATE ${FK_PDF_WIDTHS_CPP})

add_executable(make_manual ${CMAKE_SOURCE_DIR}/tools/make_manual.cpp)
target_link_libraries(make_manual PRIVATE fk_core)

set(FK_MANUAL_SOURCE ${CMAKE_SOURCE_DIR}/docs/Anleitung.txt)
file(GLOB FK_MANUAL_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.jpg)
set(FK_MANUAL_PDF ${CMAKE_BINARY_DIR}/Anleitung.pdf)
add_custom_command(
  OUTPUT ${FK_MANUAL_PDF}
  COMMAND make_manual ${FK_MANUAL_SOURCE} ${FK_MANUAL_PDF}
  DEPENDS make_manual ${FK_MANUAL_SOURCE} ${FK_MANUAL_PICTURES}
  COMMENT "Rendering Anleitung.pdf"
  VERBATIM)
add_custom_target(manual ALL DEPENDS ${FK_MANUAL_PDF})
