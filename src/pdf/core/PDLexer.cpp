#include "pdf/core/PDLexer.h"

#include <cstring>

namespace {

constexpr uint8_t W = 1, D = 2;

}  // namespace

// White space: 0 9 10 12 13 32; delimiters: % ( ) / < > [ ] { }.
const uint8_t TvlPDLexer::kCharClass[256] = {
    W, 0, 0, 0, 0, 0, 0, 0, 0, W, W, 0, W, W, 0, 0,  // 0x00
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 0x10
    W, 0, 0, 0, 0, D, 0, 0, D, D, 0, 0, 0, 0, 0, D,  // 0x20  % ( ) /
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, D, 0, D, 0,  // 0x30  < >
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 0x40
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, D, 0, D, 0, 0,  // 0x50  [ ]
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 0x60
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, D, 0, D, 0, 0,  // 0x70  { }
};

TvlPDLexer::TvlPDLexer(TvlStream* Stream, bool OwnsStream)
    : FStream(Stream), FOwnsStream(OwnsStream) {}

TvlPDLexer::~TvlPDLexer() {
  if (FOwnsStream) delete FStream;
}

void TvlPDLexer::SkipToEndOfLine() {
  for (;;) {
    int c = FStream->ReadByte();
    if (c < 0 || c == '\n') return;
    if (c == '\r') {
      if (FStream->PeekByte() == '\n') FStream->ReadByte();
      return;
    }
  }
}

size_t TvlPDLexer::ReadWord(int First) {
  size_t n = 0;
  if (First >= 0) FScratch[n++] = static_cast<char>(First);
  for (;;) {
    int c = FStream->PeekByte();
    if (!IsRegular(c)) break;
    FStream->ReadByte();
    if (n < kMaxWord) FScratch[n++] = static_cast<char>(c);
  }
  return n;
}

TvlPDObjectPtr TvlPDLexer::NextToken() {
  int c;
  for (;;) {
    c = FStream->ReadByte();
    if (c < 0) return std::make_unique<TvlPDEOF>();
    if (c == '%') {
      // A comment runs to the line end.
      do c = FStream->ReadByte();
      while (c >= 0 && c != '\r' && c != '\n');
      continue;
    }
    if (!IsWhite(c)) break;
  }
  switch (c) {
    case '(': return ReadLiteralString();
    case ')': case '{': case '}': return std::make_unique<TvlPDError>();
    case '/': {
      size_t n = ReadWord(-1);
      return std::make_unique<TvlPDName>(std::string_view(FScratch, n));
    }
    case '<':
      if (FStream->PeekByte() == '<') {
        FStream->ReadByte();
        return std::make_unique<TvlPDCommand>("<<");
      }
      return ReadHexString();
    case '>':
      if (FStream->PeekByte() == '>') {
        FStream->ReadByte();
        return std::make_unique<TvlPDCommand>(">>");
      }
      return std::make_unique<TvlPDError>();
    case '[': return std::make_unique<TvlPDCommand>("[");
    case ']': return std::make_unique<TvlPDCommand>("]");
    default: break;
  }
  if (c == '-' || c == '.' || (c >= '0' && c <= '9')) return ReadNumber(c);
  size_t n = ReadWord(c);
  std::string_view word(FScratch, n);
  if (word == "true") return std::make_unique<TvlPDBoolean>(true);
  if (word == "false") return std::make_unique<TvlPDBoolean>(false);
  if (word == "null") return std::make_unique<TvlPDNull>();
  return std::make_unique<TvlPDCommand>(AnsiString(word));
}

TvlPDObjectPtr TvlPDLexer::ReadNumber(int First) {
  bool negative = false;
  int c = First;
  if (c == '-') {
    negative = true;
    int next = FStream->PeekByte();
    if (next != '.' && !(next >= '0' && next <= '9')) return std::make_unique<TvlPDInteger>(0);
    c = FStream->ReadByte();
  }
  // Unsigned accumulation wraps like the 64-bit integer it models.
  uint64_t value = 0;
  while (c >= '0' && c <= '9') {
    value = value * 10 + static_cast<uint64_t>(c - '0');
    int next = FStream->PeekByte();
    if (!(next >= '0' && next <= '9') && next != '.') {
      c = -1;
      break;
    }
    c = FStream->ReadByte();
  }
  if (c == '.') {
    long double fraction = 0, f = 0.1L;
    for (;;) {
      int next = FStream->PeekByte();
      if (next == '-') {  // a "-" inside the fraction is dropped
        FStream->ReadByte();
        continue;
      }
      if (!(next >= '0' && next <= '9')) break;
      FStream->ReadByte();
      fraction += (next - '0') * f;
      f *= 0.1L;
    }
    long double whole = static_cast<int32_t>(static_cast<uint32_t>(value));
    long double r = whole + fraction;
    return std::make_unique<TvlPDReal>(negative ? -r : r);
  }
  uint64_t v = negative ? (~value + 1) : value;
  if (v == 4294967295ull) return std::make_unique<TvlPDInteger>(0);
  return std::make_unique<TvlPDInteger>(static_cast<int32_t>(static_cast<uint32_t>(v)));
}

TvlPDObjectPtr TvlPDLexer::ReadLiteralString() {
  AnsiString s;
  int depth = 1;
  for (;;) {
    int c = FStream->ReadByte();
    if (c < 0) break;
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (--depth == 0) break;
    } else if (c == '\\') {
      c = FStream->ReadByte();
      if (c < 0) break;
      switch (c) {
        case 'n': c = '\n'; break;
        case 'r': c = '\r'; break;
        case 't': c = '\t'; break;
        case 'b': c = 8; break;
        case 'f': c = 12; break;
        case '\r':
          if (FStream->PeekByte() == '\n') FStream->ReadByte();
          continue;
        case '\n': continue;
        default:
          if (c >= '0' && c <= '7') {
            int v = c - '0';
            for (int i = 0; i < 2; ++i) {
              int d = FStream->PeekByte();
              if (d < '0' || d > '7') break;
              FStream->ReadByte();
              v = v * 8 + (d - '0');
            }
            c = v & 0xFF;
          }
          break;
      }
    }
    s.push_back(static_cast<char>(c));
  }
  return std::make_unique<TvlPDString>(std::move(s));
}

TvlPDObjectPtr TvlPDLexer::ReadHexString() {
  AnsiString s;
  for (;;) {
    int c = FStream->ReadByte();
    if (c < 0 || c == '>') break;
    if (!IsWhite(c)) s.push_back(static_cast<char>(c));
  }
  return std::make_unique<TvlPDString>(std::move(s), true);
}
