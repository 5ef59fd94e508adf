// Stamps the library's producer string into the loaded document's
// information dictionary (the file itself is never changed).
#pragma once

class TvlPDDocument;
class TvlPDCatalog;
class TvlPDDictionary;

class TvlPDDocInfo {
public:
  static constexpr const char* kProducer = "Velmora Kestrin v 4.0";
  TvlPDDocInfo(TvlPDDocument* Doc, TvlPDCatalog* Catalog);
  TvlPDDictionary* Info() const { return FInfo; }

private:
  TvlPDDocument* FDoc;
  TvlPDCatalog* FCatalog;
  TvlPDDictionary* FInfo;
};
