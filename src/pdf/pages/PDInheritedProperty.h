// The attributes a page inherits from its /Pages ancestors: MediaBox,
// CropBox, Rotate and Resources. Each node's effective value is its own
// entry when present, otherwise its parent's effective value.
#pragma once

#include <memory>

class TvlPDDictionary;
class TvlPDBaseObject;

class TvlPDInheritedProperty {
public:
  TvlPDInheritedProperty(TvlPDDictionary* Node, std::shared_ptr<TvlPDInheritedProperty> Parent);

  TvlPDDictionary* Node() const { return FNode; }
  const std::shared_ptr<TvlPDInheritedProperty>& Parent() const { return FParent; }
  // Effective values (objects of the document's cache), or null.
  TvlPDBaseObject* MediaBox() const { return FMediaBox; }
  TvlPDBaseObject* CropBox() const { return FCropBox; }
  TvlPDBaseObject* Rotate() const { return FRotate; }
  TvlPDBaseObject* Resources() const { return FResources; }
  // The values this node inherited from its ancestors (without its own entries).
  TvlPDBaseObject* InheritedMediaBox() const { return FParent ? FParent->FMediaBox : nullptr; }
  TvlPDBaseObject* InheritedCropBox() const { return FParent ? FParent->FCropBox : nullptr; }
  TvlPDBaseObject* InheritedRotate() const { return FParent ? FParent->FRotate : nullptr; }
  TvlPDBaseObject* InheritedResources() const { return FParent ? FParent->FResources : nullptr; }

private:
  TvlPDDictionary* FNode;
  std::shared_ptr<TvlPDInheritedProperty> FParent;
  TvlPDBaseObject* FMediaBox = nullptr;
  TvlPDBaseObject* FCropBox = nullptr;
  TvlPDBaseObject* FRotate = nullptr;
  TvlPDBaseObject* FResources = nullptr;
};
