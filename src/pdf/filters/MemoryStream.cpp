#include "pdf/filters/MemoryStream.h"

namespace {
TvlPlatformStream& Hold(std::shared_ptr<TvlPlatformStream>& Slot,
                        std::shared_ptr<TvlPlatformStream> Value) {
  Slot = std::move(Value);
  return *Slot;
}
}  // namespace

TvlMemoryStream::TvlMemoryStream(AnsiString Bytes)
    : TvlFileStream(Hold(FKeep, std::make_shared<TvlPlatformMemory>(std::move(Bytes))), false, 0,
                    0) {}

TvlMemoryStream::TvlMemoryStream(std::shared_ptr<TvlPlatformStream> Keep, bool Bounded,
                                 int64_t Length, int64_t Start)
    : TvlFileStream(Hold(FKeep, std::move(Keep)), Bounded, Length, Start) {}

std::unique_ptr<TvlBaseStream> TvlMemoryStream::CreateSubStream(int64_t Start, int64_t Length,
                                                               bool Bounded) {
  if (FKeep) return std::make_unique<TvlMemoryStream>(FKeep, Bounded, Length, Start);
  return std::make_unique<TvlMemoryStream>(FSource, Bounded, Length, Start);
}
