// One ExtGState resource. Only the stroke and fill alpha are read.
#pragma once

#include "platform/vlBase.h"

class TvlPDDictionary;

class TvlPDGState {
public:
  TvlPDGState(AnsiString Name, TvlPDDictionary* Dictionary)
      : Name(std::move(Name)), Dictionary(Dictionary) {}
  AnsiString Name;
  TvlPDDictionary* Dictionary;  // not owned
  // CA and ca, read on first use; -1 when absent or not a number (looked up
  // again next time).
  long double GetStrokeAlpha();
  long double GetFillAlpha();

private:
  long double CachedStrokeAlpha = -1;
  long double CachedFillAlpha = -1;
};
