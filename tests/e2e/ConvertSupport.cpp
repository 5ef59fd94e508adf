#include "e2e/ConvertSupport.h"

#include "entry/vlExport.h"

namespace vltest {

std::string ConvertPdf(const std::string& pdf, const std::string& rtf, const std::string& range,
                       const std::string& password) {
  (void)password;
  const char* in = pdf.c_str();
  const char* out = rtf.c_str();
  const char* r = range.c_str();
  return VelmoraPDFtoRTF(&in, &out, &r) == -1 ? "" : "conversion failed";
}

}  // namespace vltest
