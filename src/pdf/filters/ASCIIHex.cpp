#include "pdf/filters/ASCIIHex.h"

#include "pdf/core/PDModelException.h"

namespace {

bool IsHexSpace(int c) { return c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32; }

int Nibble(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;  // not a digit: counts as 0
}

}  // namespace

size_t TvlASCIIHexStream::Decode(uint8_t* Out, size_t Capacity) {
  size_t done = 0;
  while (!FDone && done < Capacity) {
    int c1;
    do c1 = FSource->ReadByte();
    while (IsHexSpace(c1));
    if (c1 == '>') {
      FDone = true;
      break;
    }
    if (c1 < 0) FDone = true;  // still yields the final 0 byte below
    int c2 = -1;
    if (!FDone) {
      do c2 = FSource->ReadByte();
      while (IsHexSpace(c2));
    }
    if (c2 == '>') FDone = true;  // odd digit count: the last digit pads with 0
    if (c2 < 0 && !FDone) FDone = true;
    uint8_t hi = static_cast<uint8_t>(c1 < 0 ? 0 : Nibble(c1));
    uint8_t lo = static_cast<uint8_t>(c2 < 0 || c2 == '>' ? 0 : Nibble(c2));
    if (c2 < 0 && c1 >= 0 && c1 != '>') hi = 0;  // end of input makes the byte 0
    Out[done++] = static_cast<uint8_t>(hi << 4 | lo);
  }
  return done;
}

AnsiString TvlASCIIHexStream::Encode(std::string_view Data) {
  static const char kHex[] = "0123456789ABCDEF";
  AnsiString out;
  out.reserve(Data.size() * 2 + Data.size() / 64 + 1);
  for (size_t i = 0; i < Data.size(); ++i) {
    auto b = static_cast<unsigned char>(Data[i]);
    out += kHex[b >> 4];
    out += kHex[b & 15];
    if ((i + 1) % 64 == 0) out += '\r';
  }
  out += '>';
  return out;
}

size_t TvlASCIIHexStream::WriteString(std::string_view S) {
  if (!FSource) throw ExInvalidStream();
  return FSource->WriteString(Encode(S));
}

size_t TvlASCIIHexStream::EncodeTo(TvlStream& Dest, size_t Count) {
  if (!FSource) throw ExInvalidStream();
  AnsiString data;
  FSource->ReadString(data, Count);
  return Dest.WriteString(Encode(data));
}
