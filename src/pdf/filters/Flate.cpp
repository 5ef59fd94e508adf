#include "pdf/filters/Flate.h"

#include <zlib.h>

#include <cstring>

#include "pdf/core/PDModelException.h"

namespace {

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                    33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                          11, 4,  12, 3, 13, 2, 14, 1, 15};

// History a distance may reach back into, and the output produced between
// two slides of the window.
constexpr size_t kHistory = 32768;
constexpr size_t kOutputArea = 65536;
constexpr size_t kWindowSize = kHistory + kOutputArea;
constexpr size_t kMaxMatch = 258;

uint32_t Reverse(uint32_t v, int bits) {
  uint32_t r = 0;
  for (int i = 0; i < bits; ++i) {
    r = (r << 1) | (v & 1);
    v >>= 1;
  }
  return r;
}

}  // namespace

bool TvlHuffman::Build(const uint8_t* Lengths, int Count) {
  int counts[17] = {};
  uint32_t nextCode[17];
  std::memset(Fast, 0, sizeof Fast);
  for (int i = 0; i < Count; ++i) ++counts[Lengths[i]];
  counts[0] = 0;
  uint32_t code = 0;
  int k = 0;
  for (int len = 1; len < 16; ++len) {
    nextCode[len] = code;
    FirstCode[len] = static_cast<uint16_t>(code);
    FirstSymbol[len] = static_cast<uint16_t>(k);
    code += counts[len];
    if (counts[len] && code - 1 >= (1u << len)) return false;  // over-subscribed
    MaxCode[len] = code << (16 - len);
    code <<= 1;
    k += counts[len];
  }
  MaxCode[16] = 0x10000;
  MaxCode[17] = 0x10000;
  for (int sym = 0; sym < Count; ++sym) {
    int len = Lengths[sym];
    if (!len) continue;
    int slot = static_cast<int>(nextCode[len] - FirstCode[len] + FirstSymbol[len]);
    Size[slot] = static_cast<uint8_t>(len);
    Value[slot] = static_cast<uint16_t>(sym);
    if (len <= kFastBits) {
      for (uint32_t j = Reverse(nextCode[len], len); j < (1u << kFastBits); j += 1u << len)
        Fast[j] = static_cast<uint16_t>((len << 9) | sym);
    }
    ++nextCode[len];
  }
  return true;
}

struct TvlFlateStream::State {
  uint8_t Window[kWindowSize];
  size_t WritePos = 0;    // next output byte in Window
  size_t HistoryLen = 0;  // bytes a distance may reach (at most kHistory)
  uint64_t Bits = 0;
  int BitCount = 0;
  bool InputEnded = false;
  bool InBlock = false;
  bool LastBlock = false;
  bool DataEnded = false;
  bool Stored = false;
  uint32_t StoredLeft = 0;
  TvlHuffman Lit;
  TvlHuffman Dist;
};

TvlFlateStream::TvlFlateStream(TvlStream* Source, bool OwnsSource)
    : TvlFilterStream(Source, OwnsSource) {}

TvlFlateStream::~TvlFlateStream() = default;

void TvlFlateStream::ReleaseDecoder() { FState.reset(); }

void TvlFlateStream::ResetDecoder() {
  if (!FState) FState = std::make_unique<State>();
  State& s = *FState;
  s.WritePos = 0;
  s.HistoryLen = 0;
  s.Bits = 0;
  s.BitCount = 0;
  s.InputEnded = false;
  s.InBlock = false;
  s.LastBlock = false;
  s.Stored = false;
  s.StoredLeft = 0;
  s.DataEnded = true;
  int cmf = FSource->ReadByte();
  int flg = FSource->ReadByte();
  // Only a zlib header with the deflate method, a valid check value and no
  // preset dictionary starts decoding; the window bits are not checked.
  if (cmf < 0 || flg < 0 || (cmf & 0x0F) != 8 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20))
    return;
  s.DataEnded = false;
}

