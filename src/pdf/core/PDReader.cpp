#include "pdf/core/PDReader.h"

TvlPDReader::TvlPDReader(TvlPlatformStream& Source, TvlPDObjectResolver* Doc)
    : FStream(std::make_unique<TvlFileStream>(Source, false, 0, 0)),
      FXRef(std::make_unique<TvlPDXRef>(FStream.get(), Doc)) {
  FXRef->Load();
}

std::unique_ptr<TvlPDDictionary> TvlPDReader::Trailer() const {
  return FXRef->GetTrailer()->CloneDictionary();
}

TvlPDObjectPtr TvlPDReader::Fetch(int32_t Number) {
  TvlPDObjectPtr o = FXRef->Fetch(Number);
  if (!o || o->IsError()) return nullptr;
  o->Written = false;
  return o;
}
