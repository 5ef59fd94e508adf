#include "pdf/core/PDLexer.h"

#include <gtest/gtest.h>

#include "pdf/filters/MemoryStream.h"

namespace {

std::string Tag(char Kind, const std::string& Value) {
  std::string s(1, Kind);
  s.append(Value);
  return s;
}

// Tokens of Text, written back in a compact form: kind letter and value.
std::vector<std::string> Tokens(const std::string& Text) {
  TvlPDLexer lex(new TvlMemoryStream(Text), true);
  std::vector<std::string> out;
  for (;;) {
    TvlPDObjectPtr t = lex.NextToken();
    if (t->IsEOF()) break;
    std::string s;
    switch (t->ObjectKind()) {
      case okInteger: s = Tag('i', std::to_string(t->IntegerValue())); break;
      case okReal: s = Tag('r', t->ToPDF()); break;
      case okString:
        s = Tag(static_cast<TvlPDString*>(t.get())->IsHex ? 'h' : 's', t->TextValue());
        break;
      case okName: s = Tag('n', t->TextValue()); break;
      case okCommand: s = Tag('c', t->TextValue()); break;
      case okBoolean: s = t->ToPDF(); break;
      case okNull: s = "null"; break;
      case okError: s = "ERR"; break;
      default: s = "?"; break;
    }
    out.push_back(s);
  }
  return out;
}

using V = std::vector<std::string>;

TEST(PDLexerTest, TokenTable) {
  struct Case {
    const char* Input;
    V Want;
  } cases[] = {
      {"-.5 .5 5. --5 1.-2", {"r-0.5", "r0.5", "r5", "i0", "i-5", "r1.2"}},
      {"4294967295 4294967296 2147483648 -17 007", {"i0", "i0", "i-2147483648", "i-17", "i7"}},
      {"(a(b)c) (a\\101) (x\\\r\ny) (\\n\\t\\q\\)) (\\0053)", {"sa(b)c", "saA", "sxy", "s\n\tq)", "s\x05" "3"}},
      {"<41 42\n> <>", {"h4142", "h"}},
      {"/Name/A#20B /", {"nName", "nA B", "n"}},
      {"+5 true false null obj R", {"c+5", "true", "false", "null", "cobj", "cR"}},
      {"<< >> [ ] ) { } > x", {"c<<", "c>>", "c[", "c]", "ERR", "ERR", "ERR", "ERR", "cx"}},
      {"1 % comment\r2%\n3", {"i1", "i2", "i3"}},
      {"BT/F1 12 Tf(Hi)Tj ET", {"cBT", "nF1", "i12", "cTf", "sHi", "cTj", "cET"}},
      {"- x", {"i0", "cx"}},
      {"(unterminated", {"sunterminated"}},
      {"<4142", {"h4142"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Tokens(c.Input), c.Want) << c.Input;
}

TEST(PDLexerTest, LongWordsAreCutAndStopAtDelimiters) {
  std::string longName(300, 'a');
  V got = Tokens("/" + longName + "/b");
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0], Tag('n', std::string(TvlPDLexer::kMaxWord, 'a')));
  EXPECT_EQ(got[1], "nb");
}

}  // namespace
