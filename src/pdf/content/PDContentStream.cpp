#include "pdf/content/PDContentStream.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "pdf/content/PDExportDevice.h"
#include "pdf/fonts/PDFont.h"

// One row of the operator table. ArgCount n >= 0: exactly n operands (extra
// ones are ignored, the earliest pushed are used); n < 0: up to -n. Types
// holds one type code per operand position, the last repeating:
// 0 boolean, 1 integer, 2 number, 3 string, 4 name, 5 array,
// 6 dictionary or name, 7 number or name.
struct TvlPDContentStream::TvlOperator {
  uint32_t Key;
  int8_t ArgCount;
  const char* Types;
  THandler Handler;
  const char* Name;
};

namespace {

constexpr uint32_t PackKey(std::string_view S) {
  if (S.empty() || S.size() > 3) return 0;
  uint32_t k = 0;
  for (size_t i = 0; i < S.size(); ++i) k |= uint32_t(static_cast<uint8_t>(S[i])) << (8 * i);
  return k;
}

}  // namespace

using CS = TvlPDContentStream;

#define VL_OP(name, n, types, handler) {PackKey(name), n, types, &CS::handler, name}

const TvlPDContentStream::TvlOperator TvlPDContentStream::kOperators[] = {
    VL_OP("'", 1, "3", OpQuote),       VL_OP("\"", 3, "223", OpDoubleQuote),
    VL_OP("b", 0, "", Op_b),           VL_OP("B", 0, "", Op_B),
    VL_OP("b*", 0, "", Op_bStar),      VL_OP("B*", 0, "", Op_BStar),
    VL_OP("BDC", 2, "46", OpNothing),  VL_OP("BI", 0, "", Op_BI),
    VL_OP("BMC", 1, "4", OpNothing),   VL_OP("BT", 0, "", Op_BT),
    VL_OP("BX", 0, "", Op_BX),         VL_OP("c", 6, "2", Op_c),
    VL_OP("cm", 6, "2", Op_cm),        VL_OP("cs", 1, "4", Op_cs),
    VL_OP("CS", 1, "4", Op_CS),        VL_OP("d", 2, "52", Op_d),
    VL_OP("d0", 2, "2", OpNothing),    VL_OP("d1", 6, "2", OpNothing),
    VL_OP("Do", 1, "4", Op_Do),        VL_OP("DP", 2, "46", OpNothing),
    VL_OP("EI", 0, "", OpNothing),     VL_OP("EMC", 0, "", OpNothing),
    VL_OP("ET", 0, "", Op_ET),         VL_OP("EX", 0, "", Op_EX),
    VL_OP("f", 0, "", Op_f),           VL_OP("F", 0, "", Op_f),
    VL_OP("f*", 0, "", Op_fStar),      VL_OP("g", 1, "2", Op_g),
    VL_OP("G", 1, "2", Op_G),          VL_OP("gs", 1, "4", Op_gs),
    VL_OP("h", 0, "", Op_h),           VL_OP("i", 1, "2", Op_i),
    VL_OP("ID", 0, "", OpNothing),     VL_OP("j", 1, "1", Op_j),
    VL_OP("J", 1, "1", Op_J),          VL_OP("k", 4, "2", Op_k),
    VL_OP("K", 4, "2", Op_K),          VL_OP("l", 2, "2", Op_l),
    VL_OP("m", 2, "2", Op_m),          VL_OP("M", 1, "2", Op_M),
    VL_OP("MP", 1, "4", OpNothing),    VL_OP("n", 0, "", Op_n),
    VL_OP("q", 0, "", Op_q),           VL_OP("Q", 0, "", Op_Q),
    VL_OP("re", 4, "2", Op_re),        VL_OP("rg", 3, "2", Op_rg),
    VL_OP("RG", 3, "2", Op_RG),        VL_OP("ri", 1, "4", OpNothing),
    VL_OP("s", 0, "", Op_s),           VL_OP("S", 0, "", Op_S),
    VL_OP("sc", -4, "2", Op_sc),       VL_OP("SC", -4, "2", Op_SC),
    VL_OP("scn", -33, "7", Op_scn),    VL_OP("SCN", -33, "7", Op_SCN),
    VL_OP("sh", 1, "4", OpNothing),    VL_OP("T*", 0, "", Op_TStar),
    VL_OP("Tc", 1, "2", Op_Tc),        VL_OP("Td", 2, "2", Op_Td),
    VL_OP("TD", 2, "2", Op_TD),        VL_OP("Tf", 2, "42", Op_Tf),
    VL_OP("Tj", 1, "3", Op_Tj),        VL_OP("TJ", 1, "5", Op_TJ),
    VL_OP("TL", 1, "2", Op_TL),        VL_OP("Tm", 6, "2", Op_Tm),
    VL_OP("Tr", 1, "1", Op_Tr),        VL_OP("Ts", 1, "2", Op_Ts),
    VL_OP("Tw", 1, "2", Op_Tw),        VL_OP("Tz", 1, "2", Op_Tz),
    VL_OP("v", 4, "2", Op_v),          VL_OP("w", 1, "2", Op_w),
    VL_OP("W", 0, "", Op_W),           VL_OP("W*", 0, "", Op_WStar),
    VL_OP("y", 4, "2", Op_y),
};
#undef VL_OP

