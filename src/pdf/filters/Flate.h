// FlateDecode: the system's own zlib-format (RFC 1950/1951) decoder, and
// the zlib-backed encoder.
#pragma once

#include <cstdint>
#include <memory>

#include "pdf/filters/FilterStream.h"

// Canonical Huffman code: a direct table for short codes, a per-length
// search for the rest.
struct TvlHuffman {
  static constexpr int kFastBits = 10;
  uint16_t Fast[1 << kFastBits];  // (length << 9) | symbol, 0 = not a short code
  uint16_t FirstCode[17];
  uint16_t FirstSymbol[17];
  uint32_t MaxCode[18];
  uint8_t Size[288];
  uint16_t Value[288];
  // False when the lengths over-subscribe the code space.
  bool Build(const uint8_t* Lengths, int Count);
};

class TvlFlateStream : public TvlFilterStream {
public:
  TvlFlateStream(TvlStream* Source, bool OwnsSource);
  ~TvlFlateStream() override;
  TvlStreamKind GetKind() const override { return skFlate; }
  int ReadRawByte() override { return ReadByte(); }
  // Compresses S (zlib, level 1) and writes it to the source.
  size_t WriteString(std::string_view S) override;
  // Compresses up to Count bytes of the source into Dest; returns the
  // compressed size.
  size_t EncodeTo(TvlStream& Dest, size_t Count) override;

  // zlib compression at Level; raises ExCompressionError.
  static AnsiString Compress(std::string_view Data, int Level = 1);

protected:
  bool Refill() override;
  void ResetDecoder() override;
  void ReleaseDecoder() override;

private:
  struct State;
  bool StartBlock();
  bool ReadDynamicTables();
  // Decodes until the window's output area is full or the data ends.
  void Inflate();

  std::unique_ptr<State> FState;
};
