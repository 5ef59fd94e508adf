// Pass-through for filters the system does not decode: ReadByte gives the
// undecoded bytes, PeekByte and ReadBuffer give nothing.
#pragma once

#include "pdf/filters/FilterStream.h"

class TvlEOFStream : public TvlFilterStream {
public:
  using TvlFilterStream::TvlFilterStream;
  TvlStreamKind GetKind() const override { return skEOF; }
  size_t ReadBuffer(void*, size_t) override { return 0; }

protected:
  // Nothing is ever buffered, so every read comes here.
  bool Refill() override { return false; }
  int ReadByteSlow() override {
    EnsureStarted();
    return FEnded ? -1 : FSource->ReadByte();
  }
  int PeekByteSlow() override { return -1; }
};
