#include "entry/vlPDFParser.h"

void TvlPDFParser::Open(const AnsiString& FileName, const AnsiString& Password) {
  (void)FileName;
  (void)Password;
  throw Exception("The PDF reader is not built yet");
}
