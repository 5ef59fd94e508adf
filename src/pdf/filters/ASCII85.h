// ASCII85Decode: base-85 groups of five characters, "z" for four zeros, "~" ends.
#pragma once

#include "pdf/filters/FilterStream.h"

class TvlASCII85Stream : public TvlFilterStream {
public:
  using TvlFilterStream::TvlFilterStream;
  TvlStreamKind GetKind() const override { return skASCII85; }

protected:
  size_t Decode(uint8_t* Out, size_t Capacity) override;
  void ResetDecoder() override { FDone = false; }

private:
  bool FDone = false;
};
