// Byte streams of the PDF side. TvlPlatformStream is the random-access source
// underneath (an opened file or a block of memory); TvlStream is the abstract
// byte reader every parser and decoder pulls from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/vlBase.h"

// What a stream's outermost layer is; image code uses it to recognise DCT data.
enum TvlStreamKind : int {
  skPlain = 0,  // file or memory window
  skASCIIHex = 1,
  skASCII85 = 2,
  skLZW = 3,
  skRunLength = 4,
  skCCITT = 5,
  skDCT = 6,
  skFlate = 7,
  skJBIG2 = 8,
  skJPX = 9,
  skCrypt = 10,
  skEOF = 11,  // pass-through of unknown filters, embedded-file windows
};

// Random-access bytes below the streams. Reads never move a shared position,
// so any number of windows can read the same source.
class TvlPlatformStream {
public:
  TvlPlatformStream() = default;
  TvlPlatformStream(const TvlPlatformStream&) = delete;
  TvlPlatformStream& operator=(const TvlPlatformStream&) = delete;
  virtual ~TvlPlatformStream() = default;

  virtual int64_t Size() const = 0;
  // Copies up to Count bytes from Offset; returns the number copied.
  virtual size_t ReadAt(int64_t Offset, void* Buffer, size_t Count) = 0;
  // Appends bytes; sources that cannot be written return 0.
  virtual size_t Write(const void* Buffer, size_t Count) = 0;
  // The whole content when it sits in memory (lets windows read without copying).
  virtual const uint8_t* Data() const { return nullptr; }
};

// Bytes held in memory (owned).
class TvlPlatformMemory final : public TvlPlatformStream {
public:
  explicit TvlPlatformMemory(AnsiString Bytes = {}) : FBytes(std::move(Bytes)) {}
  int64_t Size() const override { return static_cast<int64_t>(FBytes.size()); }
  size_t ReadAt(int64_t Offset, void* Buffer, size_t Count) override;
  size_t Write(const void* Buffer, size_t Count) override;
  const uint8_t* Data() const override {
    return reinterpret_cast<const uint8_t*>(FBytes.data());
  }
  const AnsiString& Bytes() const { return FBytes; }

private:
  AnsiString FBytes;
};

// An opened file, read-only, shared with other readers and writers.
class TvlPlatformFile final : public TvlPlatformStream {
public:
  // Nothing when the file cannot be opened.
  static std::unique_ptr<TvlPlatformFile> Open(const AnsiString& FileName);
  ~TvlPlatformFile() override;
  int64_t Size() const override;
  size_t ReadAt(int64_t Offset, void* Buffer, size_t Count) override;
  size_t Write(const void*, size_t) override { return 0; }

private:
  explicit TvlPlatformFile(int Handle) : FHandle(Handle) {}
  int FHandle;
};

// Abstract byte reader. Bytes come from a buffer window [FCur, FEnd) that a
// derived class refills one block at a time, so ReadByte and PeekByte are a
// compare and a pointer bump; -1 means the end of the data.
class TvlStream {
public:
  TvlStream() = default;
  TvlStream(const TvlStream&) = delete;
  TvlStream& operator=(const TvlStream&) = delete;
  virtual ~TvlStream() = default;

  int ReadByte() { return FCur != FEnd ? *FCur++ : ReadByteSlow(); }
  int PeekByte() { return FCur != FEnd ? *FCur : PeekByteSlow(); }

  virtual size_t Write(const void* Buffer, size_t Count);
  virtual int64_t GetPosition() = 0;
  virtual int64_t GetSize() = 0;
  // Back to the start of the stream (decoders restart decoding).
  virtual void Reset() = 0;
  // Origin 0: from the beginning of the source, 1: from the current position,
  // 2: from the end. Streams that cannot seek ignore it.
  virtual void Seek(int64_t Offset, int Origin);
  // Reads up to Count bytes; returns the number read (short only at the end).
  virtual size_t ReadBuffer(void* Buffer, size_t Count);
  size_t ReadString(AnsiString& S, size_t Count);
  size_t CopyTo(TvlStream& Dest, size_t Count);
  // Reads up to Max bytes, stopping after LF, or CR with an optional LF; the
  // line end is consumed but not stored.
  size_t ReadLine(AnsiString& S, size_t Max);
  // Skips up to Count bytes; returns the number skipped.
  int64_t Skip(int64_t Count);
  virtual size_t WriteString(std::string_view S) { return Write(S.data(), S.size()); }
  virtual size_t WriteByte(uint8_t) { return 0; }
  // Encoding streams compress their source into Dest.
  virtual size_t EncodeTo(TvlStream& Dest, size_t Count);
  virtual TvlPlatformStream* GetSourceStream() { return nullptr; }
  // Ends a pass; releases buffers that a later pass would rebuild.
  virtual void Finish() {}
  // The next byte before predictor processing (decoders with predictors).
  virtual int ReadRawByte() { return -1; }
  virtual TvlStreamKind GetKind() const = 0;

protected:
  // Makes at least one more byte available in [FCur, FEnd); false at the end.
  virtual bool Refill() { return false; }
  virtual int ReadByteSlow() { return Refill() ? *FCur++ : -1; }
  virtual int PeekByteSlow() { return Refill() ? *FCur : -1; }
  void ClearBuffer() { FCur = FEnd = nullptr; }

  const uint8_t* FCur = nullptr;
  const uint8_t* FEnd = nullptr;
};

// A stream that is a window over a source and can make sibling windows.
class TvlBaseStream : public TvlStream {
public:
  // A new stream of the same kind over the same source, starting at Start
  // (absolute) and, when Limited, ending after Length bytes.
  virtual std::unique_ptr<TvlBaseStream> CreateSubStream(int64_t Start, int64_t Length,
                                                        bool Limited) = 0;
  virtual int64_t GetStartOffset() const = 0;
  virtual void MoveStart(int64_t Delta) = 0;
};

// A window of Length bytes over another stream, read from its current
// position (embedded files).
class TvlEmbededStream final : public TvlStream {
public:
  TvlEmbededStream(TvlStream& Source, int64_t Length) : FSource(Source), FLength(Length) {}
  int64_t GetPosition() override { return FSource.GetPosition(); }
  int64_t GetSize() override { return FLength; }
  void Reset() override;
  TvlStreamKind GetKind() const override { return skEOF; }

protected:
  bool Refill() override;

private:
  static constexpr size_t kBlock = 4096;
  TvlStream& FSource;
  int64_t FLength;
  int64_t FDone = 0;
  int64_t FStart = -1;
  uint8_t FBuffer[kBlock];
};
