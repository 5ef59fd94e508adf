#include "e2e/ConvertSupport.h"

#include <exception>

#include "entry/vlPDFConverter.h"

namespace vltest {

std::string ConvertPdf(const std::string& pdf, const std::string& rtf, const std::string& range,
                       const std::string& password) {
  try {
    TvlPDFConverter converter;
    converter.SetInputFileName(pdf);
    converter.SetOutputFileName(rtf);
    converter.OutputSettings().PageRange = range;
    if (!password.empty())
      converter.SetOnNeedPassword([password](TObject*, AnsiString& p) { p = password; });
    converter.Convert();
    return "";
  } catch (const std::exception& e) {
    const std::string message = e.what();
    return message.empty() ? "conversion failed" : message;
  }
}

}  // namespace vltest
