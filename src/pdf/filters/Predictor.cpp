#include "pdf/filters/Predictor.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// Rows are read in slices of this size, so a row's memory follows its data.
constexpr size_t kRowSlice = 65536;

uint32_t GetBits(const uint8_t* Row, size_t BitPos, int Bits) {
  uint32_t v = 0;
  for (int i = 0; i < Bits; ++i, ++BitPos)
    v = (v << 1) | ((Row[BitPos >> 3] >> (7 - (BitPos & 7))) & 1);
  return v;
}

void SetBits(uint8_t* Row, size_t BitPos, int Bits, uint32_t V) {
  for (int i = Bits - 1; i >= 0; --i, ++BitPos) {
    uint8_t mask = static_cast<uint8_t>(0x80 >> (BitPos & 7));
    if ((V >> i) & 1)
      Row[BitPos >> 3] |= mask;
    else
      Row[BitPos >> 3] &= static_cast<uint8_t>(~mask);
  }
}

}  // namespace

bool TvlStreamPredictor::IsValid(int Columns, int Colors, int BitsPerComponent) {
  if (Columns <= 0 || Colors <= 0 || BitsPerComponent <= 0) return false;
  if (Colors >= INT_MAX / BitsPerComponent) return false;
  return Columns < INT_MAX / Colors / BitsPerComponent;
}

TvlStreamPredictor::TvlStreamPredictor(TvlStream* Source, bool OwnsSource, int Predictor,
                                       int Columns, int Colors, int BitsPerComponent)
    : TvlFilterStream(Source, OwnsSource),
      FPredictor(Predictor),
      FColumns(Columns),
      FColors(Colors),
      FBits(BitsPerComponent) {
  FPixelBytes = (static_cast<size_t>(FColors) * FBits + 7) / 8;
  FRowBytes = FPixelBytes + (static_cast<size_t>(FColumns) * FColors * FBits + 7) / 8;
}

void TvlStreamPredictor::ResetDecoder() {
  FRow.assign(FPixelBytes, 0);
  FPrev.assign(FPixelBytes, 0);
  FReadPos = FRow.size();
  FRowEnded = false;
}

void TvlStreamPredictor::ReleaseDecoder() {
  FRow = {};
  FPrev = {};
  FReadPos = 0;
}

bool TvlStreamPredictor::GetNextLine() {
  if (FRowEnded) return false;
  int method = FPredictor;
  if (FPredictor >= 10) {
    int tag = FSource->ReadByte();
    if (tag < 0) {
      FRowEnded = true;
      return false;
    }
    method = tag + 10;
  }
  FRow.swap(FPrev);
  // Read the raw row in slices; a row cut short by the end is not delivered.
  FRow.resize(FPixelBytes);
  while (FRow.size() < FRowBytes) {
    size_t have = FRow.size();
    size_t want = std::min(kRowSlice, FRowBytes - have);
    FRow.resize(have + want);
    size_t got = FSource->ReadBuffer(FRow.data() + have, want);
    if (got < want) {
      FRowEnded = true;
      return false;
    }
  }
  // The row above is all zeros for the first row (FPrev only has the lead-in).
  if (FPrev.size() < FRowBytes) FPrev.resize(FRowBytes, 0);
  uint8_t* row = FRow.data();
  const uint8_t* up = FPrev.data();
  const size_t pb = FPixelBytes;
  switch (method) {
    case 11:  // Sub
      for (size_t i = pb; i < FRowBytes; ++i) row[i] = static_cast<uint8_t>(row[i] + row[i - pb]);
      break;
    case 12:  // Up
      for (size_t i = pb; i < FRowBytes; ++i) row[i] = static_cast<uint8_t>(row[i] + up[i]);
      break;
    case 13:  // Average
      for (size_t i = pb; i < FRowBytes; ++i)
        row[i] = static_cast<uint8_t>(row[i] + ((row[i - pb] + up[i]) >> 1));
      break;
    case 14:  // Paeth
      for (size_t i = pb; i < FRowBytes; ++i) {
        int a = row[i - pb], b = up[i], c = up[i - pb];
        int p = a + b - c;
        int pa = std::abs(p - a), pbd = std::abs(p - b), pc = std::abs(p - c);
        int pred = (pa <= pbd && pa <= pc) ? a : (pbd <= pc ? b : c);
        row[i] = static_cast<uint8_t>(row[i] + pred);
      }
      break;
    default:
      break;
  }
  if (FPredictor == 2) UndoTiff();
  FReadPos = pb;
  return true;
}

void TvlStreamPredictor::UndoTiff() {
  uint8_t* data = FRow.data() + FPixelBytes;
  const size_t bytes = FRowBytes - FPixelBytes;
  if (FBits == 8) {
    for (size_t i = static_cast<size_t>(FColors); i < bytes; ++i)
      data[i] = static_cast<uint8_t>(data[i] + data[i - FColors]);
    return;
  }
  // Sample by sample: each adds the decoded sample one pixel to the left
  // (modulo 2^bits; for 1-bit samples that is an XOR).
  const size_t samples = static_cast<size_t>(FColumns) * FColors;
  const uint32_t mask = FBits >= 32 ? 0xFFFFFFFFu : ((1u << FBits) - 1);
  if (FBits > 32) return;
  for (size_t s = static_cast<size_t>(FColors); s < samples; ++s) {
    uint32_t left = GetBits(data, (s - FColors) * FBits, FBits);
    uint32_t cur = GetBits(data, s * FBits, FBits);
    SetBits(data, s * FBits, FBits, (cur + left) & mask);
  }
}

size_t TvlStreamPredictor::Decode(uint8_t* Out, size_t Capacity) {
  size_t done = 0;
  while (done < Capacity) {
    if (FReadPos >= FRowBytes || FReadPos >= FRow.size()) {
      if (!GetNextLine()) break;
    }
    size_t n = std::min(Capacity - done, FRowBytes - FReadPos);
    std::memcpy(Out + done, FRow.data() + FReadPos, n);
    FReadPos += n;
    done += n;
  }
  return done;
}
