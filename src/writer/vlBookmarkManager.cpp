#include "writer/vlBookmarkManager.h"

#include "writer/vlConvUtils.h"

namespace {
std::weak_ptr<TvlBookmarkManager>& Shared() {
  static std::weak_ptr<TvlBookmarkManager> instance;
  return instance;
}

}  // namespace

void TvlBookmark::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlBookmark*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  *this = *s;
}

std::shared_ptr<TvlBookmarkManager> TvlBookmarkManager::Acquire() {
  std::shared_ptr<TvlBookmarkManager> p = Shared().lock();
  if (!p) {
    p = std::make_shared<TvlBookmarkManager>();
    Shared() = p;
  }
  return p;
}

long TvlBookmarkManager::UserCount() { return Shared().use_count(); }

void TvlBookmarkManager::Assign(const TPersistent& Source) {
  auto* s = dynamic_cast<const TvlBookmarkManager*>(&Source);
  if (!s) return TPersistent::Assign(Source);
  if (s == this) return;
  FBookmarks.clear();
  for (const auto& b : s->FBookmarks) FBookmarks.push_back(std::make_unique<TvlBookmark>(*b));
}

int TvlBookmarkManager::IndexOfBookmark(const WideString& Name) const {
  AnsiString key = NarrowToAnsi(Name);
  for (size_t i = 0; i < FBookmarks.size(); ++i)
    if (NarrowToAnsi(FBookmarks[i]->BookmarkName) == key) return static_cast<int>(i);
  return -1;
}

int TvlBookmarkManager::AddBookmark(const WideString& Name, uint8_t Kind) {
  int i = IndexOfBookmark(Name);
  if (i >= 0) return i;
  auto b = std::make_unique<TvlBookmark>();
  b->BookmarkName = Name;
  b->BookmarkKind = Kind;
  FBookmarks.push_back(std::move(b));
  return Count() - 1;
}

int TvlBookmarkManager::AddBookmark(const WideString& Name, const TvlDoubleRect& Rect) {
  int i = IndexOfBookmark(Name);
  if (i >= 0) return i;
  auto b = std::make_unique<TvlBookmark>();
  b->BookmarkName = Name;
  b->BookmarkKind = 3;
  b->BookmarkRect = Rect;
  FBookmarks.push_back(std::move(b));
  return Count() - 1;
}
