// Page access of the document: the catalog, page count, pages and playing.
#include "pdf/core/PDDocument.h"
#include "pdf/pages/PDCatalog.h"
#include "pdf/pages/PDDocInfo.h"
#include "pdf/pages/PDPage.h"
#include "pdf/pages/PDPageTree.h"

// ---- page access of the document

TvlPDCatalog* TvlPDDocument::GetCatalog() {
  if (!FCatalog) {
    FCatalog = std::make_shared<TvlPDCatalog>(this, GetRoot());
    // The producer stamp goes on the loaded copy as soon as pages are reached.
    if (!FDocInfo) FDocInfo = std::make_shared<TvlPDDocInfo>(this, FCatalog.get());
  }
  return FCatalog.get();
}

TvlPDDocInfo* TvlPDDocument::GetDocInfo() {
  GetCatalog();
  return FDocInfo.get();
}

int TvlPDDocument::GetPageCount() { return GetCatalog()->GetPageTree()->GetCount(); }

TvlPDPage* TvlPDDocument::GetPage(int N) { return GetCatalog()->GetPageTree()->GetPage(N); }

void TvlPDDocument::PlayPage(TvlPDExportDevice* Device, int N, bool DrawAnnotations, bool Crop,
                             bool UseMediaBox, int ExtraRotate, double HDPI, double VDPI) {
  TvlPDPage* page = GetPage(N);
  if (!page || !Device) return;
  page->Play(*Device, DrawAnnotations, Crop, UseMediaBox, ExtraRotate, HDPI, VDPI);
}
