#include "pdf/content/PDXObject.h"

#include "pdf/content/PDColorSpace.h"
#include "pdf/content/PDForm.h"
#include "pdf/content/PDImage.h"
#include "pdf/core/BaseStream.h"
#include "pdf/core/PDBaseObject.h"
#include "pdf/pages/PDResource.h"

TvlPDXObject::~TvlPDXObject() = default;

TvlPDStream* TvlPDXObject::Stream() const { return Object ? Object->AsStream() : nullptr; }

std::unique_ptr<TvlPDXObject> XObjectFromDictionary(TvlPDDocument* Doc, TvlPDResource* Owner,
                                                    const AnsiString& Name, TvlPDBaseObject* Obj,
                                                    bool AppearanceOwner) {
  if (!Obj) return nullptr;
  TvlPDDictionary* d = Obj->AsStream() ? Obj->AsStream()->Dictionary() : Obj->AsDictionary();
  if (!d) return nullptr;
  TvlPDBaseObject* subtype = d->Get("Subtype");
  if (!subtype || !subtype->IsName()) {
    if (AppearanceOwner) return std::make_unique<TvlPDForm>(Doc, Owner, Name, Obj);
    return nullptr;
  }
  const AnsiString& s = subtype->TextValue();
  if (s == "Image") return std::make_unique<TvlPDImage>(Doc, Obj, Owner, Name);
  if (s == "Form") return std::make_unique<TvlPDForm>(Doc, Owner, Name, Obj);
  if (s == "Ps") return std::make_unique<TvlPDPostScript>(Doc, Owner, Name, Obj);
  return nullptr;
}

// ---- forms

TvlPDForm::TvlPDForm(TvlPDDocument* Doc, TvlPDResource* Owner, AnsiString Name, TvlPDBaseObject* Obj)
    : TvlPDXObject(Doc, Owner, std::move(Name), Obj, xkForm) {}

TvlPDForm::~TvlPDForm() = default;

TvlPDResource* TvlPDForm::Resources() {
  if (!FResourcesRead) {
    FResourcesRead = true;
    TvlPDDictionary* d = Stream() ? Stream()->Dictionary() : (Object ? Object->AsDictionary() : nullptr);
    TvlPDDictionary* res = d ? d->GetDictionary("Resources") : nullptr;
    if (res) FResources = std::make_unique<TvlPDResource>(Doc, res, Owner);
  }
  return FResources ? FResources.get() : Owner;
}

// ---- images

TvlPDImage::TvlPDImage(TvlPDDocument* Doc, TvlPDBaseObject* StreamObject, TvlPDResource* Owner,
                       AnsiString Name)
    : TvlPDXObject(Doc, Owner, std::move(Name), StreamObject, xkImage) {}

TvlPDImage::~TvlPDImage() = default;

TvlPDBaseObject* TvlPDImage::Entry(const char* Key, const char* Abbrev) const {
  TvlPDDictionary* d = Stream() ? Stream()->Dictionary() : (Object ? Object->AsDictionary() : nullptr);
  if (!d) return nullptr;
  TvlPDBaseObject* v = d->Get(Key);
  return v ? v : d->Get(Abbrev);
}

int TvlPDImage::GetWidth() {
  if (FWidth < 0) {
    TvlPDBaseObject* v = Entry("Width", "W");
    if (!v || !v->IsInteger()) return 0;
    FWidth = v->IntegerValue();
  }
  return FWidth;
}

int TvlPDImage::GetHeight() {
  if (FHeight < 0) {
    TvlPDBaseObject* v = Entry("Height", "H");
    if (!v || !v->IsInteger()) return -1;
    FHeight = v->IntegerValue();
  }
  return FHeight;
}

bool TvlPDImage::GetImageMask() {
  if (FImageMaskRead < 0) {
    TvlPDBaseObject* v = Entry("ImageMask", "IM");
    FIsImageMask = v && v->IsBoolean() && static_cast<TvlPDBoolean*>(v)->Value;
    FImageMaskRead = 1;
  }
  return FIsImageMask;
}

int TvlPDImage::GetBitsPerComponent() {
  if (FBitsPerComponent < 0) {
    TvlPDBaseObject* v = Entry("BitsPerComponent", "BPC");
    if (!v) return GetImageMask() ? 1 : -1;
    if (!v->IsInteger()) return -1;
    FBitsPerComponent = v->IntegerValue();
  }
  return FBitsPerComponent;
}

TvlPDColorSpace* TvlPDImage::GetColorSpace() {
  if (!FColorSpaceRead) {
    FColorSpaceRead = true;
    TvlPDBaseObject* v = Entry("ColorSpace", "CS");
    FOwnedColorSpace = ColorSpaceFromObject(v, {});
    FColorSpace = FOwnedColorSpace.get();
    if (!FColorSpace && v && v->IsName() && Owner) FColorSpace = Owner->FindColorSpace(v->TextValue());
  }
  return FColorSpace;
}

TvlPDBaseObject* TvlPDImage::GetDecode() { return Entry("Decode", "D"); }

int TvlPDImage::StreamKind() const {
  TvlPDStream* s = Stream();
  if (!s || !s->Data()) return skEOF;
  return s->Data()->GetKind();
}