namespace {

// Bit reader over the decoder's source; bits are taken LSB first.
struct BitReader {
  TvlStream& Src;
  uint64_t& Bits;
  int& Count;
  bool& Ended;
  void Fill() {
    while (Count <= 56) {
      int c = Src.ReadByte();
      if (c < 0) {
        Ended = true;
        return;
      }
      Bits |= static_cast<uint64_t>(c) << Count;
      Count += 8;
    }
  }
  // -1 when fewer than N bits remain.
  int Take(int N) {
    if (Count < N) {
      if (!Ended) Fill();
      if (Count < N) return -1;
    }
    int v = static_cast<int>(Bits & ((1ull << N) - 1));
    Bits >>= N;
    Count -= N;
    return v;
  }
  int Decode(const TvlHuffman& H) {
    if (Count < 16 && !Ended) Fill();
    uint32_t fast = H.Fast[Bits & ((1u << TvlHuffman::kFastBits) - 1)];
    if (fast) {
      int len = fast >> 9;
      if (len > Count) return -1;
      Bits >>= len;
      Count -= len;
      return fast & 511;
    }
    uint32_t k = Reverse(static_cast<uint32_t>(Bits & 0xFFFF), 16);
    int len = TvlHuffman::kFastBits + 1;
    while (k >= H.MaxCode[len]) ++len;
    if (len >= 16 || len > Count) return -1;
    int slot = static_cast<int>((k >> (16 - len)) - H.FirstCode[len] + H.FirstSymbol[len]);
    if (slot < 0 || slot >= 288 || H.Size[slot] != len) return -1;
    Bits >>= len;
    Count -= len;
    return H.Value[slot];
  }
};

// The fixed codes of block type 1, built once.
struct FixedTables {
  TvlHuffman Lit;
  TvlHuffman Dist;
  FixedTables() {
    uint8_t lens[288];
    std::memset(lens, 8, 144);
    std::memset(lens + 144, 9, 112);
    std::memset(lens + 256, 7, 24);
    std::memset(lens + 280, 8, 8);
    Lit.Build(lens, 288);
    std::memset(lens, 5, 30);
    Dist.Build(lens, 30);
  }
};

}  // namespace

bool TvlFlateStream::ReadDynamicTables() {
  State& s = *FState;
  BitReader br{*FSource, s.Bits, s.BitCount, s.InputEnded};
  int hlit = br.Take(5), hdist = br.Take(5), hclen = br.Take(4);
  if (hlit < 0 || hdist < 0 || hclen < 0) return false;
  hlit += 257;
  hdist += 1;
  hclen += 4;
  if (hlit > 286 || hdist > 30) return false;
  uint8_t clens[19] = {};
  for (int i = 0; i < hclen; ++i) {
    int v = br.Take(3);
    if (v < 0) return false;
    clens[kCodeLengthOrder[i]] = static_cast<uint8_t>(v);
  }
  TvlHuffman cl;
  if (!cl.Build(clens, 19)) return false;
  uint8_t lens[286 + 30] = {};
  int n = 0;
  while (n < hlit + hdist) {
    int sym = br.Decode(cl);
    if (sym < 0) return false;
    if (sym < 16) {
      lens[n++] = static_cast<uint8_t>(sym);
      continue;
    }
    int repeat;
    uint8_t value = 0;
    if (sym == 16) {
      if (n == 0) return false;
      value = lens[n - 1];
      repeat = br.Take(2);
      if (repeat < 0) return false;
      repeat += 3;
    } else if (sym == 17) {
      repeat = br.Take(3);
      if (repeat < 0) return false;
      repeat += 3;
    } else {
      repeat = br.Take(7);
      if (repeat < 0) return false;
      repeat += 11;
    }
    if (n + repeat > hlit + hdist) return false;
    std::memset(lens + n, value, static_cast<size_t>(repeat));
    n += repeat;
  }
  return s.Lit.Build(lens, hlit) && s.Dist.Build(lens + hlit, hdist);
}

bool TvlFlateStream::StartBlock() {
  State& s = *FState;
  BitReader br{*FSource, s.Bits, s.BitCount, s.InputEnded};
  int header = br.Take(3);
  if (header < 0) return false;
  s.LastBlock = header & 1;
  int type = header >> 1;
  if (type == 0) {
    // Stored: drop to a byte boundary; LEN then NLEN (not checked).
    br.Take(s.BitCount & 7);
    int lo = br.Take(8), hi = br.Take(8);
    if (lo < 0 || hi < 0 || br.Take(16) < 0) return false;
    s.Stored = true;
    s.StoredLeft = static_cast<uint32_t>(lo | (hi << 8));
  } else if (type == 1) {
    static const FixedTables kFixed;
    s.Stored = false;
    s.Lit = kFixed.Lit;
    s.Dist = kFixed.Dist;
  } else if (type == 2) {
    s.Stored = false;
    if (!ReadDynamicTables()) return false;
  } else {
    return false;
  }
  s.InBlock = true;
  return true;
}

