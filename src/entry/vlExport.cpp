#include "entry/vlExport.h"

extern "C" VL_EXPORT int32_t VL_STDCALL VelmoraPDFtoRTF(const char* const* inputFile,
                                                        const char* const* outputFile,
                                                        const char* const* pageRange) {
  (void)inputFile;
  (void)outputFile;
  (void)pageRange;
  return 0;  // the converter is not built yet
}
