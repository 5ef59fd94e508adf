// Base of the decoding streams: a source below, a block buffer above, and
// one virtual call per block.
#pragma once

#include <memory>

#include "pdf/core/BaseStream.h"

class TvlFilterStream : public TvlStream {
public:
  // Reads from Source; frees it with this stream when OwnsSource.
  TvlFilterStream(TvlStream* Source, bool OwnsSource);
  ~TvlFilterStream() override;

  int64_t GetPosition() override { return FSource ? FSource->GetPosition() : -1; }
  // Unknown before decoding.
  int64_t GetSize() override { return 0; }
  // Restarts decoding. An owned source is reset to its start too; a source
  // that is not owned (an inline image inside content) is someone else's
  // stream, already positioned where the data begins, and is left alone.
  void Reset() override;
  void Seek(int64_t, int) override {}
  TvlPlatformStream* GetSourceStream() override;
  // Ends the pass: buffers and decoder state are released; reads give -1
  // until the next Reset.
  void Finish() override;
  TvlStream* Source() const { return FSource; }

protected:
  // Default refill: Decode into the block buffer.
  bool Refill() override;
  // Decodes up to Capacity bytes into Out; 0 means the data has ended.
  virtual size_t Decode(uint8_t* Out, size_t Capacity);
  // Prepares decoding after the source was reset (read headers, clear state).
  virtual void ResetDecoder() {}
  // Drops decoder buffers at the end of a pass.
  virtual void ReleaseDecoder() {}
  // Called on the first read when the consumer did not Reset first.
  void EnsureStarted() {
    if (!FStarted) Reset();
  }

  static constexpr size_t kBlockSize = 16384;

  TvlStream* FSource;
  bool FOwnsSource;
  bool FStarted = false;
  bool FEnded = false;
  std::unique_ptr<uint8_t[]> FBlock;
};

// Forwards the bytes of a source it does not decode (data without filters
// read through a stream that is not owned).
class TvlPassThroughStream : public TvlFilterStream {
public:
  using TvlFilterStream::TvlFilterStream;
  TvlStreamKind GetKind() const override { return FSource ? FSource->GetKind() : skPlain; }

protected:
  size_t Decode(uint8_t* Out, size_t Capacity) override { return FSource->ReadBuffer(Out, Capacity); }
};
