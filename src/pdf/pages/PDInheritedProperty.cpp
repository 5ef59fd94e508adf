#include "pdf/pages/PDInheritedProperty.h"

#include "pdf/core/PDBaseObject.h"

TvlPDInheritedProperty::TvlPDInheritedProperty(TvlPDDictionary* Node,
                                               std::shared_ptr<TvlPDInheritedProperty> Parent)
    : FNode(Node), FParent(std::move(Parent)) {
  auto pick = [&](const char* Key, TvlPDBaseObject* Inherited) {
    TvlPDBaseObject* own = FNode ? FNode->Get(Key) : nullptr;
    return own ? own : Inherited;
  };
  FMediaBox = pick("MediaBox", InheritedMediaBox());
  FCropBox = pick("CropBox", InheritedCropBox());
  FRotate = pick("Rotate", InheritedRotate());
  FResources = pick("Resources", InheritedResources());
}
