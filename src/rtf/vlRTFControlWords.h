// Fixed RTF control text written by the elements. Kept in one place so the
// exact bytes of the output are easy to review.
#pragma once

#include <string_view>

namespace vl::rtf::cw {

// Header.
inline constexpr std::string_view HeaderStart = "{\\rtf1\\ansi\\ansicpg";
inline constexpr std::string_view HeaderDefaults = "\\deff0\\deftab0";
inline constexpr std::string_view FontTableStart = "{\\fonttbl";
inline constexpr std::string_view ColorTableStart = "{\\colortbl;";
inline constexpr std::string_view StyleSheetStart = "{\\stylesheet";
inline constexpr std::string_view ListTableStart = "{\\*\\listtable";

// Style entry pieces.
inline constexpr std::string_view StyleParaWords =
    " \\ql \\li0\\ri0\\sa200\\sl276\\slmult1"
    "\\wrapdefault\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0"
    " \\rtlch\\alang1025 \\ltrch\\fcs0 ";
inline constexpr std::string_view StyleLangWords =
    "\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033"
    "\\sbasedon222 \\sqformat \\spriority0 \\styrsid";

// List entry pieces.
inline constexpr std::string_view ListStart = "{\\list\\listtemplateid";
inline constexpr std::string_view ListHybrid = "\\listhybrid";
inline constexpr std::string_view LevelTail =
    "\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\fbias0\\hres0\\chhres0 \\fi-360\\li720\\lin720}";
inline constexpr std::string_view ListNameId = "{\\listname ;}\\listid";
inline constexpr std::string_view ListOverrideStart = "{\\*\\listoverridetable";
inline constexpr std::string_view ListOverride = "{\\listoverride\\listid";
inline constexpr std::string_view ListOverrideCount = "\\listoverridecount0\\";

// Document area.
inline constexpr std::string_view DocAreaTail = "\\nouicompat\\lnbrkrule";

// Sections.
inline constexpr std::string_view PlainSectionStart = "\\sectd\\sbknone\\cols1{";
inline constexpr std::string_view ColumnSectionStart = "\\sectd\\sbknone{";
inline constexpr std::string_view PageSectionStart = " \\sectd{";
inline constexpr std::string_view SectionEnd = "\\sect";

// Column break.
inline constexpr std::string_view ColumnBreak = "\\column ";

}  // namespace vl::rtf::cw
