// The own inflate against zlib: same bytes for whole and cut-short input.
#include "pdf/filters/Flate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "pdf/filters/MemoryStream.h"
#include "pdf/core/PdfWalk.h"

namespace {

AnsiString OwnInflate(const AnsiString& Packed) {
  TvlFlateStream s(new TvlMemoryStream(Packed), true);
  s.Reset();
  AnsiString out;
  s.ReadString(out, SIZE_MAX);
  s.Finish();
  return out;
}


// Data with both repeats and noise, so every block type and long matches occur.
AnsiString Sample(std::mt19937& rng, size_t Size) {
  AnsiString s;
  s.reserve(Size);
  std::uniform_int_distribution<int> kind(0, 3), byte(0, 255), small(0, 7);
  while (s.size() < Size) {
    switch (kind(rng)) {
      case 0: s += static_cast<char>(byte(rng)); break;
      case 1: s += "BT /F1 12 Tf 72 712 Td (Hello world) Tj ET\n"; break;
      case 2:
        if (!s.empty()) s += s.substr(s.size() / 2, std::min<size_t>(300, s.size() / 2));
        break;
      default: s.append(static_cast<size_t>(small(rng)) * 40, 'a'); break;
    }
  }
  s.resize(Size);
  return s;
}

TEST(FlateTest, MatchesZlibOnRandomData) {
  std::mt19937 rng(1234);
  const size_t sizes[] = {0, 1, 2, 100, 258, 4096, 32767, 32768, 32769, 70000, 250000};
  for (size_t size : sizes) {
    AnsiString data = Sample(rng, size);
    for (int level : {0, 1, 6, 9}) {
      AnsiString packed = TvlFlateStream::Compress(data, level);
      ASSERT_EQ(OwnInflate(packed), data) << "size " << size << " level " << level;
      // Cut anywhere: the own decoder delivers what zlib delivers.
      for (size_t cut : {size_t{1}, size_t{3}, packed.size() / 3, packed.size() / 2,
                         packed.size() - 5, packed.size() - 1}) {
        if (cut >= packed.size()) continue;
        AnsiString head = packed.substr(0, cut);
        EXPECT_EQ(OwnInflate(head), vltest::ZlibInflate(head))
            << "size " << size << " level " << level << " cut " << cut;
      }
    }
  }
}

TEST(FlateTest, HeaderChecks) {
  AnsiString packed = TvlFlateStream::Compress("hello hello hello", 6);
  struct Case {
    const char* Note;
    AnsiString Input;
    bool Decodes;
  } cases[] = {
      {"usual header 78 9C", "\x78\x9C" + packed.substr(2), true},
      {"preset dictionary bit", "\x78\xBB" + packed.substr(2), false},
      {"raw deflate without header", packed.substr(2), false},
      {"check value wrong", "\x78\x9D" + packed.substr(2), false},
      {"method not deflate", "\x77\x9C" + packed.substr(2), false},
      {"empty", "", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(OwnInflate(c.Input), c.Decodes ? "hello hello hello" : "") << c.Note;
}

TEST(FlateTest, CorruptDataStopsQuietly) {
  std::mt19937 rng(99);
  AnsiString data = Sample(rng, 50000);
  AnsiString packed = TvlFlateStream::Compress(data, 6);
  std::uniform_int_distribution<size_t> pos(2, packed.size() - 1);
  for (int i = 0; i < 200; ++i) {
    AnsiString bad = packed;
    bad[pos(rng)] ^= static_cast<char>(1 << (i % 8));
    AnsiString out = OwnInflate(bad);  // no throw, no crash; bounded by the window logic
    EXPECT_LE(out.size(), 50000u * 258);
  }
}

TEST(FlateTest, PassesAreRepeatableAndFinishEnds) {
  AnsiString packed = TvlFlateStream::Compress("abcabcabc", 6);
  TvlFlateStream s(new TvlMemoryStream(packed), true);
  EXPECT_EQ(s.ReadByte(), 'a');  // reading without Reset starts decoding
  s.Finish();
  EXPECT_EQ(s.ReadByte(), -1);
  s.Reset();
  AnsiString all;
  s.ReadString(all, 100);
  EXPECT_EQ(all, "abcabcabc");
  EXPECT_EQ(s.GetKind(), skFlate);
  EXPECT_EQ(s.GetSize(), 0);
}

}  // namespace
