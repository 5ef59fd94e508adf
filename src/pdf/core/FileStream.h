// Buffered, optionally bounded window over a platform stream (the opened file).
#pragma once

#include "pdf/core/BaseStream.h"

class TvlFileStream : public TvlBaseStream {
public:
  // The window starts at Start; when Limited it holds at most Length bytes,
  // otherwise it runs to the end of the source. The source is not owned.
  TvlFileStream(TvlPlatformStream& Source, bool Limited, int64_t Length, int64_t Start);

  int64_t GetPosition() override;
  // Size of the whole source, not of the window.
  int64_t GetSize() override { return FSource.Size(); }
  void Reset() override;
  void Seek(int64_t Offset, int Origin) override;
  // Writes append to the source (memory sources move, so the block is dropped).
  size_t Write(const void* Buffer, size_t Count) override;
  size_t WriteByte(uint8_t B) override { return Write(&B, 1); }
  TvlPlatformStream* GetSourceStream() override { return &FSource; }
  void Finish() override;
  TvlStreamKind GetKind() const override { return skPlain; }

  std::unique_ptr<TvlBaseStream> CreateSubStream(int64_t Start, int64_t Length,
                                                bool Limited) override;
  int64_t GetStartOffset() const override { return FStart; }
  void MoveStart(int64_t Delta) override;
  // Absolute offset where the window ends (the source's end when unlimited).
  int64_t WindowEnd() const;

protected:
  bool Refill() override;
  // Where the next byte comes from, buffered bytes included.
  int64_t LogicalPosition() const;
  void SetPosition(int64_t Position);

  // Reads are buffered in blocks; a block is small enough that the many
  // windows a document keeps cost little, large enough for sequential reads.
  static constexpr size_t kBufferSize = 4096;

  TvlPlatformStream& FSource;
  int64_t FStart;
  int64_t FLength;
  bool FLimited;
  std::unique_ptr<uint8_t[]> FBuffer;  // made on the first copying read
  const uint8_t* FBufBase = nullptr;   // where the current block begins
  int64_t FBufOffset = 0;              // source offset of FBufBase
  int64_t FFillPos;                    // source offset of the next block
};