void TvlFlateStream::Inflate() {
  State& s = *FState;
  uint8_t* win = s.Window;
  size_t pos = s.WritePos;
  const size_t limit = kWindowSize - kMaxMatch;
  BitReader br{*FSource, s.Bits, s.BitCount, s.InputEnded};
  while (pos < limit && !s.DataEnded) {
    if (!s.InBlock) {
      if (s.LastBlock || !StartBlock()) {
        s.DataEnded = true;
        break;
      }
    }
    if (s.Stored) {
      // Whole bytes left in the bit buffer come first, then the source.
      while (s.StoredLeft && pos < limit && s.BitCount >= 8) {
        win[pos++] = static_cast<uint8_t>(s.Bits);
        s.Bits >>= 8;
        s.BitCount -= 8;
        --s.StoredLeft;
      }
      if (s.StoredLeft && pos < limit) {
        size_t want = std::min<size_t>(s.StoredLeft, limit - pos);
        size_t got = FSource->ReadBuffer(win + pos, want);
        pos += got;
        s.StoredLeft -= static_cast<uint32_t>(got);
        if (got < want) {
          s.DataEnded = true;
          break;
        }
      }
      if (!s.StoredLeft) s.InBlock = false;
      continue;
    }
    while (pos < limit) {
      int sym = br.Decode(s.Lit);
      if (sym < 0) {
        s.DataEnded = true;
        break;
      }
      if (sym < 256) {
        win[pos++] = static_cast<uint8_t>(sym);
        continue;
      }
      if (sym == 256) {
        s.InBlock = false;
        break;
      }
      sym -= 257;
      if (sym >= 29) {
        s.DataEnded = true;
        break;
      }
      int extra = br.Take(kLengthExtra[sym]);
      int dsym = extra < 0 ? -1 : br.Decode(s.Dist);
      if (dsym < 0 || dsym >= 30) {
        s.DataEnded = true;
        break;
      }
      int dextra = br.Take(kDistExtra[dsym]);
      if (dextra < 0) {
        s.DataEnded = true;
        break;
      }
      size_t len = kLengthBase[sym] + static_cast<size_t>(extra);
      size_t dist = kDistBase[dsym] + static_cast<size_t>(dextra);
      size_t available = s.HistoryLen + (pos - s.WritePos);
      if (dist > available || dist > pos) {  // reaches before the data began
        s.DataEnded = true;
        break;
      }
      const uint8_t* from = win + pos - dist;
      uint8_t* to = win + pos;
      if (dist >= len) {
        std::memcpy(to, from, len);
      } else {
        for (size_t i = 0; i < len; ++i) to[i] = from[i];  // overlapping copies repeat
      }
      pos += len;
    }
  }
  size_t produced = pos - s.WritePos;
  s.HistoryLen = std::min(kHistory, s.HistoryLen + produced);
  s.WritePos = pos;
}

bool TvlFlateStream::Refill() {
  EnsureStarted();
  if (FEnded || !FState) return false;
  State& s = *FState;
  if (s.WritePos > kWindowSize - kMaxMatch - 1) {
    // Slide: keep the last kHistory bytes as history.
    std::memmove(s.Window, s.Window + s.WritePos - kHistory, kHistory);
    s.WritePos = kHistory;
  }
  size_t start = s.WritePos;
  while (s.WritePos == start && !s.DataEnded) Inflate();
  if (s.WritePos == start) {
    FEnded = true;
    ClearBuffer();
    return false;
  }
  FCur = s.Window + start;
  FEnd = s.Window + s.WritePos;
  return true;
}

AnsiString TvlFlateStream::Compress(std::string_view Data, int Level) {
  uLongf len = compressBound(static_cast<uLong>(Data.size()));
  AnsiString out(len, '\0');
  int rc = compress2(reinterpret_cast<Bytef*>(out.data()), &len,
                     reinterpret_cast<const Bytef*>(Data.data()), static_cast<uLong>(Data.size()),
                     Level);
  if (rc != Z_OK) throw ExCompressionError(zError(rc));
  out.resize(len);
  return out;
}

size_t TvlFlateStream::WriteString(std::string_view S) {
  if (!FSource) throw ExInvalidStream();
  return FSource->WriteString(Compress(S));
}

size_t TvlFlateStream::EncodeTo(TvlStream& Dest, size_t Count) {
  if (!FSource) throw ExInvalidStream();
  AnsiString data;
  FSource->ReadString(data, Count);
  AnsiString packed = Compress(data);
  Dest.WriteString(packed);
  return packed.size();
}