namespace {

constexpr size_t kOperatorCount = 73;

double Num(const TvlOperand& O) { return O.Num; }

}  // namespace

const TvlPDContentStream::TvlOperator* TvlPDContentStream::FindOperator(std::string_view Name) {
  static_assert(sizeof(kOperators) / sizeof(kOperators[0]) == kOperatorCount);
  // Keys sorted once; a lookup is a binary search on the packed name.
  static const std::array<std::pair<uint32_t, uint8_t>, kOperatorCount> sorted = [] {
    std::array<std::pair<uint32_t, uint8_t>, kOperatorCount> t{};
    for (size_t i = 0; i < kOperatorCount; ++i) t[i] = {kOperators[i].Key, uint8_t(i)};
    std::sort(t.begin(), t.end());
    return t;
  }();
  const uint32_t key = PackKey(Name);
  if (!key) return nullptr;
  auto it = std::lower_bound(sorted.begin(), sorted.end(), std::make_pair(key, uint8_t(0)));
  if (it == sorted.end() || it->first != key) return nullptr;
  return &kOperators[it->second];
}

TvlPDContentStream::TvlPDContentStream(TvlPDDocument* Doc, TvlPDPage* Page,
                                       TvlPDResource* Resources, TvlPDStream* StreamObject)
    : FDoc(Doc), FPage(Page), FResources(Resources), FStreamObject(StreamObject) {}

TvlPDContentStream::~TvlPDContentStream() = default;

void TvlPDContentStream::ContinueFrom(TvlPDContentStream& Previous) {
  State = std::move(Previous.State);
  std::swap(Lexer, Previous.Lexer);
  OperandCount = Previous.OperandCount;
  std::copy(Previous.Operands, Previous.Operands + OperandCount, Operands);
  TextDirty = Previous.TextDirty;
  IgnoredSaves = Previous.IgnoredSaves;
}

void TvlPDContentStream::DisplayData(TvlPDExportDevice& Device, std::string_view Data,
                                     int PageNumber, const TvlPDRect* PageBox, int Rotate,
                                     double HDPI, double VDPI) {
  FDevice = &Device;
  if (!State) State = std::make_unique<TvlPDState>(Rotate, HDPI, VDPI, PageBox);
  State->PageNumber = PageNumber;
  InitialCTM = State->CTM;
  OperatorCount = 0;
  SyntaxErrors = 0;
  // Any exception ends this stream only; the page goes on with the next.
  try {
    Device.SetPageTransform(State->CTM);
    Device.UpdateAllState(*State);
    Run(reinterpret_cast<const uint8_t*>(Data.data()), Data.size());
  } catch (const std::exception&) {
  }
  Lexer.SetData(nullptr, 0);
}

void TvlPDContentStream::Run(const uint8_t* Data, size_t Size) {
  Lexer.SetData(Data, Size);
  TvlOperand operand;
  std::string_view op;
  while (true) {
    switch (Lexer.Next(operand, op)) {
      case TvlPDContentLexer::tkEOF:
        return;
      case TvlPDContentLexer::tkError:
        if (++SyntaxErrors >= kMaxSyntaxErrors) return;
        break;
      case TvlPDContentLexer::tkOperand:
        // Operands beyond the stack are dropped.
        if (OperandCount < kMaxOperands) Operands[OperandCount++] = operand;
        break;
      case TvlPDContentLexer::tkOperator:
        ++OperatorCount;
        Execute(op);
        OperandCount = 0;
        Lexer.ClearPools();
        break;
    }
  }
}

