#include <gtest/gtest.h>

#include "pdf/content/PDColorSpace.h"
#include "pdf/content/PDForm.h"
#include "pdf/content/PDImage.h"
#include "pdf/core/BaseStream.h"
#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDDocument.h"
#include "pdf/fonts/FontFixture.h"
#include "pdf/pages/PDPage.h"
#include "pdf/pages/PDPageTree.h"
#include "support/PdfBuilder.h"
#include "support/RecordingDevice.h"

namespace {

std::unique_ptr<TvlPDDocument> Load(const std::string& Pdf) {
  auto doc = std::make_unique<TvlPDDocument>();
  doc->LoadFromStream(new TvlPlatformMemory(Pdf), true);
  return doc;
}

TEST(PDDocumentPages, LoadedFilePlaysWithFlateContentAndStamp) {
  vltest::PdfBuilder b;
  b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R 5 0 R] /Count 2 /MediaBox [0 0 200 100] "
                 "/Resources << /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Courier >> >> >> >>")
      .Object(3, "<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>")
      .FlateStream(4, "", "BT /F1 10 Tf 5 5 Td (ok) Tj ET")
      .Object(5, "<< /Type /Page /Parent 2 0 R /Contents [] >>")
      .Object(6, "<< /Producer <FEFF0041> /Title (t) >>")
      .Trailer("/Root 1 0 R /Info 6 0 R");
  auto doc = Load(b.Build());
  EXPECT_EQ(doc->GetPageCount(), 2);
  RecordingDevice dev;
  doc->PlayPage(&dev, 1, true, false, false, 0, 72, 72);
  EXPECT_EQ(dev.Joined(), "AcceptPage 0 72; StartPage 1 200x100; SetPageTransform 1 0 0 1 0 0; "
                          "UpdateAllState; UpdateTextMatrix 1 0 0 1 0 0; UpdateTextPosition 0 0; "
                          "UpdateTextPosition 5 5; UpdateFont 10; BeginTextShow; BeginString ok; "
                          "DrawGlyph U+006F 5,5 +6 o; DrawGlyph U+006B 11,5 +6 k; EndString; "
                          "EndTextShow; EndTextObject; EndPage");
  // An empty contents array: the page starts and ends with no stream.
  dev.Log.clear();
  doc->PlayPage(&dev, 2, true, false, false, 0, 72, 72);
  EXPECT_EQ(dev.Joined(), "AcceptPage 0 72; StartPage 2 200x100; EndPage");
  // The loaded copy carries the producer in the form it had (hex: UTF-16BE).
  TvlPDBaseObject* producer = doc->GetInfo()->Get("Producer");
  ASSERT_NE(producer, nullptr);
  EXPECT_EQ(producer->TextValue().substr(0, 12), "FEFF00560065");
}

TEST(PDXObject, FactoryKindsAndImageParameters) {
  vltest::FontFixture fx;
  struct Case {
    const char* Entries;
    bool Appearance;
    int Kind;  // -1: none
  };
  const Case cases[] = {
      {"/Subtype /Image", false, xkImage}, {"/Subtype /Form", false, xkForm},
      {"/Subtype /Ps", false, xkPostScript}, {"/Subtype /PS", false, -1},
      {"", false, -1},                     {"", true, xkForm},
  };
  int n = 1;
  for (const Case& c : cases) {
    auto x = XObjectFromDictionary(nullptr, nullptr, "X", fx.Stream(n++, c.Entries, ""), c.Appearance);
    if (c.Kind < 0) {
      EXPECT_EQ(x, nullptr) << c.Entries;
    } else {
      ASSERT_NE(x, nullptr) << c.Entries;
      EXPECT_EQ(x->Kind, c.Kind) << c.Entries;
      EXPECT_EQ(x->Name, "X");
    }
  }
  TvlPDImage full(nullptr, fx.Stream(20, "/Subtype /Image /W 10 /H 4 /BPC 8 /CS /RGB /D [1 0]", ""), nullptr);
  EXPECT_EQ(full.GetWidth(), 10);
  EXPECT_EQ(full.GetHeight(), 4);
  EXPECT_EQ(full.GetBitsPerComponent(), 8);
  ASSERT_NE(full.GetColorSpace(), nullptr);
  EXPECT_EQ(full.GetColorSpace()->ComponentCount(), 3);
  EXPECT_NE(full.GetDecode(), nullptr);
  EXPECT_EQ(full.StreamKind(), skPlain);
  TvlPDImage mask(nullptr, fx.Stream(21, "/Subtype /Image /Width 1.5 /ImageMask true", ""), nullptr);
  EXPECT_EQ(mask.GetWidth(), 0);
  EXPECT_EQ(mask.GetHeight(), -1);
  EXPECT_TRUE(mask.GetImageMask());
  EXPECT_EQ(mask.GetBitsPerComponent(), 1);
  EXPECT_EQ(mask.GetColorSpace(), nullptr);
}

TEST(PDRect, MirrorsItsArray) {
  vltest::FontFixture fx;
  TvlPDBaseObject* a = fx.Object(1, "[0 0.5 /x 10]");
  TvlPDRect r = TvlPDRect::FromObject(a);
  EXPECT_EQ(r.Bottom, 0.5);
  EXPECT_EQ(r.Right, -1.0);  // not a number
  EXPECT_FALSE(r.Changed);
  r.SetLeft(2.5);  // integer element: rounded half to even
  r.SetBottom(7.25);
  EXPECT_TRUE(r.Changed);
  EXPECT_EQ(a->AsArray()->Get(0)->IntegerValue(), 2);
  EXPECT_EQ(a->AsArray()->Get(1)->NumberValue(), 7.25);
}

}  // namespace
