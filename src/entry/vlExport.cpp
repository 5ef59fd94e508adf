#include "entry/vlExport.h"

#include "entry/vlPDFConverter.h"

namespace {
AnsiString Arg(const char* const* p) { return p && *p ? AnsiString(*p) : AnsiString(); }
}  // namespace

extern "C" VL_EXPORT int32_t VL_STDCALL VelmoraPDFtoRTF(const char* const* inputFile,
                                                        const char* const* outputFile,
                                                        const char* const* pageRange) {
  try {
    TvlPDFConverter converter(nullptr);
    converter.SetInputFileName(Arg(inputFile));
    converter.SetOutputFileName(Arg(outputFile));
    converter.OutputSettings().PageRange = Arg(pageRange);
    converter.Convert();
    return -1;
  } catch (...) {
    return 0;
  }
}
