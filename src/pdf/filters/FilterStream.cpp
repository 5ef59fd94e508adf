#include "pdf/filters/FilterStream.h"

#include "pdf/core/PDModelException.h"

TvlFilterStream::TvlFilterStream(TvlStream* Source, bool OwnsSource)
    : FSource(Source), FOwnsSource(OwnsSource) {}

TvlFilterStream::~TvlFilterStream() {
  if (FOwnsSource) delete FSource;
}

TvlPlatformStream* TvlFilterStream::GetSourceStream() {
  return FSource ? FSource->GetSourceStream() : nullptr;
}

void TvlFilterStream::Reset() {
  if (!FSource) throw ExInvalidStream();
  ClearBuffer();
  if (FOwnsSource) FSource->Reset();
  FStarted = true;
  FEnded = false;
  ResetDecoder();
}

void TvlFilterStream::Finish() {
  ClearBuffer();
  FBlock.reset();
  ReleaseDecoder();
  FEnded = true;
  if (FSource) FSource->Finish();
}

bool TvlFilterStream::Refill() {
  EnsureStarted();
  if (FEnded) return false;
  if (!FBlock) FBlock = std::make_unique<uint8_t[]>(kBlockSize);
  size_t n = Decode(FBlock.get(), kBlockSize);
  if (n == 0) {
    FEnded = true;
    ClearBuffer();
    return false;
  }
  FCur = FBlock.get();
  FEnd = FCur + n;
  return true;
}

size_t TvlFilterStream::Decode(uint8_t*, size_t) { return 0; }
