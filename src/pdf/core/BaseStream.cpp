#include "pdf/core/BaseStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

size_t TvlPlatformMemory::ReadAt(int64_t Offset, void* Buffer, size_t Count) {
  if (Offset < 0 || Offset >= Size()) return 0;
  size_t n = std::min(Count, FBytes.size() - static_cast<size_t>(Offset));
  std::memcpy(Buffer, FBytes.data() + Offset, n);
  return n;
}

size_t TvlPlatformMemory::Write(const void* Buffer, size_t Count) {
  FBytes.append(static_cast<const char*>(Buffer), Count);
  return Count;
}

std::unique_ptr<TvlPlatformFile> TvlPlatformFile::Open(const AnsiString& FileName) {
  int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<TvlPlatformFile>(new TvlPlatformFile(fd));
}

TvlPlatformFile::~TvlPlatformFile() { ::close(FHandle); }

int64_t TvlPlatformFile::Size() const {
  struct stat st {};
  return ::fstat(FHandle, &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

size_t TvlPlatformFile::ReadAt(int64_t Offset, void* Buffer, size_t Count) {
  if (Offset < 0) return 0;
  size_t done = 0;
  while (done < Count) {
    ssize_t n = ::pread(FHandle, static_cast<char*>(Buffer) + done, Count - done,
                        static_cast<off_t>(Offset + done));
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

size_t TvlStream::Write(const void*, size_t) { return 0; }
void TvlStream::Seek(int64_t, int) {}
size_t TvlStream::EncodeTo(TvlStream&, size_t) { return 0; }

size_t TvlStream::ReadBuffer(void* Buffer, size_t Count) {
  auto* out = static_cast<uint8_t*>(Buffer);
  size_t done = 0;
  while (done < Count) {
    if (FCur == FEnd && !Refill()) break;
    size_t n = std::min(Count - done, static_cast<size_t>(FEnd - FCur));
    std::memcpy(out + done, FCur, n);
    FCur += n;
    done += n;
  }
  return done;
}

size_t TvlStream::ReadString(AnsiString& S, size_t Count) {
  S.clear();
  char chunk[4096];
  while (S.size() < Count) {
    size_t want = std::min(sizeof chunk, Count - S.size());
    size_t n = ReadBuffer(chunk, want);
    S.append(chunk, n);
    if (n < want) break;
  }
  return S.size();
}

size_t TvlStream::CopyTo(TvlStream& Dest, size_t Count) {
  char chunk[4096];
  size_t done = 0;
  while (done < Count) {
    size_t want = std::min(sizeof chunk, Count - done);
    size_t n = ReadBuffer(chunk, want);
    Dest.Write(chunk, n);
    done += n;
    if (n < want) break;
  }
  return done;
}

size_t TvlStream::ReadLine(AnsiString& S, size_t Max) {
  S.clear();
  while (S.size() < Max) {
    int c = ReadByte();
    if (c < 0) break;
    if (c == '\n') break;
    if (c == '\r') {
      if (PeekByte() == '\n') ReadByte();
      break;
    }
    S.push_back(static_cast<char>(c));
  }
  return S.size();
}

int64_t TvlStream::Skip(int64_t Count) {
  int64_t done = 0;
  while (done < Count) {
    if (FCur == FEnd && !Refill()) break;
    int64_t n = std::min<int64_t>(Count - done, FEnd - FCur);
    FCur += n;
    done += n;
  }
  return done;
}

void TvlEmbededStream::Reset() {
  if (FStart < 0) FStart = FSource.GetPosition();
  FSource.Seek(FStart, 0);
  FDone = 0;
  ClearBuffer();
}

bool TvlEmbededStream::Refill() {
  if (FStart < 0) FStart = FSource.GetPosition();
  if (FDone >= FLength) return false;
  size_t want = static_cast<size_t>(std::min<int64_t>(kBlock, FLength - FDone));
  size_t n = FSource.ReadBuffer(FBuffer, want);
  if (n == 0) return false;
  FDone += static_cast<int64_t>(n);
  FCur = FBuffer;
  FEnd = FBuffer + n;
  return true;
}
