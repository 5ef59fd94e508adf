// Bookmarks, shared by every writer of the process.
#pragma once

#include <memory>
#include <vector>

#include "platform/vlClasses.h"
#include "writer/vlConvUtils.h"

class TvlBookmark : public TPersistent {
public:
  const char* ClassName() const override { return "TvlBookmark"; }
  void Assign(const TPersistent& Source) override;

  uint8_t BookmarkKind = 0;  // 3 for a bookmark added with a rectangle
  WideString BookmarkName;
  TvlDoubleRect BookmarkRect;
};

// The process-wide bookmark list; Acquire() as for the style manager.
class TvlBookmarkManager : public TPersistent {
public:
  static std::shared_ptr<TvlBookmarkManager> Acquire();
  static long UserCount();

  const char* ClassName() const override { return "TvlBookmarkManager"; }
  void Assign(const TPersistent& Source) override;

  // The index of the bookmark with that name (compared as 8-bit text,
  // case-sensitive), else the index of a newly appended one.
  int AddBookmark(const WideString& Name, uint8_t Kind);
  int AddBookmark(const WideString& Name, const TvlDoubleRect& Rect);
  int IndexOfBookmark(const WideString& Name) const;
  TvlBookmark& BookmarkAt(int Index) { return *FBookmarks.at(static_cast<size_t>(Index)); }
  int Count() const { return static_cast<int>(FBookmarks.size()); }
  void Clear() { FBookmarks.clear(); }

private:
  std::vector<std::unique_ptr<TvlBookmark>> FBookmarks;
};
