#pragma once
// The advance widths of the twelve standard fonts, compiled at build time from
// data/fonts/winansi_widths.tsv (cmake/steps/pdf.cmake).

namespace pdffonts {

// Base font names in the table's column order (Courier ... Times-BoldItalic).
extern const char* const kBaseFontNames[12];
// Width in 1/1000 em per WinAnsi code; 0 for codes without a glyph.
extern const unsigned short kWidths[12][256];

} // namespace pdffonts
