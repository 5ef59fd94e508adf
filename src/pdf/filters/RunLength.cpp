#include "pdf/filters/RunLength.h"

#include <cstring>

size_t TvlRunLengthStream::Decode(uint8_t* Out, size_t Capacity) {
  size_t done = 0;
  // A run is at most 128 bytes.
  while (!FDone && done + 128 <= Capacity) {
    int len = FSource->ReadByte();
    if (len < 0 || len == 128) {
      FDone = true;
      break;
    }
    if (len < 128) {
      size_t n = static_cast<size_t>(len) + 1;
      size_t got = FSource->ReadBuffer(Out + done, n);
      // Bytes missing at the end of the input come out as 255.
      if (got < n) std::memset(Out + done + got, 0xFF, n - got);
      done += n;
    } else {
      int b = FSource->ReadByte();
      size_t n = static_cast<size_t>(257 - len);
      std::memset(Out + done, b < 0 ? 0xFF : b, n);
      done += n;
    }
  }
  return done;
}
