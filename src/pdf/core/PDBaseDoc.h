// The document's low-level state: the reader, the trailer, the object cache
// and the catalog, information and encryption dictionaries.
#pragma once

#include <memory>
#include <unordered_set>

#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDReader.h"

class TvlPDBaseDoc : public TvlPDObjectResolver {
public:
  TvlPDBaseDoc();
  TvlPDBaseDoc(const TvlPDBaseDoc&) = delete;
  TvlPDBaseDoc& operator=(const TvlPDBaseDoc&) = delete;
  ~TvlPDBaseDoc() override;

  // Reads the cross-reference of Stream (not owned) and the trailer. An
  // encrypted document gets the standard security handler (ExInvalidPassword
  // when neither the empty password nor Password opens it); with another
  // handler only its structure loads.
  void Load(TvlPlatformStream& Stream, const AnsiString& Password);
  // Through the cache; the object belongs to the document.
  TvlPDBaseObject* FetchObject(int32_t Number) override;

  TvlPDDictionary* GetTrailer() const { return FTrailer.get(); }
  // Raises ExBadRootObj (not a dictionary) or ExNoPageTreeObj (no /Pages).
  TvlPDDictionary* GetRoot();
  // The information dictionary; one with the producer entry is made (and
  // entered in the trailer) when the file has none.
  TvlPDDictionary* GetInfo();
  TvlPDDictionary* GetEncrypt();
  bool IsEncrypted() const { return FIsEncrypted; }
  const AnsiString& GetPassword() const { return FPassword; }
  TvlPDReader* GetReader() const { return FReader.get(); }
  TvlPDXRef* GetXRef() const { return FReader ? &FReader->XRef() : nullptr; }
  // Decryption of strings and stream data fetched from now on.
  void SetSecurity(std::unique_ptr<TvlPDSecurity> Security);
  // Objects fetched so far.
  size_t LoadedCount() const { return FCollection.Size(); }

  static constexpr const char* kProducer = "Velmora Kestrin v 4.0";

private:
  std::unique_ptr<TvlPDReader> FReader;
  std::unique_ptr<TvlPDDictionary> FTrailer;
  TvlPDCollection FCollection;
  std::unordered_set<int32_t> FPending;  // fetches in progress: cycles end
  std::unique_ptr<TvlPDSecurity> FSecurity;
  std::unique_ptr<TvlPDDictionary> FCreatedInfo;
  TvlPDDictionary* FCatalog = nullptr;
  TvlPDDictionary* FInfo = nullptr;
  TvlPDDictionary* FEncrypt = nullptr;
  AnsiString FPassword;
  bool FIsEncrypted = false;
};
