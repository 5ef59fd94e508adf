#include "extract/vlExtractorFonts.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace vlextract {

namespace {

AnsiString Lower(AnsiString s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

void EraseFirst(AnsiString& s, const AnsiString& what) {
  const size_t p = s.find(what);
  if (p != AnsiString::npos) s.erase(p, what.size());
}

// "Bold" in the name (exact case) marks the style; the first occurrence of
// the word in any case is what goes.
bool TakeStyleWord(AnsiString& s, const AnsiString& word) {
  if (s.find(word) == AnsiString::npos) return false;
  const size_t p = Lower(s).find(Lower(word));
  if (p != AnsiString::npos) s.erase(p, word.size());
  return true;
}

}  // namespace

AnsiString NormaliseFontName(const AnsiString& Name, bool& Bold, bool& Italic) {
  AnsiString s;
  s.reserve(Name.size());
  for (char c : Name)
    if (c != ',' && c != '+' && c != '-') s += c;
  EraseFirst(s, "PS");
  EraseFirst(s, "MT");
  Bold = TakeStyleWord(s, "Bold");
  Italic = TakeStyleWord(s, "Italic");
  return s;
}

TvlInstalledFonts::TvlInstalledFonts(std::vector<AnsiString> Names) : Names_(std::move(Names)) {
  const AnsiString arialUnicode = "arial unicode ms";
  for (const AnsiString& n : Names_) {
    AnsiString compact;
    for (char c : n)
      if (c != ' ') compact += c;
    CompactLower_.push_back(Lower(compact));
    if (!n.empty() && arialUnicode.find(Lower(n)) != AnsiString::npos) {
      ArialUnicodeListed_ = true;
      if (n.size() > Fallback_.size()) Fallback_ = n;
    }
  }
  if (Fallback_.empty() && !Names_.empty()) Fallback_ = Names_.front();
}

AnsiString TvlInstalledFonts::Match(const AnsiString& Normalised, bool* Found) const {
  const AnsiString name = Lower(Normalised);
  const AnsiString* best = nullptr;
  for (size_t i = 0; i < Names_.size(); ++i) {
    // An empty installed name would match every font.
    if (CompactLower_[i].empty() || name.find(CompactLower_[i]) == AnsiString::npos) continue;
    if (!best || Names_[i].size() > best->size()) best = &Names_[i];
  }
  if (Found) *Found = best != nullptr;
  return best ? *best : Fallback_;
}

char DesignFromName(const AnsiString& Name) {
  const AnsiString n = Lower(Name);
  auto has = [&](const char* w) { return n.find(w) != AnsiString::npos; };
  if (has("mono") || has("courier") || has("typewriter") || has("consol")) return 'm';
  if (has("sans") || has("gothic") || has("arial") || has("helvet") || has("grotesk") ||
      has("verdana") || has("tahoma") || has("calibri"))
    return 's';
  if (has("serif") || has("roman") || has("times") || has("georgia") || has("garamond") ||
      has("palatino") || has("baskerville") || has("cambria") || has("minion") || has("book") ||
      has("mincho") || has("song") || has("ming"))
    return 'r';
  return 0;
}

int ColorComponentToByte(int32_t Value) {
  const double v = std::nearbyint(static_cast<double>(Value) * (255.0 / 65536.0));
  return static_cast<int>(std::clamp(v, 0.0, 255.0));
}

}  // namespace vlextract
