// Decoding chains built from dictionary text, and the simple decoders.
#include "pdf/filters/PDFilterManager.h"

#include <gtest/gtest.h>

#include "pdf/core/PDModelException.h"
#include "pdf/core/PDParser.h"
#include "pdf/filters/ASCIIHex.h"
#include "pdf/filters/Flate.h"
#include "pdf/filters/MemoryStream.h"

namespace {

std::unique_ptr<TvlPDDictionary> Dict(const std::string& Text) {
  TvlPDParser p(nullptr, false,
                std::make_unique<TvlPDLexer>(new TvlMemoryStream(Text), true));
  auto o = p.ParseObject();
  return std::unique_ptr<TvlPDDictionary>(static_cast<TvlPDDictionary*>(o.release()));
}

std::string Decode(const std::string& DictText, const std::string& Data) {
  auto s = TvlPDFilterManager::CreateDecodedStream(Dict(DictText),
                                                   std::make_unique<TvlMemoryStream>(Data));
  if (!s) return "<null>";
  return s->ReadAll();
}

// PNG rows: tag byte + data, each row filtered against the one above.
std::string PngEncode(const std::vector<std::string>& Rows, const std::vector<int>& Tags, int Bpp) {
  std::string out, prev(Rows[0].size(), '\0');
  for (size_t r = 0; r < Rows.size(); ++r) {
    const std::string& row = Rows[r];
    out += static_cast<char>(Tags[r]);
    for (size_t i = 0; i < row.size(); ++i) {
      int x = static_cast<uint8_t>(row[i]);
      int a = i >= static_cast<size_t>(Bpp) ? static_cast<uint8_t>(row[i - Bpp]) : 0;
      int b = static_cast<uint8_t>(prev[i]);
      int c = i >= static_cast<size_t>(Bpp) ? static_cast<uint8_t>(prev[i - Bpp]) : 0;
      int pred = 0;
      switch (Tags[r]) {
        case 1: pred = a; break;
        case 2: pred = b; break;
        case 3: pred = (a + b) / 2; break;
        case 4: {
          int p = a + b - c, pa = abs(p - a), pb = abs(p - b), pc = abs(p - c);
          pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
          break;
        }
      }
      out += static_cast<char>(x - pred);
    }
    prev = row;
  }
  return out;
}

// LZW codes packed MSB first with the widths an encoder with EarlyChange uses.
std::string LzwPack(const std::vector<int>& Codes, int EarlyChange) {
  std::string out;
  uint32_t bits = 0;
  int count = 0, next = 258, width = 9;
  bool first = true;
  for (int code : Codes) {
    bits = (bits << width) | static_cast<uint32_t>(code);
    count += width;
    while (count >= 8) {
      out += static_cast<char>(bits >> (count - 8));
      count -= 8;
    }
    if (code == 256) {
      next = 258;
      width = 9;
      first = true;
      continue;
    }
    if (!first) ++next;
    first = false;
    int n = next + EarlyChange;
    width = n >= 2048 ? 12 : n >= 1024 ? 11 : n >= 512 ? 10 : 9;
  }
  if (count) out += static_cast<char>(bits << (8 - count));
  return out;
}

TEST(PDFilterManagerTest, DecoderTable) {
  std::string rows[] = {"ABCDE", "BCDEF", "AAAAA", "ZYXWV"};
  std::string png = PngEncode({rows[0], rows[1], rows[2], rows[3]}, {0, 1, 2, 4}, 1);
  std::string pngRows = rows[0] + rows[1] + rows[2] + rows[3];
  // TIFF 2, 8-bit RGB: each byte is the difference to the byte three back.
  std::string tiffPlain = "\x10\x20\x30\x11\x22\x33";
  std::string tiffCoded = "\x10\x20\x30\x01\x02\x03";
  // "ABABABA" in LZW: A B 258(AB) 260(ABA) then end.
  std::vector<int> lzw = {256, 'A', 'B', 258, 260, 257};
  struct Case {
    const char* Note;
    std::string DictText;
    std::string Data;
    std::string Want;
  } cases[] = {
      {"no filter", "<< >>", "raw", "raw"},
      {"ASCIIHex", "<< /Filter /ASCIIHexDecode >>", "48656C6C6F>", "Hello"},
      {"ASCIIHex odd digit", "<< /Filter /AHx >>", "4>", "\x40"},
      {"ASCIIHex without end", "<< /Filter /AHx >>", "41 42", std::string("AB\0", 3)},
      {"ASCII85", "<< /Filter /ASCII85Decode >>", "87cURD]i,\"Ebo80~>", "Hello World!"},
      {"ASCII85 z and short group", "<< /Filter /A85 >>", "z5u~>", std::string("\0\0\0\0A", 5)},
      {"ASCII85 z inside a group is a digit", "<< /Filter /A85 >>", "!z~>", "\x03"},
      {"RunLength", "<< /Filter /RunLengthDecode >>", "\xFE" "A\x02xyz\x80zzz", "AAAxyz"},
      {"RunLength cut short", "<< /Filter /RL >>", "\x03" "ab", "ab\xFF\xFF"},
      {"LZW EarlyChange 1", "<< /Filter /LZWDecode >>", LzwPack(lzw, 1), "ABABABA"},
      {"LZW EarlyChange 0", "<< /Filter /LZW /DecodeParms << /EarlyChange 0 >> >>",
       LzwPack(lzw, 0), "ABABABA"},
      {"LZW code past next code ends", "<< /Filter /LZW >>", LzwPack({'A', 300, 'B'}, 1), "A"},
      {"PNG predictor, mixed tags", "<< /Filter /FlateDecode /DecodeParms << /Predictor 15 /Columns 5 >> >>",
       TvlFlateStream::Compress(png), pngRows},
      {"incomplete last row dropped", "<< /Filter /Fl /DecodeParms << /Predictor 12 /Columns 5 >> >>",
       TvlFlateStream::Compress(png.substr(0, png.size() - 2)), rows[0] + rows[1] + rows[2]},
      {"TIFF predictor RGB", "<< /Filter /Fl /DecodeParms << /Predictor 2 /Colors 3 /Columns 2 >> >>",
       TvlFlateStream::Compress(tiffCoded), tiffPlain},
      {"TIFF predictor 1 bit", "<< /Filter /Fl /DecodeParms << /Predictor 2 /Columns 8 /BitsPerComponent 1 >> >>",
       TvlFlateStream::Compress("\xC0"), "\x80"},
      {"TIFF predictor 4 bit", "<< /Filter /Fl /DecodeParms << /Predictor 2 /Columns 4 /BitsPerComponent 4 >> >>",
       TvlFlateStream::Compress("\x11\x11"), "\x12\x34"},
      {"invalid predictor dropped", "<< /Filter /Fl /DecodeParms << /Predictor 12 /Columns 0 >> >>",
       TvlFlateStream::Compress("\x02" "ab"), "\x02" "ab"},
      {"predictor on the Flate stage only",
       "<< /Filter [/AHx /Fl] /DecodeParms [null << /Predictor 12 /Columns 5 >>] >>",
       TvlASCIIHexStream::Encode(TvlFlateStream::Compress(png)), pngRows},
      {"empty first parameter dictionary: defaults for all",
       "<< /Filter [/AHx /Fl] /DecodeParms [<< >> << /Predictor 12 /Columns 5 >>] >>",
       TvlASCIIHexStream::Encode(TvlFlateStream::Compress(png)), png},
      {"name filter with parameter array: defaults",
       "<< /Filter /Fl /DecodeParms [<< /Predictor 12 /Columns 5 >>] >>",
       TvlFlateStream::Compress(png), png},
      {"inline abbreviations", "<< /F /AHx >>", "414243>", "ABC"},
      {"unknown filter passes through ReadByte only", "<< /Filter /Crypt >>", "xyz", ""},
      {"non-name in filter array", "<< /Filter [/AHx 5] >>", "4142>", ""},
      {"filter of the wrong kind", "<< /Filter 5 >>", "data", "<null>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Decode(c.DictText, c.Data), c.Want) << c.Note;
}

TEST(PDFilterManagerTest, UnknownFiltersGiveRawBytesByteByByte) {
  auto s = TvlPDFilterManager::CreateDecodedStream(Dict("<< /Filter /DCTDecode >>"),
                                                   std::make_unique<TvlMemoryStream>("ab"));
  TvlStream* d = s->Data();
  d->Reset();
  EXPECT_EQ(d->PeekByte(), -1);
  EXPECT_EQ(d->ReadByte(), 'a');
  EXPECT_EQ(d->ReadByte(), 'b');
  EXPECT_EQ(d->ReadByte(), -1);
  EXPECT_EQ(d->GetKind(), skEOF);
}

TEST(PDFilterManagerTest, KindsAndErrors) {
  struct Case {
    const char* Filter;
    TvlStreamKind Kind;
  } cases[] = {{"/Fl", skFlate}, {"/LZW", skLZW}, {"/AHx", skASCIIHex}, {"/A85", skASCII85},
               {"/RL", skRunLength}, {"/JBIG2Decode", skEOF},
               {"/Fl /DecodeParms << /Predictor 12 >>", skFlate}};
  for (const auto& c : cases) {
    auto s = TvlPDFilterManager::CreateDecodedStream(Dict(std::string("<< /Filter ") + c.Filter + " >>"),
                                                     std::make_unique<TvlMemoryStream>(""));
    EXPECT_EQ(s->Data()->GetKind(), c.Kind) << c.Filter;
  }
  EXPECT_THROW(TvlPDFilterManager::CreateDecodedStream(nullptr, std::make_unique<TvlMemoryStream>("")),
               ExInvalidObject);
  EXPECT_THROW(TvlPDFilterManager::CreateDecodedStream(Dict("<< >>"), nullptr), ExInvalidStream);
}

TEST(PDFilterManagerTest, InlineDataReadsFromWhereTheContentStands) {
  TvlMemoryStream content("BI ID 4142> EI");
  content.Seek(6, 0);
  auto d = TvlPDFilterManager::CreateDecodedData(*Dict("<< /F /AHx >>"), &content, false);
  d->Reset();  // a source that is not owned is not rewound
  AnsiString s;
  d->ReadString(s, 10);
  EXPECT_EQ(s, "AB");
  auto raw = TvlPDFilterManager::CreateDecodedData(*Dict("<< >>"), &content, false);
  EXPECT_EQ(raw->ReadByte(), ' ');
}

TEST(PDFilterManagerTest, Encoders) {
  EXPECT_EQ(TvlASCIIHexStream::Encode("\x01\xAB"), "01AB>");
  std::string sixtyFive(65, 'A');
  std::string hex = TvlASCIIHexStream::Encode(sixtyFive);
  EXPECT_EQ(hex.substr(128, 1), "\r");
  EXPECT_EQ(hex.size(), 65u * 2 + 2);
  TvlMemoryStream target("");
  TvlFlateStream enc(&target, false);
  enc.WriteString("packed text packed text");
  target.Reset();
  TvlFlateStream dec(&target, false);
  dec.Reset();
  AnsiString back;
  dec.ReadString(back, 100);
  EXPECT_EQ(back, "packed text packed text");
}

}  // namespace
