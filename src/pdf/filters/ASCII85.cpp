#include "pdf/filters/ASCII85.h"

namespace {
bool IsA85Space(int c) { return c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32; }
}  // namespace

size_t TvlASCII85Stream::Decode(uint8_t* Out, size_t Capacity) {
  size_t done = 0;
  // Each group gives at most four bytes.
  while (!FDone && done + 4 <= Capacity) {
    int c;
    do c = FSource->ReadByte();
    while (IsA85Space(c));
    if (c < 0 || c == '~') {
      FDone = true;
      break;
    }
    if (c == 'z') {
      for (int i = 0; i < 4; ++i) Out[done++] = 0;
      continue;
    }
    int chars[5];
    chars[0] = c;
    int n = 1;
    while (n < 5) {
      do c = FSource->ReadByte();
      while (IsA85Space(c));
      if (c < 0 || c == '~') break;
      chars[n++] = c;
    }
    if (n < 5) {
      // A short final group: missing places count as "u".
      FDone = true;
      for (int i = n; i < 5; ++i) chars[i] = 'u';
    }
    uint32_t value = 0;
    for (int i = 0; i < 5; ++i) value = value * 85 + static_cast<uint32_t>(chars[i] - 33);
    int bytes = n - 1;
    for (int i = 0; i < bytes; ++i) Out[done++] = static_cast<uint8_t>(value >> (24 - 8 * i));
  }
  return done;
}
