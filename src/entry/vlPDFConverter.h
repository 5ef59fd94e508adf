// The PDF converter component: the file converter under its published name.
#pragma once

#include "entry/vlFileConverter.h"

class TvlPDFConverter : public TvlFileConverter {
public:
  using TvlFileConverter::TvlFileConverter;
  const char* ClassName() const override { return "TvlPDFConverter"; }
};
