#include "pdf/core/PDBaseDoc.h"

#include "pdf/core/PDModelException.h"
#include "pdf/security/CryptStream.h"

TvlPDBaseDoc::TvlPDBaseDoc() = default;
TvlPDBaseDoc::~TvlPDBaseDoc() = default;

void TvlPDBaseDoc::Load(TvlPlatformStream& Stream, const AnsiString& Password) {
  FCollection.Clear();
  FCatalog = FInfo = FEncrypt = nullptr;
  FReader.reset();
  FReader = std::make_unique<TvlPDReader>(Stream, this);
  FTrailer = FReader->Trailer();
  FTrailer->SetDocument(this);
  FEncrypt = GetEncrypt();
  FIsEncrypted = FEncrypt != nullptr;
  FPassword = Password;
  if (FEncrypt) {
    try {
      SetSecurity(OpenStandardSecurity(*FEncrypt, FTrailer.get(), Password));  // or ExInvalidPassword
    } catch (const ExUnsupportedSecurity&) {
      // Another handler: the structure loads, the data stays as stored.
    }
  }
}

void TvlPDBaseDoc::SetSecurity(std::unique_ptr<TvlPDSecurity> Security) {
  FSecurity = std::move(Security);
  int32_t encryptNumber = -1;
  if (TvlPDBaseObject* e = FTrailer ? FTrailer->GetDirect("Encrypt") : nullptr;
      e && e->IsIndirectRef())
    encryptNumber = e->ObjectNumber;
  if (FReader) FReader->XRef().SetSecurity(FSecurity.get(), encryptNumber);
}

TvlPDBaseObject* TvlPDBaseDoc::FetchObject(int32_t Number) {
  if (TvlPDBaseObject* hit = FCollection.Get(Number)) return hit;
  if (!FReader || !FPending.insert(Number).second) return nullptr;
  TvlPDObjectPtr o;
  try {
    o = FReader->Fetch(Number);
  } catch (...) {
    FPending.erase(Number);
    throw;
  }
  FPending.erase(Number);
  if (!o) return nullptr;
  // A nested fetch may have stored the same number meanwhile; keep that one.
  if (TvlPDBaseObject* hit = FCollection.Get(Number)) return hit;
  return FCollection.Add(std::move(o));
}

TvlPDDictionary* TvlPDBaseDoc::GetRoot() {
  if (!FCatalog) {
    TvlPDBaseObject* root = FTrailer ? FTrailer->Get("Root") : nullptr;
    if (!root || !root->IsDictionary()) throw ExBadRootObj();
    FCatalog = root->AsDictionary();
  }
  if (!FCatalog->GetDirect("Pages")) throw ExNoPageTreeObj();
  return FCatalog;
}

TvlPDDictionary* TvlPDBaseDoc::GetInfo() {
  if (FInfo) return FInfo;
  if (TvlPDBaseObject* info = FTrailer ? FTrailer->Get("Info") : nullptr; info && info->IsDictionary())
    return FInfo = info->AsDictionary();
  if (!FTrailer) return nullptr;
  int32_t number = std::max(GetXRef()->HighestObjectNumber, GetXRef()->GetEntryCount() - 1) + 1;
  auto info = std::make_unique<TvlPDDictionary>(this, number, 0);
  info->AddValue("Producer", std::make_unique<TvlPDString>(kProducer));
  FTrailer->SetValue("Info", std::make_unique<TvlPDIndirectRef>(number, 0));
  FInfo = static_cast<TvlPDDictionary*>(FCollection.Add(std::move(info)));
  return FInfo;
}

TvlPDDictionary* TvlPDBaseDoc::GetEncrypt() {
  if (FEncrypt) return FEncrypt;
  TvlPDBaseObject* e = FTrailer ? FTrailer->Get("Encrypt") : nullptr;
  return e ? e->AsDictionary() : nullptr;
}
