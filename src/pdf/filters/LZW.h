// LZWDecode: variable-width codes (9 to 12 bits, MSB first), both EarlyChange values.
#pragma once

#include <cstdint>
#include <memory>

#include "pdf/filters/FilterStream.h"

class TvlLZWStream : public TvlFilterStream {
public:
  TvlLZWStream(TvlStream* Source, bool OwnsSource, int EarlyChange = 1);
  ~TvlLZWStream() override;
  TvlStreamKind GetKind() const override { return skLZW; }
  int ReadRawByte() override { return ReadByte(); }

protected:
  size_t Decode(uint8_t* Out, size_t Capacity) override;
  void ResetDecoder() override;
  void ReleaseDecoder() override;

private:
  struct State;
  void Clear();
  int ReadCode();
  // Decodes the next sequence into the sequence buffer; false at the end.
  bool NextSequence();

  int FEarlyChange;
  std::unique_ptr<State> FState;
};
