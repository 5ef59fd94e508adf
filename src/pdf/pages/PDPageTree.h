// The page tree: walks /Pages depth first and numbers the /Page leaves.
#pragma once

#include <memory>
#include <vector>

#include "platform/vlBase.h"

class TvlPDDocument;
class TvlPDDictionary;
class TvlPDPage;
class TvlPDCatalog;
class TvlPDInheritedProperty;

// The runtime's list-index failure ("List index out of bounds (%d)").
class EListError : public Exception {
public:
  explicit EListError(int Index);
};

class TvlPDPageTree {
public:
  TvlPDPageTree(TvlPDDocument* Doc, TvlPDCatalog* Catalog, TvlPDDictionary* Root);
  ~TvlPDPageTree();
  TvlPDPageTree(const TvlPDPageTree&) = delete;
  TvlPDPageTree& operator=(const TvlPDPageTree&) = delete;

  // The root's /Count; without a usable one, the number of pages found.
  int GetCount();
  // Page N (1-based); null for N < 0 or N > GetCount; N = 0 or a page
  // between the pages found and /Count raises EListError.
  TvlPDPage* GetPage(int N);
  // Pages found by the walk.
  int PagesFound();
  TvlPDCatalog* Catalog() const { return FCatalog; }

private:
  void BuildPageList();
  TvlPDDocument* FDoc;
  TvlPDCatalog* FCatalog;
  TvlPDDictionary* FRoot;
  bool FBuilt = false;
  std::vector<std::unique_ptr<TvlPDPage>> FPages;
};
