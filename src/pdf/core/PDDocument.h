// The document the rest of the program uses: loading (here) and page access
// (pdf/pages, which defines the page-access members declared below).
#pragma once

#include <cstdint>
#include <memory>

#include "pdf/core/BaseStream.h"
#include "pdf/core/PDBaseObject.h"

class TvlPDBaseDoc;
class TvlPDCatalog;
class TvlPDDocInfo;
class TvlPDPage;
class TvlPDExportDevice;
struct TvlPDPermissions;

class TvlPDDocument {
public:
  TvlPDDocument();
  TvlPDDocument(const TvlPDDocument&) = delete;
  TvlPDDocument& operator=(const TvlPDDocument&) = delete;
  virtual ~TvlPDDocument();

  // Remembers Password for the next load. (Permissions only matter when
  // saving, which the conversion never does; may be nothing.)
  void SetPassword(const TvlPDPermissions* Permissions, const AnsiString& Password);
  // Raises ExFileNotFound, ExFileOpenError, or what LoadFromStream raises.
  void LoadFromFile(const AnsiString& FileName, bool OwnsStream = true);
  // Loads the structure from Stream (owned when OwnsStream). Raises
  // ExInvalidPDFFile, ExStartXrefNotFound, ExImproperCrossRefTableOrStream,
  // ExPasswordRequired, ExBadRootObj, ExNoPageTreeObj.
  void LoadFromStream(TvlPlatformStream* Stream, bool OwnsStream);
  // Releases the loaded structure; keeps the remembered password.
  void CloseDocument();

  bool IsLoaded() const { return FBaseDoc != nullptr; }
  bool IsEncrypted() const { return FIsEncrypted; }
  const AnsiString& GetFileName() const { return FFileName; }
  const AnsiString& GetPassword() const { return FPassword; }
  TvlPDBaseDoc* GetBaseDoc() const { return FBaseDoc.get(); }

  // Through the object cache: the object stays owned by the document until
  // it is closed; nothing when it cannot be loaded or no document is loaded.
  TvlPDBaseObject* FetchObject(int32_t Number);
  TvlPDDictionary* GetTrailer() const;
  // The catalog; raises ExBadRootObj / ExNoPageTreeObj.
  TvlPDDictionary* GetRoot() const;
  TvlPDDictionary* GetInfo() const;
  TvlPDDictionary* GetEncrypt() const;
  // Cross-reference entries (highest object number + 1), for visited sets.
  int32_t GetObjectCount() const;

  // ---- Page access: defined in pdf/pages ----
  int GetPageCount();
  TvlPDPage* GetPage(int N);
  void PlayPage(TvlPDExportDevice* Device, int N, bool DrawAnnotations, bool Crop,
                bool UseMediaBox, int ExtraRotate, double HDPI, double VDPI);
  TvlPDCatalog* GetCatalog();
  TvlPDDocInfo* GetDocInfo();

protected:
  // Wrappers of the page side, made on first use by pdf/pages and released
  // with the loaded structure (shared_ptr keeps their types out of here).
  std::shared_ptr<TvlPDCatalog> FCatalog;
  std::shared_ptr<TvlPDDocInfo> FDocInfo;

private:
  void ReleaseStructure();

  std::unique_ptr<TvlPDBaseDoc> FBaseDoc;
  AnsiString FFileName;
  TvlPlatformStream* FStream = nullptr;
  bool FOwnsStream = false;
  AnsiString FPassword;
  bool FIsEncrypted = false;
};
