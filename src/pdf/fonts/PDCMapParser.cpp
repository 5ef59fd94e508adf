#include "pdf/fonts/PDCMapParser.h"

#include <charconv>
#include <cstring>

namespace {

// Longest token kept; longer ones are cut (the rest is still consumed).
constexpr std::size_t kMaxTokenLength = 128;
// Ranges up to this many codes are expanded into the hash index.
constexpr int kShortRangeLength = 256;
// Bound on the expanded entries, so a hostile map cannot blow up memory;
// ranges beyond it are searched linearly instead.
constexpr std::size_t kMaxExpandedCodes = 1 << 17;

bool IsWhite(std::uint8_t c) {
  return c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32;
}

bool IsDelimiter(std::uint8_t c) {
  return std::strchr("%()/<>[]{}", c) != nullptr && c != 0;
}

bool IsHexToken(const std::string& t) { return t.size() >= 2 && t.front() == '<' && t.back() == '>'; }

[[noreturn]] void InvalidInteger(const std::string& token) {
  throw EConvertError("'" + token + "' is not a valid integer value");
}

// Hex digits between the angle brackets; MaxDigits limits how many are
// read (0: all). Only the low 32 bits of a long value are kept.
int HexValue(const std::string& token, std::size_t MaxDigits) {
  std::size_t n = token.size() - 2;
  if (n == 0) InvalidInteger(token);
  if (MaxDigits && n > MaxDigits) n = MaxDigits;
  std::uint32_t v = 0;
  for (std::size_t i = 1; i <= n; ++i) {
    char c = token[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else InvalidInteger(token);
    v = (v << 4) | std::uint32_t(d);
  }
  return static_cast<int>(v);
}

int DecimalValue(const std::string& token) {
  int v = 0;
  const char* first = token.data();
  const char* last = first + token.size();
  if (first != last && *first == '+') ++first;
  auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last || first == last) InvalidInteger(token);
  return v;
}

int NumberValue(const std::string& token, std::size_t MaxHexDigits) {
  return IsHexToken(token) ? HexValue(token, MaxHexDigits) : DecimalValue(token);
}

// A destination of several UTF-16 units cannot be held in one character.
// For the Latin ligatures (the common case: TeX and office fonts map their
// fi/fl glyphs to the letter pairs) the presentation form keeps the text,
// which readers fold back to the letters; 0 for anything else.
int LigatureValue(const std::string& token) {
  if (!IsHexToken(token) || token.size() <= 6 || (token.size() - 2) % 4 != 0) return 0;
  std::u16string units;
  for (std::size_t i = 1; i + 4 <= token.size() - 1; i += 4) {
    int u = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const char c = token[i + k];
      const int d = (c >= '0' && c <= '9') ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : -1;
      if (d < 0) return 0;
      u = (u << 4) | d;
    }
    units.push_back(static_cast<char16_t>(u));
  }
  static const struct {
    const char16_t* letters;
    int form;
  } kLigatures[] = {{u"ff", 0xFB00}, {u"fi", 0xFB01}, {u"fl", 0xFB02}, {u"ffi", 0xFB03},
                    {u"ffl", 0xFB04}, {u"st", 0xFB06}};
  for (const auto& l : kLigatures)
    if (units == l.letters) return l.form;
  return 0;
}

int DestinationValue(const std::string& token, std::size_t MaxHexDigits) {
  const int ligature = LigatureValue(token);
  return ligature ? ligature : NumberValue(token, MaxHexDigits);
}

std::string WithoutParens(const std::string& s) {
  std::string r;
  for (char c : s)
    if (c != '(' && c != ')') r += c;
  return r;
}

}  // namespace

bool TvlPSTokenizer::NextToken(std::string& Token) {
  Token.clear();
  const std::size_t size = FData.size();
  auto add = [&](std::uint8_t c) {
    if (Token.size() < kMaxTokenLength) Token += static_cast<char>(c);
  };
  for (;;) {
    while (FPos < size && IsWhite(FData[FPos])) ++FPos;
    if (FPos < size && FData[FPos] == '%') {
      while (FPos < size && FData[FPos] != 10 && FData[FPos] != 13) ++FPos;
      continue;
    }
    break;
  }
  if (FPos >= size) return false;
  std::uint8_t c = FData[FPos++];
  add(c);
  if (c == '(') {
    bool escaped = false;
    while (FPos < size) {
      std::uint8_t d = FData[FPos++];
      add(d);
      if (d == ')' && !escaped) break;
      escaped = (d == '\\') && !escaped;
    }
  } else if (c == '[' || c == ']') {
    // a bracket stands alone
  } else if (c == '<') {
    while (FPos < size) {
      std::uint8_t d = FData[FPos++];
      if (IsWhite(d)) continue;
      add(d);
      if (d == '>') break;
    }
  } else {
    while (FPos < size && !IsWhite(FData[FPos]) && !IsDelimiter(FData[FPos])) add(FData[FPos++]);
  }
  return true;
}

