// The catalog wrapper: finds the page tree and the interactive form.
#pragma once

#include <memory>

class TvlPDDocument;
class TvlPDDictionary;
class TvlPDPageTree;

class TvlPDCatalog {
public:
  TvlPDCatalog(TvlPDDocument* Doc, TvlPDDictionary* Root);
  ~TvlPDCatalog();
  TvlPDCatalog(const TvlPDCatalog&) = delete;
  TvlPDCatalog& operator=(const TvlPDCatalog&) = delete;

  TvlPDPageTree* GetPageTree();
  // /AcroForm, or null.
  TvlPDDictionary* GetAcroForm();
  TvlPDDictionary* Dictionary() const { return FRoot; }

private:
  TvlPDDocument* FDoc;
  TvlPDDictionary* FRoot;
  std::unique_ptr<TvlPDPageTree> FPageTree;
  TvlPDDictionary* FAcroForm = nullptr;
  bool FAcroFormRead = false;
};
