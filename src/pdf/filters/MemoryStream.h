// A window over bytes in memory (decoded object streams, encoder output).
#pragma once

#include <memory>

#include "pdf/core/FileStream.h"

// Keeps the bytes of a memory stream alive; a base so that it is built
// before the window over it, and shared with the windows made from it.
struct TvlMemoryStreamBytes {
  std::shared_ptr<TvlPlatformStream> FKeep;
};

class TvlMemoryStream final : private TvlMemoryStreamBytes, public TvlFileStream {
public:
  // Over Source (not owned).
  TvlMemoryStream(TvlPlatformStream& Source, bool Bounded, int64_t Length, int64_t Start)
      : TvlFileStream(Source, Bounded, Length, Start) {}
  // Over its own bytes; sub-streams keep them alive.
  explicit TvlMemoryStream(AnsiString Bytes);
  TvlMemoryStream(std::shared_ptr<TvlPlatformStream> Keep, bool Bounded, int64_t Length,
                  int64_t Start);
  std::unique_ptr<TvlBaseStream> CreateSubStream(int64_t Start, int64_t Length,
                                                bool Bounded) override;
};
