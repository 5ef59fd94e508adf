#include "writer/vlConvUtils.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "platform/vlFontService.h"

TSize TextExtent(const AnsiString& Text, const TFont& Font) {
  WideString w;
  w.reserve(Text.size());
  for (unsigned char c : Text) w.push_back(vl::Cp1252ToUnicode(c));
  return TextExtent(w, Font);
}

TSize TextExtent(const WideString& Text, const TFont& Font) { return vl::TvlFontService::Instance().TextExtent(Text, Font); }

WideString LeftStr(const WideString& S, int Count) {
  if (Count <= 0) return {};
  return S.substr(0, std::min<size_t>(Count, S.size()));
}

WideString RightStr(const WideString& S, int Count) {
  if (Count <= 0) return {};
  size_t n = std::min<size_t>(Count, S.size());
  return S.substr(S.size() - n);
}

namespace {
WideString Widen(const AnsiString& S) {
  WideString w;
  w.reserve(S.size());
  for (unsigned char c : S) w.push_back(vl::Cp1252ToUnicode(c));
  return w;
}
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
AnsiString LowerStr(const AnsiString& s) {
  AnsiString r = s;
  for (char& c : r) c = Lower(c);
  return r;
}
}  // namespace

AnsiString NarrowToAnsi(const WideString& W) {
  AnsiString s;
  s.reserve(W.size());
  for (char16_t c : W) {
    int b = vl::UnicodeToCp1252(c);
    s.push_back(static_cast<char>(b ? b : '?'));
  }
  return s;
}

AnsiString LeftStr(const AnsiString& S, int Count) { return NarrowToAnsi(LeftStr(Widen(S), Count)); }
AnsiString RightStr(const AnsiString& S, int Count) { return NarrowToAnsi(RightStr(Widen(S), Count)); }

int PosFrom(const AnsiString& Sub, const AnsiString& S, int Start) {
  if (Sub.empty() || Start < 1 || static_cast<size_t>(Start) > S.size()) return 0;
  size_t p = S.find(Sub, static_cast<size_t>(Start - 1));
  return p == AnsiString::npos ? 0 : static_cast<int>(p) + 1;
}

AnsiString ReplaceAllIgnoreCase(const AnsiString& S, const AnsiString& Old, const AnsiString& New) {
  if (Old.empty()) return S;
  AnsiString ls = LowerStr(S), lo = LowerStr(Old), out;
  size_t i = 0;
  while (true) {
    size_t p = ls.find(lo, i);
    if (p == AnsiString::npos) break;
    out.append(S, i, p - i);
    out += New;
    i = p + Old.size();
  }
  out.append(S, i, AnsiString::npos);
  return out;
}

bool ContainsIgnoreCase(const AnsiString& S, const AnsiString& Sub) {
  return LowerStr(S).find(LowerStr(Sub)) != AnsiString::npos;
}

AnsiString BytesToHex(const uint8_t* Bytes, size_t Count) {
  static const char kHex[] = "0123456789ABCDEF";
  AnsiString out(Count * 2, '0');
  for (size_t i = 0; i < Count; ++i) {
    out[2 * i] = kHex[Bytes[i] >> 4];
    out[2 * i + 1] = kHex[Bytes[i] & 15];
  }
  return out;
}

AnsiString BytesToHex(const std::vector<uint8_t>& Bytes) { return BytesToHex(Bytes.data(), Bytes.size()); }
AnsiString BytesToHex(std::string_view Bytes) {
  return BytesToHex(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
}

AnsiString ReverseBytePairs(const AnsiString& S) {
  AnsiString out;
  out.reserve(S.size());
  for (size_t end = S.size(); end >= 2; end -= 2) out.append(S, end - 2, 2);
  return out;
}

AnsiString TrimBlanks(const AnsiString& S) {
  size_t b = 0, e = S.size();
  while (b < e && static_cast<unsigned char>(S[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(S[e - 1]) <= ' ') --e;
  return S.substr(b, e - b);
}

int32_t StrToInt(const AnsiString& S) {
  auto fail = [&] { throw EConvertError("'" + S + "' is not a valid integer value"); };
  size_t i = 0;
  while (i < S.size() && S[i] == ' ') ++i;
  bool neg = false;
  if (i < S.size() && (S[i] == '-' || S[i] == '+')) neg = S[i++] == '-';
  int base = 10;
  if (i < S.size() && S[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= S.size()) fail();
  int64_t v = 0;
  for (; i < S.size(); ++i) {
    int d;
    char c = S[i];
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else fail(), d = 0;
    v = v * base + d;
    if (v > (base == 16 ? int64_t(UINT32_MAX) : int64_t(INT32_MAX) + (neg ? 1 : 0))) fail();
  }
  if (base == 16 && !neg) return static_cast<int32_t>(static_cast<uint32_t>(v));
  return static_cast<int32_t>(neg ? -v : v);
}

std::vector<AnsiString> SplitCommaText(const AnsiString& S) {
  std::vector<AnsiString> items;
  // The text ends at an embedded NUL, as a C string would.
  size_t n = std::min(S.size(), S.find('\0'));
  auto blank = [&](size_t i) { return i < n && static_cast<unsigned char>(S[i]) >= 1 && static_cast<unsigned char>(S[i]) <= ' '; };
  size_t p = 0;
  while (blank(p)) ++p;
  while (p < n) {
    AnsiString item;
    if (S[p] == '"') {
      ++p;
      while (p < n) {
        if (S[p] == '"') {
          if (p + 1 < n && S[p + 1] == '"') {
            item.push_back('"');
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item.push_back(S[p++]);
      }
    } else {
      size_t b = p;
      while (p < n && static_cast<unsigned char>(S[p]) > ' ' && S[p] != ',') ++p;
      item.assign(S, b, p - b);
    }
    items.push_back(std::move(item));
    while (blank(p)) ++p;
    if (p < n && S[p] == ',') {
      if (p + 1 >= n) items.emplace_back();
      do ++p;
      while (blank(p));
    }
  }
  return items;
}

TvlPageRange::TvlPageRange(const AnsiString& Range) {
  FAll = TrimBlanks(Range).empty();
  if (!FAll) FItems = SplitCommaText(Range);
}

bool TvlPageRange::Contains(int PageNumber) const {
  if (FAll) return true;
  for (const AnsiString& item : FItems) {
    if (item.find_first_not_of("0123456789-") != AnsiString::npos) continue;
    size_t dash = item.find('-');
    if (dash != AnsiString::npos) {
      int32_t first = StrToInt(item.substr(0, dash));
      int32_t last = StrToInt(item.substr(dash + 1));
      if (first <= PageNumber && PageNumber <= last) return true;
    } else if (StrToInt(item) == PageNumber) {
      return true;
    }
  }
  return false;
}

bool IsPageInRange(const AnsiString& Range, int PageNumber) { return TvlPageRange(Range).Contains(PageNumber); }

int CountPagesInRange(const AnsiString& Range, int PageCount) {
  TvlPageRange range(Range);
  if (range.All()) return std::max(PageCount, 0);
  int count = 0;
  for (int n = 1; n <= PageCount; ++n)
    if (range.Contains(n)) ++count;
  return count;
}
