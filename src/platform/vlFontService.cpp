#include "platform/vlFontService.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <unordered_map>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include "platform/vlGeometry.h"
#include "platform/vlSystem.h"

namespace vl {

namespace {

AnsiString Lower(const AnsiString& s) {
  AnsiString r = s;
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

// Standard names and the installed families whose glyph advances match them
// (metric-compatible clones). A standard name is reported, and measured with
// the clone, when fontconfig resolves the name to one of these families.
struct StandardName {
  const char* Name;
  const char* Compatible[7];
};

constexpr StandardName kStandardNames[] = {
    {"Arial", {"Liberation Sans", "Arimo", "Nimbus Sans", "Nimbus Sans L", "TeX Gyre Heros", "Albany AMT"}},
    {"Helvetica", {"Liberation Sans", "Arimo", "Nimbus Sans", "Nimbus Sans L", "TeX Gyre Heros", "Albany AMT"}},
    {"Arial Narrow", {"Liberation Sans Narrow", "Nimbus Sans Narrow"}},
    {"Helvetica Narrow", {"Liberation Sans Narrow", "Nimbus Sans Narrow"}},
    {"Times New Roman",
     {"Liberation Serif", "Tinos", "Nimbus Roman", "Nimbus Roman No9 L", "TeX Gyre Termes", "Thorndale AMT"}},
    {"Times", {"Liberation Serif", "Tinos", "Nimbus Roman", "Nimbus Roman No9 L", "TeX Gyre Termes", "Thorndale AMT"}},
    {"Courier New",
     {"Liberation Mono", "Cousine", "Nimbus Mono PS", "Nimbus Mono L", "TeX Gyre Cursor", "Cumberland AMT"}},
    {"Courier", {"Liberation Mono", "Cousine", "Nimbus Mono PS", "Nimbus Mono L", "TeX Gyre Cursor", "Cumberland AMT"}},
    {"Symbol", {"Standard Symbols PS", "Standard Symbols L"}},
    {"ZapfDingbats", {"D050000L", "Dingbats"}},
    {"Zapf Dingbats", {"D050000L", "Dingbats"}},
    {"Cambria", {"Caladea"}},
    {"Calibri", {"Carlito"}},
    {"Georgia", {"Gelasio"}},
    {"Bookman Old Style", {"URW Bookman", "URW Bookman L", "TeX Gyre Bonum"}},
    {"Century Gothic", {"URW Gothic", "URW Gothic L", "TeX Gyre Adventor"}},
    {"Palatino Linotype", {"P052", "URW Palladio L", "TeX Gyre Pagella"}},
    {"Book Antiqua", {"P052", "URW Palladio L", "TeX Gyre Pagella"}},
    {"Century Schoolbook", {"C059", "Century Schoolbook L", "TeX Gyre Schola"}},
};

struct FaceEntry {
  FT_Face Face = nullptr;
  AnsiString File;
  AnsiString Family;
  bool Valid = false;
  double UnitsPerEm = 1000;
  int WinAscent = 0, WinDescent = 0, LineGap = 0;
  // Advance per UTF-16 unit as a fraction of the em; NaN when not measured yet.
  std::vector<float> Advance;
  // Outlines in font units, y up, by character (from the face that has it).
  std::unordered_map<char16_t, std::pair<TvlPath, FaceEntry*>> Outlines;
};

FcPattern* MakePattern(const AnsiString& family, TFontStyles style) {
  FcPattern* p = FcPatternCreate();
  FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(p, FC_WEIGHT, style.Contains(fsBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(p, FC_SLANT, style.Contains(fsItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(p, FC_SCALABLE, FcTrue);
  return p;
}

}  // namespace

struct TvlFontService::Impl {
  FcConfig* Config = nullptr;
  FT_Library Library = nullptr;
  bool NamesBuilt = false;
  std::vector<AnsiString> Names;
  std::unordered_map<AnsiString, bool> NameSet;  // lower-case
  std::map<std::pair<AnsiString, int>, FaceEntry*> ByRequest;
  std::map<std::pair<AnsiString, int>, std::unique_ptr<FaceEntry>> ByFile;
  std::unordered_map<char16_t, FaceEntry*> FallbackFor;
  // The most recent requests by exact name, checked before the map: a page
  // uses a handful of fonts over and over.
  struct Recent {
    AnsiString Name;
    uint8_t Style = 0xFF;
    FaceEntry* Face = nullptr;
  };
  Recent Recents[8];
  unsigned NextRecent = 0;

  Impl() {
    Config = FcInitLoadConfigAndFonts();
    if (FT_Init_FreeType(&Library) != 0) Library = nullptr;
  }
  ~Impl() {
    Clear();
    if (Library) FT_Done_FreeType(Library);
    if (Config) FcConfigDestroy(Config);
  }
  void Clear() {
    for (auto& [k, f] : ByFile)
      if (f->Face) FT_Done_Face(f->Face);
    ByFile.clear();
    ByRequest.clear();
    FallbackFor.clear();
    for (Recent& r : Recents) r = Recent{};
    NamesBuilt = false;
    Names.clear();
    NameSet.clear();
  }

  FaceEntry* Open(const AnsiString& file, int index) {
    auto key = std::make_pair(file, index);
    auto it = ByFile.find(key);
    if (it != ByFile.end()) return it->second.get();
    auto e = std::make_unique<FaceEntry>();
    e->File = file;
    if (Library && FT_New_Face(Library, file.c_str(), index, &e->Face) == 0) {
      e->Valid = true;
      e->Family = e->Face->family_name ? e->Face->family_name : "";
      e->UnitsPerEm = e->Face->units_per_EM ? e->Face->units_per_EM : 1000;
      auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(e->Face, FT_SFNT_OS2));
      if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        e->WinAscent = os2->usWinAscent;
        e->WinDescent = os2->usWinDescent;
        int hhea = e->Face->height - (e->Face->ascender - e->Face->descender);
        e->LineGap = std::max(hhea, 0);
      } else {
        e->WinAscent = e->Face->ascender;
        e->WinDescent = -e->Face->descender;
        e->LineGap = std::max(e->Face->height - (e->Face->ascender - e->Face->descender), 0);
      }
      e->Advance.assign(65536, NAN);
    } else {
      e->Face = nullptr;
    }
    FaceEntry* raw = e.get();
    ByFile.emplace(key, std::move(e));
    return raw;
  }

  FaceEntry* MatchPattern(FcPattern* p) {
    FcConfigSubstitute(Config, p, FcMatchPattern);
    FcDefaultSubstitute(p);
    FcResult result;
    FcPattern* m = FcFontMatch(Config, p, &result);
    FaceEntry* face = nullptr;
    if (m) {
      FcChar8* file = nullptr;
      int index = 0;
      if (FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(m, FC_INDEX, 0, &index);
        face = Open(reinterpret_cast<const char*>(file), index);
        if (!face->Valid) face = nullptr;
      }
      FcPatternDestroy(m);
    }
    return face;
  }

  FaceEntry* Resolve(const AnsiString& family, TFontStyles style) {
    auto key = std::make_pair(Lower(family), static_cast<int>(style.ToByte() & 3));
    auto it = ByRequest.find(key);
    if (it != ByRequest.end()) return it->second;
    FaceEntry* face = nullptr;
    if (Config) {
      FcPattern* p = MakePattern(family, style);
      face = MatchPattern(p);
      FcPatternDestroy(p);
    }
    ByRequest.emplace(key, face);
    return face;
  }

  FaceEntry* ForName(const AnsiString& name, TFontStyles styles) {
    uint8_t style = styles.ToByte() & 3;
    for (const Recent& r : Recents)
      if (r.Style == style && r.Name == name) return r.Face;
    Recent& slot = Recents[NextRecent++ % std::size(Recents)];
    slot.Face = Resolve(name, styles);
    slot.Name = name;
    slot.Style = style;
    return slot.Face;
  }
  FaceEntry* ForFont(const TFont& font) { return ForName(font.Name, font.Style); }

  // Another installed font that has the character, for text the requested
  // face cannot show.
  FaceEntry* Fallback(char16_t ch) {
    auto it = FallbackFor.find(ch);
    if (it != FallbackFor.end()) return it->second;
    FaceEntry* face = nullptr;
    if (Config) {
      FcPattern* p = FcPatternCreate();
      FcCharSet* cs = FcCharSetCreate();
      FcCharSetAddChar(cs, ch);
      FcPatternAddCharSet(p, FC_CHARSET, cs);
      FcPatternAddBool(p, FC_SCALABLE, FcTrue);
      face = MatchPattern(p);
      FcCharSetDestroy(cs);
      FcPatternDestroy(p);
      if (face && FT_Get_Char_Index(face->Face, ch) == 0) face = nullptr;
    }
    FallbackFor.emplace(ch, face);
    return face;
  }

  static float RawAdvance(FaceEntry* f, char16_t ch, bool& found) {
    FT_UInt gi = FT_Get_Char_Index(f->Face, ch);
    found = gi != 0;
    FT_Fixed adv = 0;
    if (FT_Get_Advance(f->Face, gi, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING, &adv) != 0) adv = 0;
    return static_cast<float>(adv / f->UnitsPerEm);
  }

  float AdvanceEm(FaceEntry* f, char16_t ch) {
    float& slot = f->Advance[ch];
    if (!std::isnan(slot)) return slot;
    bool found;
    float a = RawAdvance(f, ch, found);
    if (!found && ch >= 0x20) {
      if (FaceEntry* fb = Fallback(ch); fb && fb != f) a = RawAdvance(fb, ch, found);
    }
    slot = a;
    return a;
  }

  void BuildNames() {
    if (NamesBuilt) return;
    NamesBuilt = true;
    std::vector<AnsiString> names;
    if (Config) {
      FcPattern* p = FcPatternCreate();
      FcPatternAddBool(p, FC_SCALABLE, FcTrue);
      FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, nullptr);
      FcFontSet* fs = FcFontList(Config, p, os);
      if (fs) {
        for (int i = 0; i < fs->nfont; ++i) {
          FcChar8* fam = nullptr;
          for (int k = 0; FcPatternGetString(fs->fonts[i], FC_FAMILY, k, &fam) == FcResultMatch; ++k)
            names.emplace_back(reinterpret_cast<const char*>(fam));
        }
        FcFontSetDestroy(fs);
      }
      FcObjectSetDestroy(os);
      FcPatternDestroy(p);
    }
    for (const StandardName& s : kStandardNames) {
      FaceEntry* f = Resolve(s.Name, {});
      if (!f) continue;
      for (const char* c : s.Compatible)
        if (c && Lower(f->Family) == Lower(c)) {
          names.emplace_back(s.Name);
          break;
        }
    }
    std::sort(names.begin(), names.end(), [](const AnsiString& a, const AnsiString& b) {
      AnsiString la = Lower(a), lb = Lower(b);
      return la != lb ? la < lb : a < b;
    });
    for (AnsiString& n : names) {
      AnsiString l = Lower(n);
      if (NameSet.emplace(l, true).second) Names.push_back(std::move(n));
    }
  }
};

TvlFontService::TvlFontService() : FImpl(std::make_unique<Impl>()) {}
TvlFontService::~TvlFontService() = default;

TvlFontService& TvlFontService::Instance() {
  static TvlFontService service;
  return service;
}

void TvlFontService::Reset() { FImpl->Clear(); }

const std::vector<AnsiString>& TvlFontService::FamilyNames() {
  FImpl->BuildNames();
  return FImpl->Names;
}

bool TvlFontService::HasFamily(const AnsiString& Family) {
  FImpl->BuildNames();
  return FImpl->NameSet.count(Lower(Family)) != 0;
}

AnsiString TvlFontService::ResolvedFile(const AnsiString& Family, TFontStyles Style) {
  FaceEntry* f = FImpl->Resolve(Family, Style);
  return f ? f->File : AnsiString();
}

AnsiString TvlFontService::ResolvedFamily(const AnsiString& Family, TFontStyles Style) {
  FaceEntry* f = FImpl->Resolve(Family, Style);
  return f ? f->Family : AnsiString();
}

double TvlFontService::CharAdvance(const TFont& Font, char16_t Ch) {
  FaceEntry* f = FImpl->ForFont(Font);
  if (!f) return 0;
  double ppem = Font.Size * kScreenPixelsPerInch / 72.0;
  return FImpl->AdvanceEm(f, Ch) * ppem;
}

TSize TvlFontService::TextExtent(const WideString& Text, const TFont& Font) {
  FaceEntry* f = FImpl->ForFont(Font);
  if (!f) return {};
  double ppem = std::abs(Font.Height());
  // Whole-pixel advances per character, as a screen text measurement gives.
  long width = 0;
  for (char16_t ch : Text) width += std::lround(FImpl->AdvanceEm(f, ch) * ppem);
  int height = static_cast<int>(std::lround(f->WinAscent * ppem / f->UnitsPerEm) +
                                std::lround(f->WinDescent * ppem / f->UnitsPerEm));
  return {static_cast<int>(width), height};
}

bool TvlFontService::FamilyMetrics(const AnsiString& Family, TFontStyles Style, TvlFamilyMetrics& Metrics) {
  FaceEntry* f = FImpl->Resolve(Family, Style);
  if (!f) return false;
  Metrics.EmHeight = static_cast<int>(f->UnitsPerEm);
  Metrics.CellAscent = f->WinAscent;
  Metrics.CellDescent = f->WinDescent;
  Metrics.LineSpacing = f->WinAscent + f->WinDescent + f->LineGap;
  return true;
}

namespace {
struct OutlineSink {
  TvlPath* Path;
  double X0, Y0, Scale;
  FT_Vector Last;
  double X(FT_Pos v) const { return X0 + v * Scale; }
  double Y(FT_Pos v) const { return Y0 - v * Scale; }
};

int SinkMove(const FT_Vector* to, void* user) {
  auto* s = static_cast<OutlineSink*>(user);
  s->Path->CloseFigure();
  s->Path->MoveTo(s->X(to->x), s->Y(to->y));
  s->Last = *to;
  return 0;
}
int SinkLine(const FT_Vector* to, void* user) {
  auto* s = static_cast<OutlineSink*>(user);
  s->Path->LineTo(s->X(to->x), s->Y(to->y));
  s->Last = *to;
  return 0;
}
int SinkConic(const FT_Vector* c, const FT_Vector* to, void* user) {
  auto* s = static_cast<OutlineSink*>(user);
  // Quadratic to cubic: control points 2/3 of the way to the quadratic one.
  double x0 = s->Last.x, y0 = s->Last.y;
  double c1x = x0 + 2.0 / 3.0 * (c->x - x0), c1y = y0 + 2.0 / 3.0 * (c->y - y0);
  double c2x = to->x + 2.0 / 3.0 * (c->x - to->x), c2y = to->y + 2.0 / 3.0 * (c->y - to->y);
  s->Path->BezierTo(s->X0 + c1x * s->Scale, s->Y0 - c1y * s->Scale, s->X0 + c2x * s->Scale, s->Y0 - c2y * s->Scale,
                    s->X(to->x), s->Y(to->y));
  s->Last = *to;
  return 0;
}
int SinkCubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* s = static_cast<OutlineSink*>(user);
  s->Path->BezierTo(s->X(c1->x), s->Y(c1->y), s->X(c2->x), s->Y(c2->y), s->X(to->x), s->Y(to->y));
  s->Last = *to;
  return 0;
}
}  // namespace

bool TvlFontService::AddCharOutline(TvlPath& Path, const AnsiString& Family, TFontStyles Style, double EmSize,
                                    char16_t Ch, double OriginX, double OriginY) {
  FaceEntry* f = FImpl->ForName(Family, Style);
  if (!f) return false;
  auto it = f->Outlines.find(Ch);
  if (it == f->Outlines.end()) {
    FaceEntry* src = f;
    FT_UInt gi = FT_Get_Char_Index(f->Face, Ch);
    if (gi == 0) {
      if (FaceEntry* fb = FImpl->Fallback(Ch)) {
        src = fb;
        gi = FT_Get_Char_Index(fb->Face, Ch);
      }
    }
    TvlPath units(TvlFillMode::Winding);
    if (FT_Load_Glyph(src->Face, gi, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0 &&
        src->Face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
      OutlineSink sink{&units, 0, 0, 1, {0, 0}};
      FT_Outline_Funcs funcs{SinkMove, SinkLine, SinkConic, SinkCubic, 0, 0};
      FT_Outline_Decompose(&src->Face->glyph->outline, &funcs, &sink);
      units.CloseFigure();
    }
    it = f->Outlines.emplace(Ch, std::make_pair(std::move(units), src)).first;
  }
  // Font units (y already flipped) to pixels; the baseline comes from the
  // requested family even when another font supplies the character.
  const FaceEntry* src = it->second.second;
  double scale = EmSize / src->UnitsPerEm;
  double baseline = OriginY + f->WinAscent * EmSize / f->UnitsPerEm;
  Path.AddPath(it->second.first, {scale, 0, 0, scale, OriginX, baseline});
  return true;
}

std::vector<AnsiString> InstalledFontNames() { return TvlFontService::Instance().FamilyNames(); }

}  // namespace vl
