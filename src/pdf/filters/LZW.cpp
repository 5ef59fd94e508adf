#include "pdf/filters/LZW.h"

#include <cstring>

namespace {
// Codes are at most 12 bits wide, so the table and any sequence are bounded.
constexpr int kTableSize = 4096;
}  // namespace

struct TvlLZWStream::State {
  struct Entry {
    uint16_t Length;
    uint16_t Prefix;
    uint8_t Last;
  };
  Entry Table[kTableSize];
  uint8_t Seq[kTableSize];
  int SeqLen = 0;
  int SeqPos = 0;
  uint32_t Bits = 0;
  int BitCount = 0;
  int NextCode = 258;
  int CodeWidth = 9;
  int PrevCode = -1;
  bool First = true;
  bool Ended = false;
};

TvlLZWStream::TvlLZWStream(TvlStream* Source, bool OwnsSource, int EarlyChange)
    : TvlFilterStream(Source, OwnsSource), FEarlyChange(EarlyChange) {}

TvlLZWStream::~TvlLZWStream() = default;

void TvlLZWStream::ReleaseDecoder() { FState.reset(); }

void TvlLZWStream::ResetDecoder() {
  if (!FState) FState = std::make_unique<State>();
  State& s = *FState;
  for (int i = 0; i < 256; ++i) s.Table[i] = {1, 0, static_cast<uint8_t>(i)};
  s.Bits = 0;
  s.BitCount = 0;
  s.Ended = false;
  s.PrevCode = -1;
  Clear();
}

void TvlLZWStream::Clear() {
  State& s = *FState;
  s.NextCode = 258;
  s.CodeWidth = 9;
  s.SeqLen = 0;
  s.SeqPos = 0;
  s.First = true;
}

int TvlLZWStream::ReadCode() {
  State& s = *FState;
  while (s.BitCount < s.CodeWidth) {
    int c = FSource->ReadByte();
    if (c < 0) return -1;
    s.Bits = (s.Bits << 8) | static_cast<uint32_t>(c);
    s.BitCount += 8;
  }
  s.BitCount -= s.CodeWidth;
  return static_cast<int>((s.Bits >> s.BitCount) & ((1u << s.CodeWidth) - 1));
}

bool TvlLZWStream::NextSequence() {
  State& s = *FState;
  int code;
  for (;;) {
    code = ReadCode();
    if (code != 256) break;
    Clear();
  }
  if (code < 0 || code == 257) return false;
  if (code < 256) {
    s.Seq[0] = static_cast<uint8_t>(code);
    s.SeqLen = 1;
  } else if (code < s.NextCode) {
    int len = s.Table[code].Length;
    int c = code;
    for (int i = len - 1; i >= 0; --i) {
      s.Seq[i] = s.Table[c].Last;
      c = s.Table[c].Prefix;
    }
    s.SeqLen = len;
  } else if (code == s.NextCode && !s.First && s.SeqLen > 0 && s.SeqLen < kTableSize) {
    // The code being defined: the previous sequence plus its first byte.
    s.Seq[s.SeqLen] = s.Seq[0];
    ++s.SeqLen;
  } else {
    return false;
  }
  if (!s.First && s.NextCode < kTableSize) {
    State::Entry& e = s.Table[s.NextCode];
    e.Length = static_cast<uint16_t>(s.Table[s.PrevCode].Length + 1);
    e.Prefix = static_cast<uint16_t>(s.PrevCode);
    e.Last = s.Seq[0];
    ++s.NextCode;
    int next = s.NextCode + FEarlyChange;
    s.CodeWidth = next >= 2048 ? 12 : next >= 1024 ? 11 : next >= 512 ? 10 : 9;
  }
  // A full table without a clear code keeps decoding with the entries it has.
  s.First = false;
  s.PrevCode = code;
  s.SeqPos = 0;
  return true;
}

size_t TvlLZWStream::Decode(uint8_t* Out, size_t Capacity) {
  if (!FState || FState->Ended) return 0;
  State& s = *FState;
  size_t done = 0;
  while (done < Capacity) {
    if (s.SeqPos >= s.SeqLen) {
      if (!NextSequence()) {
        s.Ended = true;
        break;
      }
    }
    size_t n = std::min<size_t>(Capacity - done, static_cast<size_t>(s.SeqLen - s.SeqPos));
    std::memcpy(Out + done, s.Seq + s.SeqPos, n);
    s.SeqPos += static_cast<int>(n);
    done += n;
  }
  return done;
}