TvlPDCMapParser::TvlPDCMapParser(std::span<const std::uint8_t> Data) {
  TvlPSTokenizer tok(Data);
  std::string t;
  while (tok.NextToken(t)) {
    if (t == "endcmap") break;
    if (t == "/Registry") {
      if (tok.NextToken(t)) FRegistry = t;
    } else if (t == "/Ordering") {
      if (tok.NextToken(t)) FOrdering = t;
    } else if (t == "/Supplement") {
      if (tok.NextToken(t)) FSupplement = t;
    } else if (t == "/WMode") {
      if (tok.NextToken(t)) FWMode = static_cast<std::uint8_t>(DecimalValue(t));
    } else if (t == "begincidrange") {
      ReadRanges(tok, "endcidrange");
    } else if (t == "beginbfrange") {
      ReadRanges(tok, "endbfrange");
    } else if (t == "begincidchar") {
      ReadCodes(tok, "endcidchar");
    } else if (t == "beginbfchar") {
      ReadCodes(tok, "endbfchar");
    }
  }
  FRegistry = WithoutParens(FRegistry);
  FOrdering = WithoutParens(FOrdering);
  BuildIndex();
}

void TvlPDCMapParser::ReadRanges(TvlPSTokenizer& Tok, const char* EndToken) {
  std::string lowTok, highTok, dest;
  for (;;) {
    if (!Tok.NextToken(lowTok) || lowTok == EndToken) return;
    if (!Tok.NextToken(highTok) || highTok == EndToken) return;
    if (!Tok.NextToken(dest)) return;
    int low = NumberValue(lowTok, 0);
    int high = NumberValue(highTok, 0);
    if (dest == "[") {
      // One destination per code, low, low+1, ...
      int code = low;
      while (Tok.NextToken(dest) && dest != "]") {
        FRanges.push_back({code, code, DestinationValue(dest, 0)});
        ++code;
      }
    } else {
      FRanges.push_back({high, low, NumberValue(dest, 0)});
    }
  }
}

void TvlPDCMapParser::ReadCodes(TvlPSTokenizer& Tok, const char* EndToken) {
  std::string src, dest;
  for (;;) {
    if (!Tok.NextToken(src) || src == EndToken) return;
    if (!Tok.NextToken(dest) || dest == EndToken) return;
    FCodes.push_back({DestinationValue(dest, 4), NumberValue(src, 4)});
  }
}

void TvlPDCMapParser::BuildIndex() {
  for (const TvlCIDCode& c : FCodes) FCodeIndex[c.Source] = c.Destination;
  for (std::size_t i = 0; i < FRanges.size(); ++i) {
    const TvlCIDRange& r = FRanges[i];
    if (r.High < r.Low) continue;  // matches no code
    long long length = static_cast<long long>(r.High) - r.Low + 1;
    if (length <= kShortRangeLength && FRangeIndex.size() + length <= kMaxExpandedCodes) {
      for (long long code = r.Low; code <= r.High; ++code) FRangeIndex[static_cast<int>(code)] = i;
    } else {
      FLongRanges.push_back(i);
    }
  }
}

int TvlPDCMapParser::MapCode(int Code) const {
  auto it = FCodeIndex.find(Code);
  if (it != FCodeIndex.end()) return it->second;
  return MapRange(Code);
}

int TvlPDCMapParser::MapRange(int Code) const {
  std::size_t found = SIZE_MAX;
  if (auto it = FRangeIndex.find(Code); it != FRangeIndex.end()) found = it->second;
  for (auto p = FLongRanges.rbegin(); p != FLongRanges.rend(); ++p) {
    if (found != SIZE_MAX && *p < found) break;
    const TvlCIDRange& r = FRanges[*p];
    if (r.Low <= Code && Code <= r.High) {
      found = *p;
      break;
    }
  }
  if (found == SIZE_MAX) return -1;
  const TvlCIDRange& r = FRanges[found];
  return static_cast<int>(static_cast<std::uint32_t>(r.Destination) +
                          static_cast<std::uint32_t>(static_cast<long long>(Code) - r.Low));
}
