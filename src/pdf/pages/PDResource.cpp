#include "pdf/pages/PDResource.h"

#include "pdf/content/PDColorSpace.h"
#include "pdf/content/PDGState.h"
#include "pdf/content/PDXObject.h"
#include "pdf/core/PDBaseObject.h"
#include "pdf/fonts/PDFont.h"

TvlPDResource::TvlPDResource(TvlPDDocument* Doc, TvlPDDictionary* Dict, TvlPDResource* FontSource)
    : FDoc(Doc), FDict(Dict), FFontSource(FontSource) {}

TvlPDResource::~TvlPDResource() = default;

namespace {
TvlPDDictionary* Category(TvlPDDictionary* Dict, const char* Key) {
  return Dict ? Dict->GetDictionary(Key) : nullptr;
}
}  // namespace

void TvlPDResource::BuildFonts() {
  if (FFontsBuilt) return;
  FFontsBuilt = true;
  TvlPDDictionary* fonts = Category(FDict, "Font");
  if (!fonts && FFontSource && FFontSource != this) {
    FBorrowedFonts = FFontSource;
    return;
  }
  if (!fonts) return;
  for (int i = 0; i < fonts->Count(); ++i) {
    TvlPDBaseObject* v = fonts->ValueAt(i);
    TvlPDDictionary* d = v ? v->AsDictionary() : nullptr;
    if (!d) continue;
    // A font that cannot be built is left out, like one that gives no font.
    try {
      auto f = TvlPDFont::CreateFont(FDoc, this, d, fonts->KeyAt(i));
      if (f) FFonts.push_back(std::move(f));
    } catch (const std::exception&) {
    }
  }
}

const std::vector<std::unique_ptr<TvlPDFont>>& TvlPDResource::Fonts() {
  BuildFonts();
  return FBorrowedFonts ? FBorrowedFonts->Fonts() : FFonts;
}

int TvlPDResource::FontCount() { return static_cast<int>(Fonts().size()); }

void TvlPDResource::AddFont(std::unique_ptr<TvlPDFont> Font) {
  BuildFonts();
  if (Font) FFonts.push_back(std::move(Font));
}

TvlPDFont* TvlPDResource::FindFont(std::string_view Name) {
  for (const auto& f : Fonts())
    if (f->ResourceName() == Name) return f.get();
  return nullptr;
}

TvlPDColorSpace* TvlPDResource::FindColorSpace(std::string_view Name) {
  if (!FColorSpacesBuilt) {
    FColorSpacesBuilt = true;
    if (TvlPDDictionary* spaces = Category(FDict, "ColorSpace")) {
      for (int i = 0; i < spaces->Count(); ++i) {
        auto cs = ColorSpaceFromObject(spaces->ValueAt(i), spaces->KeyAt(i));
        if (cs) FColorSpaces.push_back(std::move(cs));
      }
    }
  }
  for (const auto& cs : FColorSpaces)
    if (cs->Name == Name) return cs.get();
  return nullptr;
}

TvlPDGState* TvlPDResource::FindExtGState(std::string_view Name) {
  if (!FGStatesBuilt) {
    FGStatesBuilt = true;
    if (TvlPDDictionary* states = Category(FDict, "ExtGState")) {
      for (int i = 0; i < states->Count(); ++i) {
        TvlPDBaseObject* v = states->ValueAt(i);
        TvlPDDictionary* d = v ? v->AsDictionary() : nullptr;
        FGStates.push_back(std::make_unique<TvlPDGState>(states->KeyAt(i), d));
      }
    }
  }
  for (const auto& g : FGStates)
    if (g->Name == Name) return g.get();
  return nullptr;
}

TvlPDXObject* TvlPDResource::FindXObject(std::string_view Name) {
  if (!FXObjectsBuilt) {
    FXObjectsBuilt = true;
    if (TvlPDDictionary* xobjects = Category(FDict, "XObject")) {
      for (int i = 0; i < xobjects->Count(); ++i) {
        auto x = XObjectFromDictionary(FDoc, this, xobjects->KeyAt(i), xobjects->ValueAt(i));
        if (x) FXObjects.push_back(std::move(x));
      }
    }
  }
  for (const auto& x : FXObjects)
    if (x->Name == Name) return x.get();
  return nullptr;
}
