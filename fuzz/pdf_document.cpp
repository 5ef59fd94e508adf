// Opens a document from the input bytes, fetches every object that has a
// cross-reference entry and reads every stream to its end.
#include <cstddef>
#include <cstdint>

#include "pdf/core/PDBaseDoc.h"
#include "pdf/core/PDDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TvlPDDocument doc;
  try {
    doc.LoadFromStream(new TvlPlatformMemory(AnsiString(reinterpret_cast<const char*>(Data), Size)),
                       true);
  } catch (const Exception&) {
    return 0;
  }
  static uint8_t sink[65536];
  for (int32_t n : doc.GetBaseDoc()->GetXRef()->EntryNumbers()) {
    try {
      TvlPDBaseObject* o = doc.FetchObject(n);
      TvlPDStream* s = o ? o->AsStream() : nullptr;
      if (!s || !s->Data()) continue;
      s->Reset();
      while (s->Data()->ReadBuffer(sink, sizeof sink) == sizeof sink) {
      }
      s->Data()->Finish();
    } catch (const Exception&) {
      // Fixed-message failures are allowed; crashes, hangs and leaks are not.
    }
  }
  doc.GetInfo();
  return 0;
}
