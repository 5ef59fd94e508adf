// Input that starts with "%PDF" is loaded as a document and every page is
// played; anything else is interpreted as one content stream with a font, a
// colour space, a graphics state and XObjects at hand. Either way the
// device asks for every glyph.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "pdf/content/PDContentStream.h"
#include "pdf/content/PDExportDevice.h"
#include "pdf/core/BaseStream.h"
#include "pdf/core/FileStream.h"
#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDDocument.h"
#include "pdf/core/PDModelException.h"
#include "pdf/pages/PDResource.h"

namespace {

class GlyphDevice : public TvlPDExportDevice {
public:
  GlyphDevice() {
    DrawsGlyphs = true;
    SkipsType3Text = true;
  }
};

TvlPDObjectPtr Name(const char* N) { return std::make_unique<TvlPDName>(N); }

TvlPDResource& Resources() {
  static std::unique_ptr<TvlPDDictionary> dict = [] {
    auto font = std::make_unique<TvlPDDictionary>();
    font->AddValue("Type", Name("Font"));
    font->AddValue("Subtype", Name("Type1"));
    font->AddValue("BaseFont", Name("Helvetica"));
    auto fonts = std::make_unique<TvlPDDictionary>();
    fonts->AddValue("F1", std::move(font));
    auto spaces = std::make_unique<TvlPDDictionary>();
    spaces->AddValue("CS0", Name("DeviceCMYK"));
    auto alpha = std::make_unique<TvlPDDictionary>();
    alpha->AddValue("CA", std::make_unique<TvlPDReal>(0.5));
    auto states = std::make_unique<TvlPDDictionary>();
    states->AddValue("GS0", std::move(alpha));
    auto d = std::make_unique<TvlPDDictionary>();
    d->AddValue("Font", std::move(fonts));
    d->AddValue("ColorSpace", std::move(spaces));
    d->AddValue("ExtGState", std::move(states));
    return d;
  }();
  static TvlPDResource res(nullptr, dict.get());
  return res;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GlyphDevice dev;
  const std::string bytes(reinterpret_cast<const char*>(Data), Size);
  if (bytes.rfind("%PDF", 0) == 0) {
    TvlPDDocument doc;
    try {
      doc.LoadFromStream(new TvlPlatformMemory(bytes), true);
      const int count = doc.GetPageCount();
      for (int n = 1; n <= count && n <= 50; ++n) doc.PlayPage(&dev, n, true, false, false, 0, 72, 72);
    } catch (const EKestrin&) {
    } catch (const Exception&) {
    }
    return 0;
  }
  TvlPDContentStream cs(nullptr, nullptr, &Resources(), nullptr);
  const TvlPDRect box(0, 0, 612, 792);
  cs.DisplayData(dev, bytes, 1, &box, 0, 72, 72);
  return 0;
}
