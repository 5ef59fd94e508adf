#include "pdf/content/PDContentLexer.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> t{};
  for (uint8_t c : {0, 9, 10, 12, 13, 32}) t[c] = 1;
  for (char c : std::string_view("()<>[]{}/%")) t[static_cast<uint8_t>(c)] = 2;
  return t;
}
constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

int HexValue(uint8_t C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

}  // namespace

const uint8_t TvlPDContentLexer::kClass[256] = {
#define VL_ROW(i) kClasses[i], kClasses[i + 1], kClasses[i + 2], kClasses[i + 3], \
    kClasses[i + 4], kClasses[i + 5], kClasses[i + 6], kClasses[i + 7]
    VL_ROW(0),   VL_ROW(8),   VL_ROW(16),  VL_ROW(24),  VL_ROW(32),  VL_ROW(40),  VL_ROW(48),
    VL_ROW(56),  VL_ROW(64),  VL_ROW(72),  VL_ROW(80),  VL_ROW(88),  VL_ROW(96),  VL_ROW(104),
    VL_ROW(112), VL_ROW(120), VL_ROW(128), VL_ROW(136), VL_ROW(144), VL_ROW(152), VL_ROW(160),
    VL_ROW(168), VL_ROW(176), VL_ROW(184), VL_ROW(192), VL_ROW(200), VL_ROW(208), VL_ROW(216),
    VL_ROW(224), VL_ROW(232), VL_ROW(240), VL_ROW(248),
#undef VL_ROW
};

void TvlPDContentLexer::SkipWhiteAndComments() {
  while (P < End) {
    const uint8_t c = *P;
    if (kClass[c] == 1) {
      ++P;
    } else if (c == '%') {
      while (P < End && *P != '\n' && *P != '\r') ++P;
    } else {
      return;
    }
  }
}

TvlPDContentLexer::TvlToken TvlPDContentLexer::Next(TvlOperand& Out, std::string_view& Op) {
  SkipWhiteAndComments();
  if (P >= End) return tkEOF;
  return ReadValue(Out, Op, false);
}

TvlPDContentLexer::TvlToken TvlPDContentLexer::ReadValue(TvlOperand& Out, std::string_view& Op,
                                                         bool Nested) {
  const uint8_t c = *P;
  switch (c) {
    case '(':
      ReadLiteralString(Out);
      return tkOperand;
    case '/':
      ReadName(Out);
      return tkOperand;
    case '[':
      if (Nested) break;  // containers handle their own nesting
      ++P;
      return ReadContainer(Out, false);
    case '<':
      if (P + 1 < End && P[1] == '<') {
        if (Nested) break;
        P += 2;
        return ReadContainer(Out, true);
      }
      ReadHexString(Out);
      return tkOperand;
    case ')': case '>': case ']': case '{': case '}':
      ++P;
      return tkError;
    default:
      break;
  }
  if (kClass[c] != 0) {
    ++P;
    return tkError;
  }
  const uint8_t* s = P;
  while (P < End && kClass[*P] == 0) ++P;
  const std::string_view tok(reinterpret_cast<const char*>(s), static_cast<size_t>(P - s));
  const char f = tok[0];
  if ((f >= '0' && f <= '9') || f == '-' || f == '+' || f == '.') {
    return ReadNumber(tok, Out) ? tkOperand : tkError;
  }
  if (tok == "true" || tok == "false") {
    Out = TvlOperand();
    Out.Kind = TvlOperandKind::Boolean;
    Out.Bool = tok[0] == 't';
    return tkOperand;
  }
  if (tok == "null") {
    Out = TvlOperand();
    return tkOperand;
  }
  Op = tok;
  return tkOperator;
}

bool TvlPDContentLexer::ReadNumber(std::string_view Tok, TvlOperand& Out) {
  size_t i = 0;
  bool neg = false;
  // Producers sometimes write doubled signs ("--5"); the last one counts.
  while (i < Tok.size() && (Tok[i] == '-' || Tok[i] == '+')) neg = Tok[i++] == '-';
  int64_t ip = 0;
  bool digits = false, overflow = false;
  while (i < Tok.size() && Tok[i] >= '0' && Tok[i] <= '9') {
    if (ip < (int64_t(1) << 53)) ip = ip * 10 + (Tok[i] - '0'); else overflow = true;
    digits = true;
    ++i;
  }
  double frac = 0;
  bool real = false;
  if (i < Tok.size() && Tok[i] == '.') {
    real = true;
    ++i;
    double scale = 0.1;
    while (i < Tok.size() && Tok[i] >= '0' && Tok[i] <= '9') {
      frac += (Tok[i] - '0') * scale;
      scale *= 0.1;
      digits = true;
      ++i;
    }
  }
  if (!digits || i != Tok.size()) return false;
  Out = TvlOperand();
  double v = static_cast<double>(ip) + frac;
  if (overflow) v = 9007199254740992.0;  // beyond any meaningful coordinate
  if (neg) v = -v;
  Out.Num = v;
  if (!real && !overflow && ip <= INT32_MAX) {
    Out.Kind = TvlOperandKind::Integer;
    Out.Int = static_cast<int32_t>(neg ? -ip : ip);
  } else {
    Out.Kind = TvlOperandKind::Real;
  }
  return true;
}

