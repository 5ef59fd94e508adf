#include <gtest/gtest.h>

#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDModelException.h"
#include "pdf/fonts/FontFixture.h"
#include "pdf/pages/PDPage.h"
#include "pdf/pages/PDPageTree.h"
#include "pdf/pages/PDResource.h"
#include "support/RecordingDevice.h"

namespace {

// A tree with inherited boxes and rotation, a shared kid, a cycle back to
// the root and a /Count larger than the leaves.
struct TreeFixture {
  TreeFixture() {
    fx.Object(1, "<< /Type /Pages /Kids [2 0 R 3 0 R 3 0 R 1 0 R 7 0 R] /Count 5 "
                 "/MediaBox [0 0 500 500] /Rotate 90 >>");
    fx.Object(2, "<< /Type /Pages /Kids [4 0 R 5 0 R] /MediaBox [0 0 300 300] >>");
    fx.Object(3, "<< /Type /Page /MediaBox [0 792 612 0] /Rotate 0 /Contents 8 0 R "
                 "/Resources << /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >> >>");
    fx.Object(4, "<< /Type /Page /CropBox [100 100 50 50] >>");
    fx.Object(5, "<< /Type /Page /Contents [9 0 R 6 0 R 10 0 R] /Annots [11 0 R 12 0 R] >>");
    fx.Object(6, "42");
    fx.Object(7, "<< /Type /Template >>");
    fx.Stream(8, "", "BT /F1 10 Tf (Hi) Tj ET");
    fx.Stream(9, "", "q 2 w");
    fx.Stream(10, "", "Q 0 0 1 1 re f");
    fx.Object(11, "<< /Type /Annot /Subtype /Widget /Rect [10 40 110 20] /AP << /N 13 0 R >> >>");
    fx.Object(12, "<< /Type /Annot /Subtype /Widget /F 2 /Rect [0 0 1 1] /AP << /N 13 0 R >> >>");
    fx.Stream(13, "/BBox [0 0 100 20]", "");
    tree = std::make_unique<TvlPDPageTree>(nullptr, nullptr, fx.FetchObject(1)->AsDictionary());
  }
  vltest::FontFixture fx;
  std::unique_ptr<TvlPDPageTree> tree;
};

TEST(PDPageTree, WalkInheritanceAndCount) {
  TreeFixture t;
  EXPECT_EQ(t.tree->GetCount(), 5);
  EXPECT_EQ(t.tree->PagesFound(), 3);  // 4, 5, then 3 once
  TvlPDPage* p1 = t.tree->GetPage(1);
  TvlPDPage* p3 = t.tree->GetPage(3);
  ASSERT_NE(p1, nullptr);
  EXPECT_EQ(p1->PageNumber, 1);
  EXPECT_EQ(p3->Dictionary(), t.fx.FetchObject(3));
  EXPECT_EQ(t.tree->GetPage(-1), nullptr);
  EXPECT_EQ(t.tree->GetPage(6), nullptr);
  EXPECT_THROW(t.tree->GetPage(0), EListError);
  try {
    t.tree->GetPage(4);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (4)");
  }

  double w, h;
  // Page 1: nearest ancestor's MediaBox (300), signed CropBox size, inherited rotation.
  EXPECT_EQ(p1->GetMediaBox()->Right, 300);
  p1->GetPageSize(w, h);
  EXPECT_EQ(w, -50);
  EXPECT_EQ(h, -50);
  EXPECT_EQ(p1->GetRotate(), 90);
  // Page 3: own reversed MediaBox, absolute size.
  p3->GetPageSize(w, h);
  EXPECT_EQ(w, 612);
  EXPECT_EQ(h, 792);
  EXPECT_EQ(p3->GetRotate(), 0);
  EXPECT_EQ(p3->GetCropBox(), nullptr);
}

TEST(PDPageTree, BadBoxesAndRotation) {
  vltest::FontFixture fx;
  fx.Object(1, "<< /Type /Pages /Kids [2 0 R] /Count 1 >>");
  fx.Object(2, "<< /Type /Page /MediaBox 5 /Rotate 1.5 >>");
  TvlPDPageTree tree(nullptr, nullptr, fx.FetchObject(1)->AsDictionary());
  TvlPDPage* p = tree.GetPage(1);
  EXPECT_THROW(p->GetMediaBox(), ExBadPage);
  EXPECT_THROW(p->GetRotate(), ExBadPage);
  // No /Kids: no pages, no failure.
  fx.Object(3, "<< /Type /Pages /Count 2 >>");
  TvlPDPageTree empty(nullptr, nullptr, fx.FetchObject(3)->AsDictionary());
  EXPECT_EQ(empty.PagesFound(), 0);
  EXPECT_THROW(empty.GetPage(1), EListError);
}

TEST(PDPage, PlayProtocol) {
  TreeFixture t;
  RecordingDevice dev;
  // No /Contents: accepted, then nothing.
  t.tree->GetPage(1)->Play(dev, true, false, false, 0, 72, 72);
  EXPECT_EQ(dev.Joined(), "AcceptPage 0 72");

  dev.Log.clear();
  dev.Accept = false;
  t.tree->GetPage(3)->Play(dev, true, false, false, 0, 72, 72);
  EXPECT_EQ(dev.Joined(), "AcceptPage 0 72");

  dev.Log.clear();
  dev.Accept = true;
  t.tree->GetPage(3)->Play(dev, false, false, false, 90, 144, 144);
  EXPECT_EQ(dev.Joined(),
            // The reversed box is kept as it is: corners are not reordered.
            "AcceptPage 90 144; StartPage 3 -1584x1224; SetPageTransform 0 -2 2 0 -1584 1224; "
            "UpdateAllState; UpdateTextMatrix 1 0 0 1 0 0; UpdateTextPosition 0 0; UpdateFont 10; "
            "BeginTextShow; BeginString Hi; DrawGlyph U+0048 0,0 +7.22 H; "
            "DrawGlyph U+0069 7.22,0 +2.22 i; EndString; EndTextShow; EndTextObject; EndPage");

  // Two streams (the non-stream element is skipped) sharing a q/Q pair, then
  // the visible widget drawn on a 72 dpi state at its rectangle's corner.
  dev.Log.clear();
  t.tree->GetPage(2)->Play(dev, true, false, false, 0, 72, 72);
  EXPECT_EQ(dev.Operators(),
            "AcceptPage 0 72; SaveState 0; UpdateLineWidth 2; RestoreState 0; "
            "FillPath 0,0 1,0 1,1 0,1 0,0 z; BeginAnnotation; SaveState 0; "
            "UpdateTransform 1 0 0 1 10 20 ctm 1 10; DrawForm; RestoreState 0");
}

TEST(PDResource, FormsBorrowFonts) {
  vltest::FontFixture fx;
  TvlPDResource page(nullptr, fx.Dict("<< /Font << /F1 << /Type /Font /Subtype /Type1 "
                                      "/BaseFont /Courier >> /F2 5 >> >>"));
  TvlPDResource form(nullptr, fx.Dict("<< /XObject << >> >>"), &page);
  TvlPDResource own(nullptr, fx.Dict("<< /Font << >> >>"), &page);
  EXPECT_EQ(page.FontCount(), 1);  // the non-dictionary entry gives no font
  EXPECT_EQ(form.FindFont("F1"), page.FindFont("F1"));
  EXPECT_EQ(own.FindFont("F1"), nullptr);
  EXPECT_EQ(page.FindFont("f1"), nullptr);  // names are case-sensitive
  EXPECT_EQ(page.FindXObject("X"), nullptr);
}

}  // namespace
