// A resource dictionary: fonts, colour spaces, graphics states and XObjects
// by name. Each category is built from its sub-dictionary on the first
// lookup, entry by entry, and owned here.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/vlBase.h"

class TvlPDDocument;
class TvlPDDictionary;
class TvlPDFont;
class TvlPDColorSpace;
class TvlPDGState;
class TvlPDXObject;

class TvlPDResource {
public:
  // Dict may be null (an empty resource set). FontSource, when given, lends
  // its fonts if Dict has no Font entry of its own (forms without fonts).
  TvlPDResource(TvlPDDocument* Doc, TvlPDDictionary* Dict, TvlPDResource* FontSource = nullptr);
  ~TvlPDResource();
  TvlPDResource(const TvlPDResource&) = delete;
  TvlPDResource& operator=(const TvlPDResource&) = delete;

  TvlPDFont* FindFont(std::string_view Name);
  TvlPDColorSpace* FindColorSpace(std::string_view Name);
  TvlPDGState* FindExtGState(std::string_view Name);
  TvlPDXObject* FindXObject(std::string_view Name);
  int FontCount();
  // The font list in use (possibly borrowed).
  const std::vector<std::unique_ptr<TvlPDFont>>& Fonts();
  // Adds a font under its resource name (fonts built outside a dictionary).
  void AddFont(std::unique_ptr<TvlPDFont> Font);

  TvlPDDictionary* Dictionary() const { return FDict; }
  TvlPDDocument* Document() const { return FDoc; }

private:
  void BuildFonts();
  TvlPDDocument* FDoc;
  TvlPDDictionary* FDict;
  TvlPDResource* FFontSource;
  bool FFontsBuilt = false, FColorSpacesBuilt = false, FGStatesBuilt = false, FXObjectsBuilt = false;
  std::vector<std::unique_ptr<TvlPDFont>> FFonts;
  TvlPDResource* FBorrowedFonts = nullptr;
  std::vector<std::unique_ptr<TvlPDColorSpace>> FColorSpaces;
  std::vector<std::unique_ptr<TvlPDGState>> FGStates;
  std::vector<std::unique_ptr<TvlPDXObject>> FXObjects;
};
