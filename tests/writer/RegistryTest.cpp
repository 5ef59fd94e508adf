#include <gtest/gtest.h>

#include "writer/vlBookmarkManager.h"
#include "writer/vlDocumentWriter.h"
#include "writer/vlStyleManager.h"

TEST(Registries, StylesAreSharedAndDestroyedWithTheLastUser) {
  ASSERT_EQ(TvlStyleManager::UserCount(), 0);
  {
    TvlDocumentWriter first;
    TFont font;
    font.Name = "Arial";
    EXPECT_EQ(first.StyleManager().AddStyle(font, clRed, "Body", 0), 0);
    EXPECT_EQ(first.StyleManager().AddStyle(font, clBlue, "Body", 1), 0);
    EXPECT_EQ(first.StyleManager().AddStyle(font, clBlue, "body", 1), 1);
    {
      TvlDocumentWriter second;
      EXPECT_EQ(&second.StyleManager(), &first.StyleManager());
      EXPECT_EQ(TvlStyleManager::UserCount(), 2);
      EXPECT_EQ(second.StyleManager().Count(), 2);
      EXPECT_EQ(second.StyleManager().StyleAt(0).StyleID, "s11");
      EXPECT_EQ(second.StyleManager().StyleAt(1).StyleID, "s12");
      EXPECT_EQ(second.StyleManager().StyleAt(0).StyleColor, clRed);
      EXPECT_EQ(second.StyleManager().IndexOfStyle("body"), 1);
      EXPECT_EQ(second.StyleManager().IndexOfStyle("Head"), -1);
    }
    EXPECT_EQ(first.StyleManager().Count(), 2);
  }
  EXPECT_EQ(TvlStyleManager::UserCount(), 0);
  TvlDocumentWriter fresh;
  EXPECT_EQ(fresh.StyleManager().Count(), 0);
}

TEST(Registries, Bookmarks) {
  auto bm = TvlBookmarkManager::Acquire();
  bm->Clear();
  EXPECT_EQ(bm->AddBookmark(u"Intro", 1), 0);
  EXPECT_EQ(bm->AddBookmark(u"Intro", TvlDoubleRect{1, 2, 3, 4}), 0);
  EXPECT_EQ(bm->AddBookmark(u"Next", TvlDoubleRect{1, 2, 3, 4}), 1);
  EXPECT_EQ(bm->BookmarkAt(0).BookmarkKind, 1);
  EXPECT_EQ(bm->BookmarkAt(1).BookmarkKind, 3);
  EXPECT_EQ(bm->BookmarkAt(1).BookmarkRect.Bottom, 4);
  EXPECT_EQ(TvlBookmarkManager::Acquire().get(), bm.get());
  bm->Clear();
}
