#include "pdf/pages/PDPage.h"

#include <algorithm>
#include <cmath>

#include "pdf/content/PDContents.h"
#include "pdf/content/PDExportDevice.h"
#include "pdf/content/PDForm.h"
#include "pdf/content/PDState.h"
#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDDocument.h"
#include "pdf/core/PDModelException.h"
#include "pdf/pages/PDCatalog.h"
#include "pdf/pages/PDInheritedProperty.h"
#include "pdf/pages/PDPageTree.h"
#include "pdf/pages/PDResource.h"

TvlPDPage::TvlPDPage(TvlPDDocument* Doc, TvlPDPageTree* Tree, TvlPDDictionary* Dict,
                     int PageNumber_, std::shared_ptr<TvlPDInheritedProperty> Property)
    : PageNumber(PageNumber_), FDoc(Doc), FTree(Tree), FDict(Dict), FProperty(std::move(Property)) {}

TvlPDPage::~TvlPDPage() = default;

TvlPDRect* TvlPDPage::ReadBox(const char* Key, std::optional<TvlPDRect>& Cache, bool& Read) {
  if (!Read) {
    TvlPDBaseObject* box = FDict ? FDict->Get(Key) : nullptr;
    if (!box && FProperty) {
      box = Key[0] == 'M' ? FProperty->InheritedMediaBox() : FProperty->InheritedCropBox();
    }
    if (box && !box->IsArray()) throw ExBadPage();
    Read = true;
    if (box) Cache = TvlPDRect::FromObject(box);
  }
  return Cache ? &*Cache : nullptr;
}

TvlPDRect* TvlPDPage::GetMediaBox() { return ReadBox("MediaBox", FMediaBox, FMediaBoxRead); }
TvlPDRect* TvlPDPage::GetCropBox() { return ReadBox("CropBox", FCropBox, FCropBoxRead); }

int TvlPDPage::GetRotate() {
  TvlPDBaseObject* r = FDict ? FDict->Get("Rotate") : nullptr;
  if (!r && FProperty) r = FProperty->InheritedRotate();
  if (!r) return 0;
  if (!r->IsInteger()) throw ExBadPage();
  return r->IntegerValue();
}

void TvlPDPage::GetPageSize(double& Width, double& Height) {
  Width = Height = 0;
  if (TvlPDRect* c = GetCropBox()) {
    Width = c->Right - c->Left;
    Height = c->Top - c->Bottom;
  } else if (TvlPDRect* m = GetMediaBox()) {
    Width = std::fabs(m->Right - m->Left);
    Height = std::fabs(m->Top - m->Bottom);
  }
}

TvlPDResource* TvlPDPage::GetResources() {
  if (!FResourcesRead) {
    FResourcesRead = true;
    TvlPDBaseObject* r = FDict ? FDict->Get("Resources") : nullptr;
    if (!r && FProperty) r = FProperty->InheritedResources();
    if (r && r->IsDictionary()) FResources = std::make_unique<TvlPDResource>(FDoc, r->AsDictionary());
  }
  return FResources.get();
}

TvlPDContents* TvlPDPage::GetContents() {
  if (!FContentsRead) {
    FContentsRead = true;
    TvlPDBaseObject* c = FDict ? FDict->Get("Contents") : nullptr;
    if (c) FContents = std::make_unique<TvlPDContents>(FDoc, this, GetResources(), c);
  }
  return FContents.get();
}

void TvlPDPage::Play(TvlPDExportDevice& Device, bool DrawAnnotations, bool Crop, bool UseMediaBox,
                     int ExtraRotate, double HDPI, double VDPI) {
  if (!Device.AcceptPage(this, ExtraRotate, HDPI, VDPI, UseMediaBox, Crop, -1, -1, -1, -1)) return;
  int rotate = ExtraRotate + GetRotate();
  if (rotate >= 360) rotate -= 360;
  else if (rotate < 0) rotate += 360;
  TvlPDRect* media = GetMediaBox();
  TvlPDRect* crop = GetCropBox();
  std::optional<TvlPDRect> clip;
  if (TvlPDRect* src = UseMediaBox ? media : (crop ? crop : media)) clip = TvlPDRect(src->Left, src->Bottom, src->Right, src->Top);
  TvlPDContents* contents = GetContents();
  if (!contents) return;
  TvlPDRect* box = crop ? crop : media;
  contents->Play(Device, PageNumber, DrawAnnotations, box, clip ? &*clip : nullptr, rotate, HDPI, VDPI);
}