void TvlPDContentLexer::ReadLiteralString(TvlOperand& Out) {
  ++P;  // (
  Out = TvlOperand();
  Out.Kind = TvlOperandKind::String;
  Out.Start = static_cast<uint32_t>(Pool.size());
  int depth = 1;
  while (P < End) {
    // Plain bytes are copied as one run.
    const uint8_t* run = P;
    while (P < End && *P != '(' && *P != ')' && *P != '\\') ++P;
    Pool.append(reinterpret_cast<const char*>(run), static_cast<size_t>(P - run));
    if (P >= End) break;
    uint8_t c = *P++;
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (--depth == 0) break;
    } else if (c == '\\') {
      if (P >= End) break;
      c = *P++;
      switch (c) {
        case 'n': c = '\n'; break;
        case 'r': c = '\r'; break;
        case 't': c = '\t'; break;
        case 'b': c = '\b'; break;
        case 'f': c = '\f'; break;
        case '\r':
          if (P < End && *P == '\n') ++P;
          continue;  // line continuation
        case '\n':
          continue;
        default:
          if (c >= '0' && c <= '7') {
            int v = c - '0';
            for (int k = 0; k < 2 && P < End && *P >= '0' && *P <= '7'; ++k) v = v * 8 + (*P++ - '0');
            c = static_cast<uint8_t>(v);
          }
          break;
      }
    }
    Pool.push_back(static_cast<char>(c));
  }
  Out.Length = static_cast<uint32_t>(Pool.size() - Out.Start);
}

void TvlPDContentLexer::ReadHexString(TvlOperand& Out) {
  ++P;  // <
  Out = TvlOperand();
  Out.Kind = TvlOperandKind::String;
  Out.Hex = true;
  Out.Start = static_cast<uint32_t>(Pool.size());
  while (P < End && *P != '>') {
    // Copy runs of digits at once; white space inside is dropped.
    const uint8_t* run = P;
    while (P < End && *P != '>' && kClass[*P] != 1) ++P;
    Pool.append(reinterpret_cast<const char*>(run), static_cast<size_t>(P - run));
    while (P < End && kClass[*P] == 1) ++P;
  }
  if (P < End) ++P;
  Out.Length = static_cast<uint32_t>(Pool.size() - Out.Start);
}

void TvlPDContentLexer::ReadName(TvlOperand& Out) {
  ++P;  // /
  Out = TvlOperand();
  Out.Kind = TvlOperandKind::Name;
  Out.Start = static_cast<uint32_t>(Pool.size());
  while (P < End && kClass[*P] == 0) {
    uint8_t c = *P++;
    // #xx escapes; a malformed one is kept as written rather than failing.
    if (c == '#' && P + 1 < End && HexValue(P[0]) >= 0 && HexValue(P[1]) >= 0) {
      c = static_cast<uint8_t>(HexValue(P[0]) * 16 + HexValue(P[1]));
      P += 2;
    }
    Pool.push_back(static_cast<char>(c));
  }
  Out.Length = static_cast<uint32_t>(Pool.size() - Out.Start);
}

TvlPDContentLexer::TvlToken TvlPDContentLexer::ReadContainer(TvlOperand& Out, bool Dictionary) {
  // An explicit stack of open containers, so deep nesting cannot overflow
  // the call stack.
  std::vector<TvlFrame>& frames = Frames;
  frames.clear();
  frames.push_back({Scratch.size(), Dictionary});
  const size_t base = Scratch.size();
  while (true) {
    SkipWhiteAndComments();
    if (P >= End) {
      Scratch.resize(base);
      return tkError;  // unterminated
    }
    const uint8_t c = *P;
    const bool closeArray = c == ']';
    const bool closeDict = c == '>' && P + 1 < End && P[1] == '>';
    if (closeArray || closeDict) {
      P += closeArray ? 1 : 2;
      const TvlFrame f = frames.back();
      frames.pop_back();
      TvlOperand v;
      v.Kind = f.Dict ? TvlOperandKind::Dictionary : TvlOperandKind::Array;
      v.Start = static_cast<uint32_t>(Items.size());
      v.Length = static_cast<uint32_t>(Scratch.size() - f.First);
      Items.insert(Items.end(), Scratch.begin() + static_cast<ptrdiff_t>(f.First), Scratch.end());
      Scratch.resize(f.First);
      if (frames.empty()) {
        Out = v;
        return tkOperand;
      }
      Scratch.push_back(v);
      continue;
    }
    if (c == '[') {
      ++P;
      frames.push_back({Scratch.size(), false});
      continue;
    }
    if (c == '<' && P + 1 < End && P[1] == '<') {
      P += 2;
      frames.push_back({Scratch.size(), true});
      continue;
    }
    TvlOperand v;
    std::string_view op;
    // Keywords other than true/false/null and stray delimiters are dropped.
    if (ReadValue(v, op, true) == tkOperand) Scratch.push_back(v);
  }
}
