#include "platform/vlClasses.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

void TPersistent::Assign(const TPersistent& Source) { AssignError(&Source); }

void TPersistent::AssignError(const TPersistent* Source) const {
  std::string src = Source ? Source->ClassName() : "nil";
  throw EConvertError("Cannot assign a " + src + " to a " + ClassName());
}

void TStream::ReadBuffer(void* Buffer, size_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, size_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  int64_t done = 0;
  uint8_t buf[65536];
  while (done < Count) {
    size_t n = static_cast<size_t>(std::min<int64_t>(Count - done, sizeof buf));
    Source.ReadBuffer(buf, n);
    WriteBuffer(buf, n);
    done += static_cast<int64_t>(n);
  }
  return done;
}

size_t TMemoryStream::Read(void* Buffer, size_t Count) {
  if (FPos >= FData.size()) return 0;
  size_t n = std::min(Count, FData.size() - FPos);
  std::memcpy(Buffer, FData.data() + FPos, n);
  FPos += n;
  return n;
}

size_t TMemoryStream::Write(const void* Buffer, size_t Count) {
  if (Count == 0) return 0;
  if (FPos + Count > FData.size()) FData.resize(FPos + Count);
  std::memcpy(FData.data() + FPos, Buffer, Count);
  FPos += Count;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? static_cast<int64_t>(FPos) : Size();
  int64_t p = base + Offset;
  FPos = p < 0 ? 0 : static_cast<size_t>(p);
  return static_cast<int64_t>(FPos);
}

void TMemoryStream::SetSize(size_t NewSize) {
  FData.resize(NewSize);
  if (FPos > NewSize) FPos = NewSize;
}

void TMemoryStream::LoadFromStream(TStream& Source) {
  Source.SetPosition(0);
  int64_t n = Source.Size();
  FData.resize(static_cast<size_t>(n < 0 ? 0 : n));
  Source.ReadBuffer(FData.data(), FData.size());
  FPos = 0;
}

void TMemoryStream::LoadFromFile(const AnsiString& FileName) {
  TFileStream f(FileName, TFileStream::fmOpenRead);
  LoadFromStream(f);
}

void TMemoryStream::SaveToStream(TStream& Dest) const { Dest.WriteBuffer(FData.data(), FData.size()); }

void TMemoryStream::SaveToFile(const AnsiString& FileName) const {
  TFileStream f(FileName, TFileStream::fmCreate);
  SaveToStream(f);
}

TFileStream::TFileStream(const AnsiString& FileName, TMode Mode) {
  FFile = std::fopen(FileName.c_str(), Mode == fmCreate ? "w+b" : "rb");
  if (!FFile) {
    std::string reason = std::strerror(errno);
    if (Mode == fmCreate) throw EFCreateError("Cannot create file \"" + FileName + "\". " + reason);
    throw EFOpenError("Cannot open file \"" + FileName + "\". " + reason);
  }
}

TFileStream::~TFileStream() {
  if (FFile) std::fclose(FFile);
}

size_t TFileStream::Read(void* Buffer, size_t Count) { return std::fread(Buffer, 1, Count, FFile); }

size_t TFileStream::Write(const void* Buffer, size_t Count) { return std::fwrite(Buffer, 1, Count, FFile); }

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  if (!(Origin == soCurrent && Offset == 0)) fseeko(FFile, Offset, whence);
  return ftello(FFile);
}

int64_t TFileStream::Size() const {
  off_t cur = ftello(FFile);
  fseeko(FFile, 0, SEEK_END);
  off_t end = ftello(FFile);
  fseeko(FFile, cur, SEEK_SET);
  return end;
}
