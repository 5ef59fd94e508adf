// ASCIIHexDecode: pairs of hex digits, white space skipped, ">" ends; and
// its encoder.
#pragma once

#include "pdf/filters/FilterStream.h"

class TvlASCIIHexStream : public TvlFilterStream {
public:
  using TvlFilterStream::TvlFilterStream;
  TvlStreamKind GetKind() const override { return skASCIIHex; }
  // Two upper-case digits per byte, a CR after every 64 bytes, then ">";
  // written to the source.
  size_t WriteString(std::string_view S) override;
  size_t EncodeTo(TvlStream& Dest, size_t Count) override;
  static AnsiString Encode(std::string_view Data);

protected:
  size_t Decode(uint8_t* Out, size_t Capacity) override;
  void ResetDecoder() override { FDone = false; }

private:
  bool FDone = false;
};
