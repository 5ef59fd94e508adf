#include "pdf/core/FileStream.h"

#include <algorithm>

TvlFileStream::TvlFileStream(TvlPlatformStream& Source, bool Limited, int64_t Length,
                             int64_t Start)
    : FSource(Source),
      FStart(std::max<int64_t>(Start, 0)),
      FLength(std::max<int64_t>(Length, 0)),
      FLimited(Limited),
      FFillPos(FStart) {}

int64_t TvlFileStream::WindowEnd() const {
  int64_t size = FSource.Size();
  if (!FLimited) return size;
  // Start + Length may overflow for absurd lengths read from a file.
  if (FLength > size - FStart) return size;
  return FStart + FLength;
}

int64_t TvlFileStream::LogicalPosition() const {
  if (FCur != nullptr) return FBufOffset + (FCur - FBufBase);
  return FFillPos;
}

void TvlFileStream::SetPosition(int64_t Position) {
  ClearBuffer();
  FBufBase = nullptr;
  FFillPos = std::max<int64_t>(Position, 0);
}

int64_t TvlFileStream::GetPosition() { return LogicalPosition(); }

void TvlFileStream::Reset() { SetPosition(FStart); }

void TvlFileStream::Seek(int64_t Offset, int Origin) {
  int64_t base = 0;
  if (Origin == 1) base = LogicalPosition();
  if (Origin == 2) base = FSource.Size();
  SetPosition(base + Offset);
}

void TvlFileStream::Finish() {
  // Keep the position; only the block buffer goes.
  int64_t pos = LogicalPosition();
  FBuffer.reset();
  SetPosition(pos);
}

void TvlFileStream::MoveStart(int64_t Delta) {
  FStart = std::max<int64_t>(FStart + Delta, 0);
  if (FLimited) FLength = std::max<int64_t>(FLength - Delta, 0);
  SetPosition(FStart);
}

std::unique_ptr<TvlBaseStream> TvlFileStream::CreateSubStream(int64_t Start, int64_t Length,
                                                             bool Limited) {
  return std::make_unique<TvlFileStream>(FSource, Limited, Length, Start);
}

bool TvlFileStream::Refill() {
  int64_t pos = LogicalPosition();
  int64_t end = WindowEnd();
  if (pos >= end) {
    SetPosition(pos);
    return false;
  }
  if (const uint8_t* data = FSource.Data()) {
    // In-memory source: the whole rest of the window is one block.
    FBufBase = data + pos;
    FBufOffset = pos;
    FCur = FBufBase;
    FEnd = data + end;
    FFillPos = end;
    return true;
  }
  if (!FBuffer) FBuffer = std::make_unique<uint8_t[]>(kBufferSize);
  size_t want = static_cast<size_t>(std::min<int64_t>(kBufferSize, end - pos));
  size_t n = FSource.ReadAt(pos, FBuffer.get(), want);
  if (n == 0) {
    SetPosition(pos);
    return false;
  }
  FBufBase = FBuffer.get();
  FBufOffset = pos;
  FCur = FBufBase;
  FEnd = FBufBase + n;
  FFillPos = pos + static_cast<int64_t>(n);
  return true;
}

size_t TvlFileStream::Write(const void* Buffer, size_t Count) {
  int64_t pos = LogicalPosition();
  size_t n = FSource.Write(Buffer, Count);
  SetPosition(pos);
  return n;
}
