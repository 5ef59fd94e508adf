#include "pdf/fonts/PDStdFontMap.h"

#include "pdf/fonts/PDFontTables.h"

namespace vl {

// Searched in order; the first row that matches wins, so the plain family
// names (Arial, Helvetica) come before their styled variants.
const TvlFontAlias kFontAliases[kFontAliasCount] = {
    {"Arial", "Helvetica"},
    {"Arial,Bold", "Helvetica-Bold"},
    {"Arial,BoldItalic", "Helvetica-BoldOblique"},
    {"Arial,Italic", "Helvetica-Oblique"},
    {"Arial-Bold", "Helvetica-Bold"},
    {"Arial-BoldItalic", "Helvetica-BoldOblique"},
    {"Arial-BoldItalicMT", "Helvetica-BoldOblique"},
    {"Arial-BoldMT", "Helvetica-Bold"},
    {"Arial-Italic", "Helvetica-Oblique"},
    {"Arial-ItalicMT", "Helvetica-Oblique"},
    {"Helvetica-Compressed", "Helvetica"},
    {"ArialMT", "Helvetica"},
    {"CourierNew", "Courier"},
    {"CourierNew,Bold", "Courier-Bold"},
    {"CourierNew,BoldItalic", "Courier-BoldOblique"},
    {"CourierNew,Italic", "Courier-Oblique"},
    {"CourierNew-Bold", "Courier-Bold"},
    {"CourierNew-BoldItalic", "Courier-BoldOblique"},
    {"CourierNew-Italic", "Courier-Oblique"},
    {"CourierNewPS-BoldItalicMT", "Courier-BoldOblique"},
    {"CourierNewPS-BoldMT", "Courier-Bold"},
    {"CourierNewPS-ItalicMT", "Courier-Oblique"},
    {"CourierNewPSMT", "Courier"},
    {"Helvetica,Bold", "Helvetica-Bold"},
    {"Helvetica,BoldItalic", "Helvetica-BoldOblique"},
    {"Helvetica,Italic", "Helvetica-Oblique"},
    {"Helvetica-BoldItalic", "Helvetica-BoldOblique"},
    {"Helvetica-Italic", "Helvetica-Oblique"},
    {"Symbol,Bold", "Symbol"},
    {"Symbol,BoldItalic", "Symbol"},
    {"Symbol,Italic", "Symbol"},
    {"TimesNewRoman", "Times-Roman"},
    {"TimesNewRoman,Bold", "Times-Bold"},
    {"TimesNewRoman,BoldItalic", "Times-BoldItalic"},
    {"TimesNewRoman,Italic", "Times-Italic"},
    {"TimesNewRoman-Bold", "Times-Bold"},
    {"TimesNewRoman-BoldItalic", "Times-BoldItalic"},
    {"TimesNewRoman-Italic", "Times-Italic"},
    {"TimesNewRomanPS", "Times-Roman"},
    {"TimesNewRomanPS-Bold", "Times-Bold"},
    {"TimesNewRomanPS-BoldItalic", "Times-BoldItalic"},
    {"TimesNewRomanPS-BoldItalicMT", "Times-BoldItalic"},
    {"TimesNewRomanPS-BoldMT", "Times-Bold"},
    {"TimesNewRomanPS-Italic", "Times-Italic"},
    {"TimesNewRomanPS-ItalicMT", "Times-Italic"},
    {"TimesNewRomanPSMT", "Times-Roman"},
    {"TimesNewRomanPSMT,Bold", "Times-Bold"},
    {"TimesNewRomanPSMT,BoldItalic", "Times-BoldItalic"},
    {"TimesNewRomanPSMT,Italic", "Times-Italic"},
};

const TvlFontAlias* FindFontAlias(std::string_view Name) {
  for (const TvlFontAlias& row : kFontAliases)
    if (Name == row.Alias || Name == row.StandardName) return &row;
  return nullptr;
}

int StandardFontIndex(std::string_view Name) {
  for (std::size_t i = 0; i < fontdata::kStandardFontCount; ++i)
    if (Name == fontdata::kStandardFonts[i].FontName) return static_cast<int>(i);
  return -1;
}

std::string_view WindowsFamilyName(std::string_view Name) {
  static constexpr std::string_view kFamilies[][2] = {
      {"Courier", "CourierNew"},
      {"Helvetica", "Arial"},
      {"Symbol", "Symbol"},
      {"ZapfDingbats", "ArialUnicodeMS"},
  };
  for (const auto& row : kFamilies)
    if (Name == row[0]) return row[1];
  return {};
}

}  // namespace vl
