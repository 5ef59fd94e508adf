#include "pdf/core/PDParser.h"

#include <gtest/gtest.h>

#include <map>

#include "pdf/filters/MemoryStream.h"

namespace {

class MapResolver : public TvlPDObjectResolver {
public:
  std::map<int32_t, TvlPDObjectPtr> Objects;
  TvlPDBaseObject* FetchObject(int32_t Number) override {
    auto it = Objects.find(Number);
    return it == Objects.end() ? nullptr : it->second.get();
  }
};

std::unique_ptr<TvlPDParser> ParserOn(const std::string& Text, bool AllowStreams = true,
                                      TvlPDObjectResolver* Doc = nullptr) {
  auto lex = std::make_unique<TvlPDLexer>(new TvlMemoryStream(Text), true);
  return std::make_unique<TvlPDParser>(Doc, AllowStreams, std::move(lex));
}

// Every object of Text in PDF form, one per ParseObject.
std::vector<std::string> Objects(const std::string& Text) {
  auto p = ParserOn(Text);
  std::vector<std::string> out;
  while (!p->Current()->IsEOF()) {
    auto o = p->ParseObject();
    out.push_back(o->IsError() ? "ERR" : o->ToPDF());
  }
  return out;
}

using V = std::vector<std::string>;

TEST(PDParserTest, ObjectTable) {
  struct Case {
    const char* Input;
    V Want;
  } cases[] = {
      {"1 0 R", {"1 0 R"}},
      {"1 0 obj", {"1", "0", "obj"}},
      {"<< 5 /A 1 >>", {"<</A 1 >>"}},
      {"[1 [2 3] /N (s) <<>>]", {"[ 1 [ 2 3 ] /N (s) <<>> ]"}},
      {"[1 2 R 3]", {"[ 1 2 R 3 ]"}},  // "2 R" is no reference without a generation
      {"[1 2 0 R]", {"[ 1 2 0 R ]"}},
      {"<< /A [1 2 >>", {"<</A [ 1 2 >> ] >>"}},  // ">>" inside an unclosed array is a value
      {"<< /K", {"<<>>"}},                       // the key at the end of input is dropped
      {"[1 2", {"[ 1 2 ]"}},
      {"} 7", {"ERR", "7"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Objects(c.Input), c.Want) << c.Input;
}

TEST(PDParserTest, DeepNestingEndsInAnError) {
  std::string deep(100000, '[');
  auto p = ParserOn(deep);
  auto o = p->ParseObject();
  ASSERT_TRUE(o->IsArray());  // nesting stops at the limit instead of the stack
}

TEST(PDParserTest, StreamsUseLengthAndTheEndstreamCheck) {
  std::string exact = "<< /Length 5 >>\nstream\r\nHELLO\nendstream 42";
  auto p = ParserOn(exact);
  auto s = p->ParseObject();
  ASSERT_TRUE(s->IsStream());
  EXPECT_EQ(s->AsStream()->ReadAll(), "HELLO");
  EXPECT_EQ(p->Current()->IntegerValue(), 42);

  // /Length 100 over 90 bytes: the window gets 5000 more bytes, bounded by the data.
  std::string data(90, 'x');
  std::string wrong = "<< /Length 100 >>\nstream\n" + data + "\nendstream\n" + std::string(6000, 'y');
  auto s2 = ParserOn(wrong)->ParseObject();
  ASSERT_TRUE(s2->IsStream());
  EXPECT_EQ(s2->AsStream()->ReadAll().size(), 5100u);

  MapResolver doc;
  doc.Objects[9] = std::make_unique<TvlPDInteger>(3);
  auto s3 = ParserOn("<< /Length 9 0 R >> stream\nabc\nendstream", true, &doc)->ParseObject();
  ASSERT_TRUE(s3->IsStream());
  EXPECT_EQ(s3->AsStream()->ReadAll(), "abc");

  for (const char* bad : {"<< >> stream\nabc\nendstream", "<< /Length /X >> stream\nabc",
                          "<< /Length -4 >> stream\nabc", "<< /Length 9 0 R >> stream\nabc"})
    EXPECT_TRUE(ParserOn(bad)->ParseObject()->IsError()) << bad;

  // Without streams the dictionary stands alone.
  auto p4 = ParserOn(exact, false);
  EXPECT_TRUE(p4->ParseObject()->IsDictionary());
  EXPECT_TRUE(p4->Current()->CommandEquals("stream"));
}

TEST(PDParserTest, InlineImageHandOff) {
  std::string content = "BI /W 2 /H 1 ID \x01\x02 EI Q";
  auto p = ParserOn(content, false);
  std::vector<std::string> seen;
  while (!p->Current()->IsEOF()) {
    if (p->Current()->CommandEquals("ID")) {
      TvlStream* s = p->GetLexer()->GetStream();
      std::string bytes;
      bytes += static_cast<char>(s->ReadByte());
      bytes += static_cast<char>(s->ReadByte());
      EXPECT_EQ(bytes, "\x01\x02");
      p->Advance();
      seen.push_back("<data>");
      continue;
    }
    auto o = p->ParseObject();
    seen.push_back(o->ToPDF());
  }
  EXPECT_EQ(seen, (V{"BI", "/W", "2", "/H", "1", "<data>", "EI", "Q"}));
}

}  // namespace
