#include <gtest/gtest.h>

#include <set>

#include "RTFTestSupport.h"
#include "rtf/vlRTFHeader.h"

using rtftest::MaskIds;

namespace {

std::string Render(const TvlRTFElement& e) {
  AnsiString s;
  e.Render(s);
  return s;
}

std::unique_ptr<TvlRTFList> Numbered(uint8_t format, uint8_t alignment, uint8_t follow, int start) {
  auto list = std::make_unique<TvlRTFList>();
  list->NumberFormat = format;
  list->Alignment = alignment;
  list->Follow = follow;
  list->StartAt = start;
  return list;
}

}  // namespace

TEST(RTFHeader, FontAndColourTables) {
  TvlRTFHeader h;
  EXPECT_EQ(h.FontIndex("Arial", 1), 0);
  EXPECT_EQ(h.FontIndex("Symbol", 2), 1);
  EXPECT_EQ(h.FontIndex("Arial", 1), 0);
  EXPECT_EQ(h.FontIndex("arial", 1), 2);  // exact, case-sensitive names
  EXPECT_EQ(h.FontIndex("Arial", 0), 3);  // character set is part of the key
  EXPECT_EQ(h.ColorIndex(0), 1);
  EXPECT_EQ(h.ColorIndex(0x0000FF), 2);
  EXPECT_EQ(h.ColorIndex(0), 1);
  EXPECT_EQ(h.ColorIndex(0x7F00FF10 /* resolves to another value */, 0x00C0C0C0), 3);
  EXPECT_EQ(Render(h),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab0\r\n\r\n"
            "{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}{\\f2 arial;}{\\f3\\fcharset0 Arial;}}"
            "\r\n\r\n"
            "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red192\\green192\\blue192;}"
            "\r\n");
}

TEST(RTFHeader, CodePageFixesCharset) {
  struct Case {
    int codePage;
    std::string fonts;
  } cases[] = {
      {1251, "{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1\\fcharset204 Symbol;}}"},
      {932, "{\\fonttbl{\\f0\\fcharset128 Arial;}{\\f1\\fcharset128 Symbol;}}"},
      {437, "{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset0 Symbol;}}"},
  };
  for (const auto& c : cases) {
    TvlRTFHeader h;
    h.CodePage = c.codePage;
    h.FontIndex("Arial", 1);
    h.FontIndex("Symbol", 2);
    const std::string text = Render(h);
    EXPECT_EQ(text.rfind("{\\rtf1\\ansi\\ansicpg" + std::to_string(c.codePage) + "\\deff0", 0), 0u);
    EXPECT_NE(text.find(c.fonts), std::string::npos) << text;
  }
}

TEST(RTFHeader, NamesAreEscaped) {
  TvlRTFHeader h;
  h.FontIndex("Odd{Font}\\", 1);
  EXPECT_NE(Render(h).find("{\\f0 Odd\\{Font\\}\\\\;}"), std::string::npos);
}

TEST(RTFHeader, ListTable) {
  TvlRTFHeader h;
  EXPECT_EQ(Render(h).find("listtable"), std::string::npos);
  EXPECT_EQ(h.AddList(Numbered(0, 2, 1, 3)), 0);
  auto bullet = std::make_unique<TvlRTFList>();
  bullet->IsBullet = true;
  bullet->NumberFormat = 23;
  bullet->Bullet = u'\u2022';
  bullet->BulletFont = 4;
  EXPECT_EQ(h.AddList(std::move(bullet)), 1);
  EXPECT_EQ(h.ListAt(1)->Name, "ls2");
  EXPECT_EQ(h.ListAt(2), nullptr);

  std::string expected = "{\\*\\listtable{\\list\\listtemplateid#\\listhybrid";
  for (int level = 0; level <= 8; ++level)
    expected += "{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc1\\leveljcn1\\levelfollow1\\levelstartat3"
                "{\\leveltext\\leveltemplateid#\\'02\\'0" + std::to_string(level) +
                ".;}{\\levelnumbers\\'01;}"
                "\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\fbias0\\hres0\\chhres0 \\fi-360\\li720\\lin720}\r\n";
  expected += "{\\listname ;}\\listid#}\r\n"
              "{\\*\\listoverridetable{\\listoverride\\listid#\\listoverridecount0\\ls1}}"
              "{\\list\\listtemplateid#\\listhybrid";
  for (int level = 0; level <= 8; ++level)
    expected += "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
                "{\\leveltext\\leveltemplateid#\\'01\\u8226?;}{\\levelnumbers;}\\f4"
                "\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\fbias0\\hres0\\chhres0 \\fi-360\\li720\\lin720}\r\n";
  expected += "{\\listname ;}\\listid#}\r\n"
              "{\\*\\listoverridetable{\\listoverride\\listid#\\listoverridecount0\\ls2}}}\r\n";
  const std::string text = MaskIds(Render(h));
  const size_t at = text.find("\r\n{\\*\\listtable");
  ASSERT_NE(at, std::string::npos) << text;
  EXPECT_EQ(text.substr(at + 2), expected);
}

TEST(RTFHeader, ListIdsAreDistinct) {
  // Hundreds of lists drawn from 0..99999 collide often unless collisions
  // are redrawn; a shared id would merge two lists in a reader.
  TvlRTFHeader h;
  for (int i = 0; i < 400; ++i) h.AddList(Numbered(0, 0, 0, 1));
  const std::string text = Render(h);
  std::set<std::string> ids;
  size_t pos = 0;
  while ((pos = text.find("}\\listid", pos)) != std::string::npos) {
    pos += 8;
    ids.insert(text.substr(pos, text.find('}', pos) - pos));
  }
  EXPECT_EQ(ids.size(), 400u);
}

TEST(RTFHeader, StyleSheet) {
  TvlRTFHeader h;
  h.FontIndex("Arial", 1);
  h.ColorIndex(0);
  h.Styles.push_back({"s11", "Body", 0, 1, 11, vlfsBold | vlfsUnderline});
  h.Styles.push_back({"s12", "2nd", 0, 1, 10, 0});
  const std::string text = MaskIds(Render(h));
  const std::string styles =
      "\r\n{\\stylesheet"
      "{\\s11 \\ql \\li0\\ri0\\sa200\\sl276\\slmult1\\wrapdefault\\aspalpha\\aspnum\\faauto"
      "\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\alang1025 \\ltrch\\fcs0 \\f0\\cf1\\fs22 \\b\\i0 \\ul"
      "\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033\\sbasedon222 \\sqformat \\spriority0 "
      "\\styrsid#Body;}"
      "{\\s12 \\ql \\li0\\ri0\\sa200\\sl276\\slmult1\\wrapdefault\\aspalpha\\aspnum\\faauto"
      "\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\alang1025 \\ltrch\\fcs0 \\f0\\cf1\\fs20\\b0\\i0"
      "\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033\\sbasedon222 \\sqformat \\spriority0 "
      "\\styrsid# 2nd;}}"
      "{\\*\\listtable}\r\n";
  ASSERT_GE(text.size(), styles.size());
  EXPECT_EQ(text.substr(text.size() - styles.size()), styles);

  // With lists as well, both list tables carry the same entries.
  h.AddList(Numbered(0, 0, 0, 1));
  const std::string both = Render(h);
  const size_t first = both.find("{\\*\\listtable");
  const size_t second = both.find("{\\*\\listtable", first + 1);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(both.substr(first, second - first - 4), both.substr(second, second - first - 4));
}
