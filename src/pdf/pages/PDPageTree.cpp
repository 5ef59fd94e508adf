#include "pdf/pages/PDPageTree.h"

#include <unordered_set>

#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDDocument.h"
#include "pdf/pages/PDInheritedProperty.h"
#include "pdf/pages/PDPage.h"

EListError::EListError(int Index)
    : Exception("List index out of bounds (" + std::to_string(Index) + ")") {}

TvlPDPageTree::TvlPDPageTree(TvlPDDocument* Doc, TvlPDCatalog* Catalog, TvlPDDictionary* Root)
    : FDoc(Doc), FCatalog(Catalog), FRoot(Root) {}

TvlPDPageTree::~TvlPDPageTree() = default;

int TvlPDPageTree::GetCount() {
  TvlPDBaseObject* c = FRoot ? FRoot->Get("Count") : nullptr;
  if (c && c->IsInteger()) return c->IntegerValue();
  return PagesFound();
}

int TvlPDPageTree::PagesFound() {
  BuildPageList();
  return static_cast<int>(FPages.size());
}

TvlPDPage* TvlPDPageTree::GetPage(int N) {
  BuildPageList();
  if (N < 0 || N > GetCount()) return nullptr;
  if (N == 0 || N > static_cast<int>(FPages.size())) throw EListError(N);
  return FPages[N - 1].get();
}

void TvlPDPageTree::BuildPageList() {
  if (FBuilt) return;
  FBuilt = true;
  if (!FRoot) return;
  // Depth first with an explicit stack; each reference is visited once, so
  // cycles and shared kids cannot repeat pages or loop.
  std::unordered_set<int32_t> visited;
  struct Frame {
    TvlPDArray* Kids;
    int Next;
    std::shared_ptr<TvlPDInheritedProperty> Property;
  };
  std::vector<Frame> stack;
  auto enter = [&](TvlPDDictionary* Node, std::shared_ptr<TvlPDInheritedProperty> Parent) {
    auto property = std::make_shared<TvlPDInheritedProperty>(Node, std::move(Parent));
    TvlPDArray* kids = Node->GetArray("Kids");
    if (!kids) return false;  // a node without kids ends the walk
    stack.push_back({kids, 0, std::move(property)});
    return true;
  };
  if (!enter(FRoot, nullptr)) return;
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.Next >= f.Kids->Count()) {
      stack.pop_back();
      continue;
    }
    const int i = f.Next++;
    TvlPDBaseObject* direct = f.Kids->GetDirect(i);
    if (direct && direct->IsIndirectRef() && !visited.insert(direct->ObjectNumber).second) continue;
    TvlPDBaseObject* kid = f.Kids->Get(i);
    TvlPDDictionary* d = kid ? kid->AsDictionary() : nullptr;
    if (!d || d == FRoot) continue;
    if (d->HasType("Page")) {
      auto property = std::make_shared<TvlPDInheritedProperty>(d, f.Property);
      FPages.push_back(std::make_unique<TvlPDPage>(FDoc, this, d,
                                                   static_cast<int>(FPages.size()) + 1, property));
    } else if (d->HasType("Pages")) {
      std::shared_ptr<TvlPDInheritedProperty> parent = f.Property;
      if (!enter(d, parent)) return;
    }
  }
}
