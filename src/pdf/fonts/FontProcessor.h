// Holder of an embedded font program for the content extractor. Creating one
// initialises a FreeType library instance; success is the signal that the
// program is usable. No face is opened and nothing is read from the program.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

// FreeType's invalid-library-handle error, reported when initialisation fails.
inline constexpr std::uint8_t kFontProcessorNoLibrary = 33;

class TvlFontProcessor {
public:
  // Error := 0 and the program is copied when FreeType initialises;
  // otherwise Error := 33 and nothing is copied.
  TvlFontProcessor(std::span<const std::uint8_t> FontProgram, std::uint8_t& Error, int HorzResolution,
                   int VertResolution, int FontSize);
  ~TvlFontProcessor();
  TvlFontProcessor(const TvlFontProcessor&) = delete;
  TvlFontProcessor& operator=(const TvlFontProcessor&) = delete;

  const std::vector<std::uint8_t>& Program() const { return FontData; }
  int FontSize() const { return Size; }
  int HorzResolution() const { return HorzRes; }
  int VertResolution() const { return VertRes; }
  bool HasLibrary() const { return Library != nullptr; }

private:
  FT_LibraryRec_* Library = nullptr;
  FT_FaceRec_* Face = nullptr;  // never opened
  std::vector<std::uint8_t> FontData;
  int Size = 0;
  int HorzRes = 0;
  int VertRes = 0;
};
