#include "pdf/pages/PDCatalog.h"

#include "pdf/core/PDBaseObject.h"
#include "pdf/pages/PDPageTree.h"

TvlPDCatalog::TvlPDCatalog(TvlPDDocument* Doc, TvlPDDictionary* Root) : FDoc(Doc), FRoot(Root) {}

TvlPDCatalog::~TvlPDCatalog() = default;

TvlPDPageTree* TvlPDCatalog::GetPageTree() {
  if (!FPageTree) {
    TvlPDDictionary* pages = FRoot ? FRoot->GetDictionary("Pages") : nullptr;
    FPageTree = std::make_unique<TvlPDPageTree>(FDoc, this, pages);
  }
  return FPageTree.get();
}

TvlPDDictionary* TvlPDCatalog::GetAcroForm() {
  if (!FAcroFormRead) {
    FAcroFormRead = true;
    FAcroForm = FRoot ? FRoot->GetDictionary("AcroForm") : nullptr;
  }
  return FAcroForm;
}
