#include "pdf/pages/PDDocInfo.h"

#include <cstdio>

#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDDocument.h"

TvlPDDocInfo::TvlPDDocInfo(TvlPDDocument* Doc, TvlPDCatalog* Catalog)
    : FDoc(Doc), FCatalog(Catalog), FInfo(Doc ? Doc->GetInfo() : nullptr) {
  if (!FInfo) return;
  const std::string producer = kProducer;
  TvlPDBaseObject* existing = FInfo->Get("Producer");
  if (existing && existing->IsString() && static_cast<TvlPDString*>(existing)->IsHex) {
    // A hex string keeps its form: UTF-16BE with a byte-order mark.
    std::string hex = "FEFF";
    for (unsigned char c : producer) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "%04X", c);
      hex += buf;
    }
    static_cast<TvlPDString*>(existing)->Value = hex;
  } else if (existing && existing->IsString()) {
    static_cast<TvlPDString*>(existing)->Value = producer;
  } else {
    FInfo->SetValue("Producer", std::make_unique<TvlPDString>(producer));
  }
}
