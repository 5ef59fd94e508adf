// Character-map reading: tokens, ranges, single mappings, precedence and
// malformed data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdf/fonts/PDCMapParser.h"

namespace {

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::vector<std::string> Tokens(const std::string& s) {
  TvlPSTokenizer tok(Bytes(s));
  std::vector<std::string> out;
  std::string t;
  while (tok.NextToken(t)) out.push_back(t);
  return out;
}

TEST(PDCMapParser, Tokenizer) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Tokens("/Registry (Adobe) def"), (V{"/Registry", "(Adobe)", "def"}));
  EXPECT_EQ(Tokens("(a\\)b) x"), (V{"(a\\)b)", "x"}));
  EXPECT_EQ(Tokens("<00 4 1>[<01>]"), (V{"<0041>", "[", "<01>", "]"}));
  EXPECT_EQ(Tokens("% comment\n12 beginbfchar%c\r\nend"), (V{"12", "beginbfchar", "end"}));
  EXPECT_EQ(Tokens("  \t\r\n"), V{});
  EXPECT_EQ(Tokens(std::string(300, 'a')), V{std::string(128, 'a')});
  // Unterminated string and hex token end with the data.
  EXPECT_EQ(Tokens("(abc"), V{"(abc"});
  EXPECT_EQ(Tokens("<12"), V{"<12"});
}

TEST(PDCMapParser, Mappings) {
  const std::string cmap =
      "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
      "/CMapName /Adobe-Identity-UCS def /CMapType 2 def\n"
      "1 begincodespacerange <0000> <FFFF> endcodespacerange\n"
      "2 beginbfrange <0000> <0005> <0041>\n"
      "<0010> <0012> [<0061> <0062> <00660069>]\n"
      "endbfrange\n"
      "4 beginbfchar <0003> <0058>\n"
      "<0020> <00660069>\n"
      "<0022> <004100420043>\n"
      "<21> <7A>\n"
      "endbfchar\n"
      "1 begincidrange <0100> <01FF> 1000 endcidrange\n"
      "1 begincidrange <0180> <0181> 5 endcidrange\n"
      "1 begincidrange <1000> <FFFF> 70000 endcidrange\n"
      "1 begincidrange <1100> <1101> 7 endcidrange\n"
      "endcmap CMapName currentdict /CMap defineresource pop end end\n"
      "1 beginbfchar <0001> <0001> endbfchar\n";
  TvlPDCMapParser p(Bytes(cmap));
  struct Row {
    int code, mapped, ranged;
    const char* what;
  };
  const Row rows[] = {
      {0, 0x41, 0x41, "range start"},
      {3, 0x58, 0x44, "single mapping wins over the range"},
      {5, 0x46, 0x46, "range end"},
      {6, -1, -1, "past the range"},
      {0x10, 0x61, 0x61, "array element 0"},
      {0x12, 0xFB01, 0xFB01, "a ligature's letters give its presentation form"},
      {0x13, -1, -1, "past the array"},
      {0x20, 0xFB01, -1, "ligature in a single mapping"},
      {0x22, 0x41, -1, "other letter runs: the first four digits"},
      {0x21, 0x7A, -1, "short hex tokens"},
      {0x17F, 1000 + 0x7F, 1000 + 0x7F, "decimal destination"},
      {0x181, 6, 6, "later range wins"},
      {0x2000, 70000 + 0x1000, 70000 + 0x1000, "long range"},
      {0x1101, 8, 8, "later short range inside a long one"},
      {1, 0x42, 0x42, "nothing after endcmap is read"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(p.MapCode(r.code), r.mapped) << r.what;
    EXPECT_EQ(p.MapRange(r.code), r.ranged) << r.what;
  }
}

TEST(PDCMapParser, HeaderValues) {
  TvlPDCMapParser p(Bytes("/Registry (Adobe) /Ordering (Japan1) /Supplement 6 /WMode 1"));
  EXPECT_EQ(p.Registry(), "Adobe");
  EXPECT_EQ(p.Ordering(), "Japan1");
  EXPECT_EQ(p.Supplement(), "6");
  EXPECT_EQ(p.WMode(), 1);
}

TEST(PDCMapParser, MalformedData) {
  struct Row {
    const char* data;
    bool throws;
    int probe, mapped;  // when it does not throw
    const char* what;
  };
  const Row rows[] = {
      {"1 beginbfchar <0041> /A endbfchar", true, 0, 0, "name as destination"},
      {"1 beginbfchar <> <0041> endbfchar", true, 0, 0, "empty hex token"},
      {"1 beginbfchar <00G1> <0041> endbfchar", true, 0, 0, "bad hex digit"},
      {"1 begincidrange <00> <10> 99999999999 endcidrange", true, 0, 0, "decimal beyond 32 bits"},
      {"/WMode x", true, 0, 0, "WMode not a number"},
      {"1 beginbfrange <0000> <0005>", false, 0, -1, "data ends inside a range"},
      {"1 beginbfrange <0000> <0005> [<41> <42>", false, 1, 0x42, "data ends inside an array"},
      {"1 beginbfrange <FFFFFFF0> <FFFFFFFF> <0041> endbfrange", false, 0xFFFF, -1,
       "eight-digit codes lie outside the 16-bit codes"},
      {"1 beginbfrange <7FFFFFF0> <7FFFFFFF> <0041> endbfrange", false, 0x7FFFFFFF, 0x50,
       "range up to the largest code"},
      {"1 beginbfrange <0010> <0001> <0041> endbfrange", false, 0x5, -1, "reversed range"},
      {"1 begincidrange <00000000> <7FFFFFFF> 0 endcidrange", false, 0x12345, 0x12345, "huge range"},
  };
  for (const auto& r : rows) {
    if (r.throws) {
      EXPECT_THROW(TvlPDCMapParser(Bytes(r.data)), EConvertError) << r.what;
    } else {
      EXPECT_EQ(TvlPDCMapParser(Bytes(r.data)).MapCode(r.probe), r.mapped) << r.what;
    }
  }
  try {
    TvlPDCMapParser(Bytes("1 beginbfchar <0041> /A endbfchar"));
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'/A' is not a valid integer value");
  }
}

}  // namespace

namespace {

// Damaged copies of a real-looking map either parse or raise the integer
// conversion error; nothing else may happen (the sanitizer build checks the
// memory side).
TEST(PDCMapParser, DamagedMapsParseOrRaise) {
  const std::string good =
      "/CIDInit /ProcSet findresource begin 12 dict begin begincmap /CIDSystemInfo\n"
      "<< /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
      "1 begincodespacerange <00> <FF> endcodespacerange\n"
      "2 beginbfchar <01> <0041> <02> <00660069> endbfchar\n"
      "2 beginbfrange <10> <1F> <0061> <20> <22> [<0030> <0031> <0032>] endbfrange\n"
      "endcmap";
  std::uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  for (int round = 0; round < 3000; ++round) {
    std::string s = good;
    const int edits = 1 + next() % 4;
    for (int e = 0; e < edits; ++e) {
      std::size_t at = next() % s.size();
      switch (next() % 3) {
        case 0: s[at] = static_cast<char>(next()); break;
        case 1: s = s.substr(0, at) + s.substr(std::min(s.size(), at + 1 + next() % 8)); break;
        default: s = s.substr(0, at); break;
      }
      if (s.empty()) s.assign(1, '<');
    }
    try {
      TvlPDCMapParser p(Bytes(s));
      for (int code = 0; code < 0x30; ++code) (void)p.MapCode(code);
    } catch (const EConvertError&) {
    }
  }
}

}  // namespace
