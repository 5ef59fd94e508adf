// Every font dictionary of every corpus PDF builds a font object, and every
// composite font there has a CMap.
#include <gtest/gtest.h>

#include <filesystem>

#include "pdf/core/PDDocument.h"
#include "pdf/fonts/PD8bitFont.h"
#include "pdf/fonts/PDCIDFont.h"

namespace {

TEST(PDFontCorpus, EveryFontBuilds) {
  std::filesystem::path dir = VL_SOURCE_DIR "/../shared/corpus";
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << "no corpus at " << dir;
  int fonts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".pdf") continue;
    SCOPED_TRACE(entry.path().filename().string());
    TvlPDDocument doc;
    if (entry.path().filename().string().find("-secret") != std::string::npos)
      doc.SetPassword(nullptr, "secret");  // the corpus's user password
    ASSERT_NO_THROW(doc.LoadFromFile(entry.path().string()));
    for (int32_t num = 1; num < doc.GetObjectCount(); ++num) {
      TvlPDBaseObject* obj = doc.FetchObject(num);
      TvlPDDictionary* d = obj ? obj->AsDictionary() : nullptr;
      if (!d || d->GetName("Type") != "Font") continue;
      const AnsiString subtype = d->GetName("Subtype");
      if (subtype.rfind("CIDFontType", 0) == 0) continue;  // descendants of Type0 fonts
      std::unique_ptr<TvlPDFont> font;
      ASSERT_NO_THROW(font = TvlPDFont::CreateFont(&doc, nullptr, d, "F")) << "object " << num;
      ASSERT_TRUE(font) << "object " << num;
      if (subtype == "Type0") {
        EXPECT_TRUE(font->IsCIDFont());
        EXPECT_NE(dynamic_cast<TvlPDCIDFont&>(*font).CMap(), nullptr) << "object " << num;
      }
      ++fonts;
      // Subsets name their program; only encrypted files keep it unreadable.
      if (font->EmbedState() != kNotEmbedded && !doc.IsEncrypted() && font->HasFontFile()) {
        const std::vector<std::uint8_t>* program = font->GetFontFileStream();
        ASSERT_NE(program, nullptr) << "object " << num;
        EXPECT_FALSE(program->empty()) << "object " << num;
      }
    }
  }
  EXPECT_GT(fonts, 0);
}

}  // namespace
