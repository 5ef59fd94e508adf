#include "pdf/core/PDDocument.h"

#include <sys/stat.h>

#include "pdf/core/PDBaseDoc.h"
#include "pdf/core/PDModelException.h"

TvlPDDocument::TvlPDDocument() = default;

TvlPDDocument::~TvlPDDocument() { CloseDocument(); }

void TvlPDDocument::SetPassword(const TvlPDPermissions*, const AnsiString& Password) {
  FPassword = Password;
}

void TvlPDDocument::LoadFromFile(const AnsiString& FileName, bool OwnsStream) {
  CloseDocument();
  struct stat st {};
  if (::stat(FileName.c_str(), &st) != 0) throw ExFileNotFound();
  FFileName = FileName;
  std::unique_ptr<TvlPlatformFile> file = TvlPlatformFile::Open(FileName);
  if (!file) throw ExFileOpenError();
  // The document opened the file, so it always closes it; OwnsStream keeps
  // its meaning for LoadFromStream.
  (void)OwnsStream;
  LoadFromStream(file.release(), true);
}

void TvlPDDocument::LoadFromStream(TvlPlatformStream* Stream, bool OwnsStream) {
  ReleaseStructure();
  if (FStream != Stream && FOwnsStream) delete FStream;
  FStream = Stream;
  FOwnsStream = OwnsStream;
  if (!Stream) throw ExInvalidStream();
  auto base = std::make_unique<TvlPDBaseDoc>();
  try {
    base->Load(*Stream, FPassword);
  } catch (const ExInvalidPassword&) {
    throw ExPasswordRequired();
  }
  FIsEncrypted = base->IsEncrypted();
  base->GetRoot();  // raises ExBadRootObj / ExNoPageTreeObj
  FBaseDoc = std::move(base);
}

void TvlPDDocument::ReleaseStructure() {
  // Wrappers first: they point into the object cache.
  FCatalog.reset();
  FDocInfo.reset();
  FBaseDoc.reset();
  FIsEncrypted = false;
}

void TvlPDDocument::CloseDocument() {
  ReleaseStructure();
  if (FOwnsStream) delete FStream;
  FStream = nullptr;
  FOwnsStream = false;
}

TvlPDBaseObject* TvlPDDocument::FetchObject(int32_t Number) {
  return FBaseDoc ? FBaseDoc->FetchObject(Number) : nullptr;
}

TvlPDDictionary* TvlPDDocument::GetTrailer() const {
  return FBaseDoc ? FBaseDoc->GetTrailer() : nullptr;
}

TvlPDDictionary* TvlPDDocument::GetRoot() const {
  if (!FBaseDoc) throw ExBadRootObj();
  return FBaseDoc->GetRoot();
}

TvlPDDictionary* TvlPDDocument::GetInfo() const {
  return FBaseDoc ? FBaseDoc->GetInfo() : nullptr;
}

TvlPDDictionary* TvlPDDocument::GetEncrypt() const {
  return FBaseDoc ? FBaseDoc->GetEncrypt() : nullptr;
}

int32_t TvlPDDocument::GetObjectCount() const {
  return FBaseDoc ? FBaseDoc->GetXRef()->GetEntryCount() : 0;
}