bool TvlPDContentStream::CheckOperands(const TvlOperator& Op, int Count) const {
  const size_t nTypes = std::char_traits<char>::length(Op.Types);
  for (int i = 0; i < Count; ++i) {
    if (!nTypes) return false;
    const TvlOperand& o = Operands[i];
    bool ok = false;
    switch (Op.Types[std::min<size_t>(i, nTypes - 1)]) {
      case '0': ok = o.Kind == TvlOperandKind::Boolean; break;
      case '1': ok = o.Kind == TvlOperandKind::Integer; break;
      case '2': ok = o.IsNumber(); break;
      case '3': ok = o.Kind == TvlOperandKind::String; break;
      case '4': ok = o.Kind == TvlOperandKind::Name; break;
      case '5': ok = o.Kind == TvlOperandKind::Array; break;
      case '6': ok = o.Kind == TvlOperandKind::Dictionary || o.Kind == TvlOperandKind::Name; break;
      case '7': ok = o.IsNumber() || o.Kind == TvlOperandKind::Name; break;
    }
    if (!ok) return false;
  }
  return true;
}

void TvlPDContentStream::Execute(std::string_view Name) {
  const TvlOperator* op = FindOperator(Name);
  if (!op) return;
  int count = OperandCount;
  if (op->ArgCount >= 0) {
    if (count < op->ArgCount) return;
    count = op->ArgCount;
  } else if (count > -op->ArgCount) {
    return;
  }
  if (!CheckOperands(*op, count)) return;
  (this->*(op->Handler))(Operands, count);
}

