#include "pdf/fonts/FontProcessor.h"

#include <ft2build.h>
#include FT_FREETYPE_H

TvlFontProcessor::TvlFontProcessor(std::span<const std::uint8_t> FontProgram, std::uint8_t& Error,
                                   int HorzResolution, int VertResolution, int FontSize)
    : Size(FontSize), HorzRes(HorzResolution), VertRes(VertResolution) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0 || library == nullptr) {
    Error = kFontProcessorNoLibrary;
    return;
  }
  Library = library;
  Error = 0;
  FontData.assign(FontProgram.begin(), FontProgram.end());
}

TvlFontProcessor::~TvlFontProcessor() {
  if (Face) FT_Done_Face(Face);
  if (Library) FT_Done_FreeType(Library);
}
