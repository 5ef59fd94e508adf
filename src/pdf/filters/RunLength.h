// RunLengthDecode: length byte L, then L+1 literal bytes (L < 128) or one
// byte repeated 257-L times (L > 128); 128 ends.
#pragma once

#include "pdf/filters/FilterStream.h"

class TvlRunLengthStream : public TvlFilterStream {
public:
  using TvlFilterStream::TvlFilterStream;
  TvlStreamKind GetKind() const override { return skRunLength; }

protected:
  size_t Decode(uint8_t* Out, size_t Capacity) override;
  void ResetDecoder() override { FDone = false; }

private:
  bool FDone = false;
};