int32_t TvlPDContentStream::ColorComponent(const TvlOperand& O) {
  if (O.Kind == TvlOperandKind::Integer) {
    const int64_t v = int64_t(O.Int) * 65536;
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
  }
  const double v = std::nearbyint(O.Num * 65536.0);
  if (!(v > -2147483648.0)) return INT32_MIN;
  if (v >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(v);
}

// ---- paths

void TvlPDContentStream::EndPath() {
  if (State->HasCurrentPoint() && PendingClip) {
    if (PendingClip == 1) FDevice->ClipPath(*State); else FDevice->ClipPathEvenOdd(*State);
  }
  PendingClip = 0;
  State->ClearPath();
}

void TvlPDContentStream::Paint(bool Close, bool Fill, bool EvenOdd, bool Stroke) {
  if (!State->HasCurrentPoint()) return;
  if (State->HasSubpath()) {
    if (Close) State->ClosePath();
    const bool fillPattern = State->FillColorSpace && State->FillColorSpace->Family() == cfPattern;
    const bool strokePattern =
        State->StrokeColorSpace && State->StrokeColorSpace->Family() == cfPattern;
    if (Fill && !fillPattern) {
      if (EvenOdd) FDevice->FillPathEvenOdd(*State); else FDevice->FillPath(*State);
    }
    if (Stroke && !strokePattern) FDevice->StrokePath(*State);
  }
  EndPath();
}

void TvlPDContentStream::Op_b(const TvlOperand*, int) { Paint(true, true, false, true); }
void TvlPDContentStream::Op_B(const TvlOperand*, int) { Paint(false, true, false, true); }
void TvlPDContentStream::Op_bStar(const TvlOperand*, int) { Paint(true, true, true, true); }
void TvlPDContentStream::Op_BStar(const TvlOperand*, int) { Paint(false, true, true, true); }
void TvlPDContentStream::Op_f(const TvlOperand*, int) { Paint(false, true, false, false); }
void TvlPDContentStream::Op_fStar(const TvlOperand*, int) { Paint(false, true, true, false); }
void TvlPDContentStream::Op_s(const TvlOperand*, int) { Paint(true, false, false, true); }
void TvlPDContentStream::Op_S(const TvlOperand*, int) { Paint(false, false, false, true); }
void TvlPDContentStream::Op_n(const TvlOperand*, int) { EndPath(); }
void TvlPDContentStream::Op_W(const TvlOperand*, int) { PendingClip = 1; }
void TvlPDContentStream::Op_WStar(const TvlOperand*, int) { PendingClip = 2; }

void TvlPDContentStream::Op_m(const TvlOperand* O, int) { State->MoveTo(Num(O[0]), Num(O[1])); }
void TvlPDContentStream::Op_l(const TvlOperand* O, int) {
  if (State->HasCurrentPoint()) State->LineTo(Num(O[0]), Num(O[1]));
}
void TvlPDContentStream::Op_c(const TvlOperand* O, int) {
  if (State->HasCurrentPoint())
    State->CurveTo(Num(O[0]), Num(O[1]), Num(O[2]), Num(O[3]), Num(O[4]), Num(O[5]));
}
void TvlPDContentStream::Op_v(const TvlOperand* O, int) {
  if (State->HasCurrentPoint())
    State->CurveTo(State->CurX, State->CurY, Num(O[0]), Num(O[1]), Num(O[2]), Num(O[3]));
}
void TvlPDContentStream::Op_y(const TvlOperand* O, int) {
  if (State->HasCurrentPoint())
    State->CurveTo(Num(O[0]), Num(O[1]), Num(O[2]), Num(O[3]), Num(O[2]), Num(O[3]));
}
void TvlPDContentStream::Op_h(const TvlOperand*, int) {
  if (State->HasCurrentPoint()) State->ClosePath();
}
void TvlPDContentStream::Op_re(const TvlOperand* O, int) {
  const double x = Num(O[0]), y = Num(O[1]), w = Num(O[2]), h = Num(O[3]);
  State->MoveTo(x, y);
  State->LineTo(x + w, y);
  State->LineTo(x + w, y + h);
  State->LineTo(x, y + h);
  State->ClosePath();
}

// ---- general graphics state

void TvlPDContentStream::OpNothing(const TvlOperand*, int) {}

void TvlPDContentStream::Op_q(const TvlOperand*, int) {
  if (State->Depth() >= kMaxSaveDepth) {
    ++IgnoredSaves;
    return;
  }
  FDevice->SaveState(*State);
  State = TvlPDState::Save(std::move(State));
}

void TvlPDContentStream::Op_Q(const TvlOperand*, int) {
  if (IgnoredSaves > 0) {
    --IgnoredSaves;
    return;
  }
  State = TvlPDState::Restore(std::move(State));
  FDevice->RestoreState(*State);
}

void TvlPDContentStream::Op_cm(const TvlOperand* O, int) {
  const TvlPDMatrix m(Num(O[0]), Num(O[1]), Num(O[2]), Num(O[3]), Num(O[4]), Num(O[5]));
  State->ConcatCTM(m);
  FDevice->UpdateTransform(*State, m);
  TextDirty = true;
}

void TvlPDContentStream::Op_d(const TvlOperand* O, int) {
  float values[64];
  int n = 0;
  std::vector<float> many;
  const TvlOperand* e = Lexer.Elements(O[0]);
  for (uint32_t i = 0; i < O[0].Length; ++i) {
    if (!e[i].IsNumber()) continue;
    if (n < 64) {
      values[n++] = static_cast<float>(e[i].Num);
    } else {
      if (many.empty()) many.assign(values, values + n);
      many.push_back(static_cast<float>(e[i].Num));
    }
  }
  if (many.empty()) {
    State->SetDash(values, n, Num(O[1]));
  } else {
    State->SetDash(many.data(), static_cast<int>(many.size()), Num(O[1]));
  }
  FDevice->UpdateLineDash(*State);
}

void TvlPDContentStream::Op_i(const TvlOperand* O, int) {
  State->SetFlatness(Num(O[0]));
  FDevice->UpdateFlatness(*State);
}
void TvlPDContentStream::Op_j(const TvlOperand* O, int) {
  State->SetLineJoin(O[0].Int);
  FDevice->UpdateLineJoin(*State);
}
void TvlPDContentStream::Op_J(const TvlOperand* O, int) {
  State->SetLineCap(O[0].Int);
  FDevice->UpdateLineCap(*State);
}
void TvlPDContentStream::Op_M(const TvlOperand* O, int) {
  State->SetMiterLimit(Num(O[0]));
  FDevice->UpdateMiterLimit(*State);
}
void TvlPDContentStream::Op_w(const TvlOperand* O, int) {
  State->SetLineWidth(Num(O[0]));
  FDevice->UpdateLineWidth(*State);
}
void TvlPDContentStream::Op_BX(const TvlOperand*, int) { ++CompatDepth; }
void TvlPDContentStream::Op_EX(const TvlOperand*, int) {
  if (CompatDepth > 0) --CompatDepth;
}

// ---- colour

namespace {
// The device space an operator installs. A space of that family that the
// state already owns serves again (a page sets colours thousands of times).
template <class T>
void UseDeviceSpace(TvlPDState& S, bool Fill) {
  const T probe;
  if (Fill) {
    if (!S.OwnsFillColorSpace() || S.FillColorSpace->Family() != probe.Family())
      S.SetFillColorSpace(std::make_unique<T>());
  } else if (!S.OwnsStrokeColorSpace() || S.StrokeColorSpace->Family() != probe.Family()) {
    S.SetStrokeColorSpace(std::make_unique<T>());
  }
}
}  // namespace

void TvlPDContentStream::Op_g(const TvlOperand* O, int) {
  UseDeviceSpace<TvlPDDeviceGrayColorSpace>(*State, true);
  FDevice->UpdateFillColorSpace(*State);
  TvlPDColor c{};
  c[0] = ColorComponent(O[0]);
  State->SetFillColor(c);
  FDevice->UpdateFillColor(*State);
}
void TvlPDContentStream::Op_G(const TvlOperand* O, int) {
  UseDeviceSpace<TvlPDDeviceGrayColorSpace>(*State, false);
  FDevice->UpdateStrokeColorSpace(*State);
  TvlPDColor c{};
  c[0] = ColorComponent(O[0]);
  State->SetStrokeColor(c);
  FDevice->UpdateStrokeColor(*State);
}
void TvlPDContentStream::Op_rg(const TvlOperand* O, int) {
  UseDeviceSpace<TvlPDDeviceRGBColorSpace>(*State, true);
  FDevice->UpdateFillColorSpace(*State);
  TvlPDColor c{};
  for (int i = 0; i < 3; ++i) c[i] = ColorComponent(O[i]);
  State->SetFillColor(c);
  FDevice->UpdateFillColor(*State);
}
void TvlPDContentStream::Op_RG(const TvlOperand* O, int) {
  UseDeviceSpace<TvlPDDeviceRGBColorSpace>(*State, false);
  FDevice->UpdateStrokeColorSpace(*State);
  TvlPDColor c{};
  for (int i = 0; i < 3; ++i) c[i] = ColorComponent(O[i]);
  State->SetStrokeColor(c);
  FDevice->UpdateStrokeColor(*State);
}
void TvlPDContentStream::Op_k(const TvlOperand* O, int) {
  UseDeviceSpace<TvlPDDeviceCMYKColorSpace>(*State, true);
  FDevice->UpdateFillColorSpace(*State);
  TvlPDColor c{};
  for (int i = 0; i < 4; ++i) c[i] = ColorComponent(O[i]);
  State->SetFillColor(c);
  FDevice->UpdateFillColor(*State);
}
void TvlPDContentStream::Op_K(const TvlOperand* O, int) {
  UseDeviceSpace<TvlPDDeviceCMYKColorSpace>(*State, false);
  FDevice->UpdateStrokeColorSpace(*State);
  TvlPDColor c{};
  for (int i = 0; i < 4; ++i) c[i] = ColorComponent(O[i]);
  State->SetStrokeColor(c);
  FDevice->UpdateStrokeColor(*State);
}

void TvlPDContentStream::Op_cs(const TvlOperand* O, int) { SetColorSpaceByName(Text(O[0]), true); }
void TvlPDContentStream::Op_CS(const TvlOperand* O, int) { SetColorSpaceByName(Text(O[0]), false); }

void TvlPDContentStream::Op_sc(const TvlOperand* O, int N) {
  TvlPDColor c{};
  for (int i = 0; i < N; ++i) c[i] = ColorComponent(O[i]);
  State->SetFillColor(c);
  FDevice->UpdateFillColor(*State);
}
void TvlPDContentStream::Op_SC(const TvlOperand* O, int N) {
  if (State->StrokeColorSpace && State->StrokeColorSpace->ComponentCount() != N) return;
  State->SetStrokePattern(nullptr);
  TvlPDColor c{};
  for (int i = 0; i < N; ++i) c[i] = ColorComponent(O[i]);
  State->SetStrokeColor(c);
  FDevice->UpdateStrokeColor(*State);
}
void TvlPDContentStream::Op_scn(const TvlOperand* O, int N) { SetPatternColor(O, N, true); }
void TvlPDContentStream::Op_SCN(const TvlOperand* O, int N) { SetPatternColor(O, N, false); }

void TvlPDContentStream::SetPatternColor(const TvlOperand* O, int N, bool Fill) {
  TvlPDColorSpace* space = Fill ? State->FillColorSpace : State->StrokeColorSpace;
  auto notify = [&] {
    if (Fill) FDevice->UpdateFillColor(*State); else FDevice->UpdateStrokeColor(*State);
  };
  auto store = [&](int Count) {
    TvlPDColor c{};
    int k = 0;
    for (int i = 0; i < Count && k < kMaxColorComponents; ++i)
      if (O[i].IsNumber()) c[k++] = ColorComponent(O[i]);
    if (Fill) State->SetFillColor(c); else State->SetStrokeColor(c);
  };
  if (space && space->Family() == cfPattern) {
    if (N > 1) {
      const auto* pat = static_cast<TvlPDPatternColorSpace*>(space);
      if (!pat->Underlying || N != pat->Underlying->ComponentCount() + 1) return;
      store(N);
      notify();
    }
    // A pattern name would be looked up here; patterns are not supported,
    // so the side's pattern stays unset.
    return;
  }
  if (!space || N == space->ComponentCount()) {
    if (Fill) State->SetFillPattern(nullptr); else State->SetStrokePattern(nullptr);
    store(N);
    notify();
  }
}

// ---- text state

void TvlPDContentStream::Op_BT(const TvlOperand*, int) {
  State->TextMatrix = TvlPDMatrix();
  State->TextMoveTo(0, 0);
  FDevice->UpdateTextMatrix(*State);
  FDevice->UpdateTextPosition(*State);
  TextDirty = true;
}
void TvlPDContentStream::Op_ET(const TvlOperand*, int) { FDevice->EndTextObject(*State); }
void TvlPDContentStream::Op_Tm(const TvlOperand* O, int) {
  State->TextMatrix.Set(Num(O[0]), Num(O[1]), Num(O[2]), Num(O[3]), Num(O[4]), Num(O[5]));
  State->TextMoveTo(0, 0);
  FDevice->UpdateTextMatrix(*State);
  FDevice->UpdateTextPosition(*State);
  TextDirty = true;
}
void TvlPDContentStream::Op_Td(const TvlOperand* O, int) {
  State->TextMoveTo(State->LineX + Num(O[0]), State->LineY + Num(O[1]));
  FDevice->UpdateTextPosition(*State);
}
void TvlPDContentStream::Op_TD(const TvlOperand* O, int) {
  State->SetLeading(-Num(O[1]));
  Op_Td(O, 2);
}
void TvlPDContentStream::NextLine() { State->TextMoveTo(State->LineX, State->LineY - State->Leading); }
void TvlPDContentStream::Op_TStar(const TvlOperand*, int) {
  NextLine();
  FDevice->UpdateTextPosition(*State);
}
void TvlPDContentStream::Op_Tc(const TvlOperand* O, int) {
  State->SetCharSpacing(Num(O[0]));
  FDevice->UpdateCharSpacing(*State);
}
void TvlPDContentStream::Op_Tw(const TvlOperand* O, int) {
  State->SetWordSpacing(Num(O[0]));
  FDevice->UpdateWordSpacing(*State);
}
void TvlPDContentStream::Op_Tz(const TvlOperand* O, int) {
  State->SetHorizontalScale(Num(O[0]) / 100);
  FDevice->UpdateHorizontalScale(*State);
  TextDirty = true;
}
void TvlPDContentStream::Op_TL(const TvlOperand* O, int) { State->SetLeading(Num(O[0])); }
void TvlPDContentStream::Op_Tr(const TvlOperand* O, int) {
  State->SetRenderMode(O[0].Int);
  FDevice->UpdateRenderMode(*State);
}
void TvlPDContentStream::Op_Ts(const TvlOperand* O, int) {
  State->SetRise(Num(O[0]));
  FDevice->UpdateTextRise(*State);
}

// ---- text showing

void TvlPDContentStream::BeginShow() {
  if (TextDirty) {
    FDevice->UpdateFont(*State);
    TextDirty = false;
  }
}

void TvlPDContentStream::Op_Tj(const TvlOperand* O, int) {
  if (!State->Font) return;
  BeginShow();
  FDevice->BeginTextShow(*State);
  ShowText(O[0]);
  FDevice->EndTextShow(*State);
}

void TvlPDContentStream::OpQuote(const TvlOperand* O, int) {
  if (!State->Font) return;
  BeginShow();
  NextLine();
  FDevice->UpdateTextPosition(*State);
  FDevice->BeginTextShow(*State);
  ShowText(O[0]);
  FDevice->EndTextShow(*State);
}

void TvlPDContentStream::OpDoubleQuote(const TvlOperand* O, int) {
  if (!State->Font) return;
  BeginShow();
  State->SetWordSpacing(Num(O[0]));
  State->SetCharSpacing(Num(O[1]));
  NextLine();
  FDevice->UpdateWordSpacing(*State);
  FDevice->UpdateCharSpacing(*State);
  FDevice->UpdateTextPosition(*State);
  FDevice->BeginTextShow(*State);
  ShowText(O[2]);
  FDevice->EndTextShow(*State);
}

void TvlPDContentStream::Op_TJ(const TvlOperand* O, int) {
  if (!State->Font) return;
  BeginShow();
  FDevice->BeginTextShow(*State);
  const TvlOperand* e = Lexer.Elements(O[0]);
  for (uint32_t i = 0; i < O[0].Length; ++i) {
    if (e[i].IsNumber()) {
      // Horizontal writing only: the adjustment moves along x.
      State->TextShift(-e[i].Num * 0.001 * std::fabs(State->FontSize) * State->HorizontalScale, 0);
      FDevice->ShiftText(*State, e[i].Num);
    } else if (e[i].Kind == TvlOperandKind::String) {
      ShowText(e[i]);
    }
  }
  FDevice->EndTextShow(*State);
}

namespace {
int Hex(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return 0;  // a non-digit counts as 0
}
}  // namespace

void TvlPDContentStream::ShowText(const TvlOperand& S) {
  const std::string_view t = Text(S);
  if (!S.Hex) {
    FCodes.assign(t.size(), 0);
    for (size_t i = 0; i < t.size(); ++i) FCodes[i] = static_cast<uint8_t>(t[i]);
    ShowCodes(t);
    return;
  }
  // Each code of a hexadecimal string is shown as a string of its own.
  const bool cid = State->Font->IsCIDFont();
  const size_t group = cid ? 4 : 2;
  for (size_t i = 0; i < t.size(); i += group) {
    const size_t n = std::min(group, t.size() - i);
    unsigned code;
    if (!cid) {
      code = Hex(t[i]) * 16 + (n > 1 ? Hex(t[i + 1]) : 0);
    } else if (n == 4) {
      code = (Hex(t[i]) << 12) | (Hex(t[i + 1]) << 8) | (Hex(t[i + 2]) << 4) | Hex(t[i + 3]);
    } else if (n == 3) {
      code = (Hex(t[i]) << 12) | (Hex(t[i + 1]) << 8) | (Hex(t[i + 2]) << 4);
    } else if (n == 2) {
      code = (Hex(t[i]) << 4) | Hex(t[i + 1]);
    } else {
      code = Hex(t[i]) << 4;
    }
    char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    FCodes.assign(1, static_cast<WideChar>(code));
    ShowCodes(cid ? std::string_view(bytes, 2) : std::string_view(bytes + 1, 1));
  }
}

void TvlPDContentStream::ShowCodes(std::string_view Bytes) {
  TvlPDExportDevice& dev = *FDevice;
  TvlPDState& st = *State;
  TvlPDFont* font = st.Font;
  if (dev.DrawsGlyphs) dev.BeginString(st, Bytes);
  if (!(font->FontKind() == fkType3 && dev.SkipsType3Text)) {
    if (dev.DrawsGlyphs) {
      const int len = static_cast<int>(FCodes.size());
      int p = 1;
      while (p <= len) {
        int codeLength = 1;
        uint16_t unicode = 0;
        std::string_view glyphName;
        double width = 0, r1 = 0, r2 = 0, r3 = 0;
        font->DecodeChar(FCodes, p, codeLength, unicode, glyphName, width, r1, r2, r3);
        st.GlyphWidth = width * st.FontSize;
        const double dx =
            (st.GlyphWidth + st.CharSpacing + (unicode == 32 ? st.WordSpacing : 0)) *
            st.HorizontalScale;
        dev.DrawGlyph(st, unicode, st.CurX, st.CurY, dx, 0, glyphName);
        st.Advance(dx, 0);
        p += std::max(codeLength, 1);  // a code always consumes something
      }
    } else {
      dev.DrawString(st, Bytes, st.CurX, st.CurY);
    }
  }
  if (dev.DrawsGlyphs) dev.EndString(st);
}
