// The whole conversion of the input bytes: parser, content extractor,
// formatter and RTF writer, as the exported function runs it, with the RTF
// going nowhere. Every failure must come back as an exception.
#include <cstddef>
#include <cstdint>

#include "entry/vlPDFParser.h"
#include "formatter/vlFormatter.h"
#include "platform/vlClasses.h"
#include "rtf/vlRTFDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    TvlRTFDoc rtf(nullptr);
    rtf.SetFileName("/dev/null");
    TvlFormatter formatter(&rtf);
    TvlPDFParser parser(&formatter);
    parser.SetExtractionOptions(3);
    TMemoryStream input;
    input.Write(Data, Size);
    parser.OpenStream(input, "");
    parser.Parse();
    parser.Close();
  } catch (const Exception&) {
  }
  return 0;
}
