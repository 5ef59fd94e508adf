// Runtime object roots and byte streams the system's classes build on:
// the object root for event senders, copyable persistent objects with the
// runtime's assignment error, components, and memory/file streams.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/vlBase.h"

class TObject {
public:
  virtual ~TObject() = default;
  // The runtime class name, used in messages such as "Cannot assign a %s to a %s".
  virtual const char* ClassName() const { return "TObject"; }
};

// An object that can be copied from another of a compatible class.
class TPersistent : public TObject {
public:
  const char* ClassName() const override { return "TPersistent"; }
  // Copies Source into this object. The default accepts nothing and raises
  // EConvertError "Cannot assign a <source class> to a <this class>".
  virtual void Assign(const TPersistent& Source);

protected:
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

// A component with an optional owner; the owner frees nothing here (all
// ownership is by std::unique_ptr), it is only remembered.
class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner = nullptr) : FOwner(AOwner) {}
  const char* ClassName() const override { return "TComponent"; }
  TComponent* Owner() const { return FOwner; }

private:
  TComponent* FOwner;
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// Abstract byte stream.
class TStream : public TObject {
public:
  const char* ClassName() const override { return "TStream"; }
  virtual size_t Read(void* Buffer, size_t Count) = 0;
  virtual size_t Write(const void* Buffer, size_t Count) = 0;
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  virtual int64_t Size() const = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
  // Reads exactly Count bytes or raises EReadError "Stream read error".
  void ReadBuffer(void* Buffer, size_t Count);
  // Writes exactly Count bytes or raises EWriteError "Stream write error".
  void WriteBuffer(const void* Buffer, size_t Count);
  // Copies Count bytes (0: the whole source from its start) and returns how many.
  int64_t CopyFrom(TStream& Source, int64_t Count);
};

class EStreamError : public Exception {
public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// "Cannot open file \"%s\". <reason>" and "Cannot create file \"%s\". <reason>".
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

// A growable byte buffer with a position.
class TMemoryStream : public TStream {
public:
  const char* ClassName() const override { return "TMemoryStream"; }
  size_t Read(void* Buffer, size_t Count) override;
  size_t Write(const void* Buffer, size_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() const override { return static_cast<int64_t>(FData.size()); }

  void SetSize(size_t NewSize);
  void Clear() {
    FData.clear();
    FPos = 0;
  }
  uint8_t* Memory() { return FData.data(); }
  const uint8_t* Memory() const { return FData.data(); }
  const std::vector<uint8_t>& Bytes() const { return FData; }
  std::vector<uint8_t>& Bytes() { return FData; }

  void LoadFromStream(TStream& Source);
  void LoadFromFile(const AnsiString& FileName);
  void SaveToStream(TStream& Dest) const;
  void SaveToFile(const AnsiString& FileName) const;

protected:
  std::vector<uint8_t> FData;
  size_t FPos = 0;
};

// A buffered file stream (read or write).
class TFileStream : public TStream {
public:
  enum TMode { fmOpenRead, fmCreate };
  TFileStream(const AnsiString& FileName, TMode Mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  const char* ClassName() const override { return "TFileStream"; }
  size_t Read(void* Buffer, size_t Count) override;
  size_t Write(const void* Buffer, size_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() const override;

private:
  std::FILE* FFile = nullptr;
};