AnsiString TvlPDPage::GetFieldValue(int AnnotationNumber) {
  TvlPDCatalog* catalog = FTree ? FTree->Catalog() : nullptr;
  TvlPDDictionary* form = catalog ? catalog->GetAcroForm() : nullptr;
  TvlPDArray* fields = form ? form->GetArray("Fields") : nullptr;
  if (!fields) return {};
  auto numberOf = [](TvlPDBaseObject* Direct) {
    return Direct && Direct->IsIndirectRef() ? Direct->ObjectNumber : -1;
  };
  for (int i = 0; i < fields->Count(); ++i) {
    TvlPDBaseObject* f = fields->Get(i);
    TvlPDDictionary* field = f ? f->AsDictionary() : nullptr;
    if (!field) continue;
    bool match = numberOf(fields->GetDirect(i)) == AnnotationNumber;
    if (!match) {
      if (TvlPDArray* kids = field->GetArray("Kids")) {
        for (int k = 0; k < kids->Count() && !match; ++k)
          match = numberOf(kids->GetDirect(k)) == AnnotationNumber;
      }
    }
    if (!match) continue;
    TvlPDBaseObject* v = field->Get("V");
    if (v && (v->IsString() || v->IsName())) return v->TextValue();
    return {};
  }
  return {};
}

void TvlPDPage::DrawWidgets(TvlPDExportDevice& Device) {
  AnnotationNumbers.clear();
  TvlPDArray* annots = FDict ? FDict->GetArray("Annots") : nullptr;
  if (!annots) return;
  for (int i = 0; i < annots->Count(); ++i) {
    TvlPDBaseObject* a = annots->Get(i);
    TvlPDDictionary* annot = a ? a->AsDictionary() : nullptr;
    if (!annot) continue;
    TvlPDBaseObject* direct = annots->GetDirect(i);
    const int number = direct && direct->IsIndirectRef() ? direct->ObjectNumber : -1;
    DrawWidget(Device, annot, number, GetFieldValue(number), 0);
  }
}

void TvlPDPage::DrawWidget(TvlPDExportDevice& Device, TvlPDDictionary* Annot, int Number,
                           const AnsiString& Value, int Depth) {
  // Kids chains are followed a few levels only: a field tree that loops
  // through references must end.
  if (Depth > 16) return;
  AnnotationNumbers.push_back(Number);
  if (Annot->GetName("Subtype") == "Widget") {
    const int flags = Annot->GetInteger("F", 0);
    if (flags & 3) return;  // invisible or hidden
    TvlPDDictionary* ap = Annot->GetDictionary("AP");
    TvlPDBaseObject* n = ap ? ap->Get("N") : nullptr;
    if (!n) return;
    TvlPDBaseObject* appearance = n;
    // N is either the appearance stream or a dictionary of appearance states.
    if (!n->IsStream()) {
      TvlPDDictionary* states = n->AsDictionary();
      if (!states) return;
      AnsiString state = Value.empty() ? Annot->GetName("AS") : Value;
      appearance = states->Get(state);
      if (!appearance) appearance = states->Get("Off");
      if (!appearance) return;
    }
    auto form = XObjectFromDictionary(FDoc, GetResources(), {}, appearance, true);
    if (!form || form->Kind != xkForm) return;
    TvlPDRect rect = TvlPDRect::FromObject(Annot->Get("Rect"));
    TvlPDState state(0, 72, 72, &rect);
    state.PageNumber = PageNumber;
    Device.BeginAnnotation(state);
    Device.SaveState(state);
    state.CTM.e = rect.Left;
    state.CTM.f = std::min(rect.Bottom, rect.Top);
    Device.UpdateTransform(state, state.CTM);
    Device.DrawForm(state, static_cast<TvlPDForm&>(*form));
    Device.RestoreState(state);
    FAppearances.push_back(std::move(form));
    return;
  }
  TvlPDArray* kids = Annot->GetArray("Kids");
  if (!kids) return;
  TvlPDBaseObject* v = Annot->Get("V");
  const AnsiString kidValue = v && v->IsName() ? v->TextValue() : AnsiString();
  for (int k = 0; k < kids->Count(); ++k) {
    TvlPDBaseObject* kid = kids->Get(k);
    TvlPDDictionary* d = kid ? kid->AsDictionary() : nullptr;
    if (!d || d == Annot) continue;
    TvlPDBaseObject* direct = kids->GetDirect(k);
    DrawWidget(Device, d, direct && direct->IsIndirectRef() ? direct->ObjectNumber : -1, kidValue,
               Depth + 1);
  }
}

void TvlPDPage::ReleaseCaches() {
  FContents.reset();
  FContentsRead = false;
  FAppearances.clear();
  FResources.reset();
  FResourcesRead = false;
}
