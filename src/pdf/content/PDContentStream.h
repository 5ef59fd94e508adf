// Executes content streams: reads operands and operators, checks operands
// against a fixed operator table, updates the graphics state and calls the
// device. It draws nothing itself.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "pdf/content/PDContentLexer.h"
#include "pdf/content/PDState.h"
#include "pdf/pages/PDRect.h"

class TvlPDDocument;
class TvlPDExportDevice;
class TvlPDResource;
class TvlPDStream;
class TvlPDPage;
class TvlPDDictionary;
class TvlPDBaseObject;

class TvlPDContentStream {
public:
  static constexpr int kMaxOperands = 32;
  // Garbage streams stop after this many malformed tokens.
  static constexpr int kMaxSyntaxErrors = 1000;
  // q beyond this depth is ignored together with its matching Q, so a
  // stream of q operators cannot exhaust memory.
  static constexpr int kMaxSaveDepth = 16384;
  // Decoded content beyond this size is not read (decompression bombs).
  static constexpr size_t kMaxContentSize = size_t(256) << 20;

  TvlPDContentStream(TvlPDDocument* Doc, TvlPDPage* Page, TvlPDResource* Resources,
                     TvlPDStream* StreamObject);
  ~TvlPDContentStream();
  TvlPDContentStream(const TvlPDContentStream&) = delete;
  TvlPDContentStream& operator=(const TvlPDContentStream&) = delete;

  // Executes this stream on Device. Without a state (the first stream of a
  // page) a fresh one is built from the page parameters.
  void Display(TvlPDExportDevice& Device, int PageNumber, const TvlPDRect* PageBox,
               const TvlPDRect* ClipRect, int Rotate, double HDPI, double VDPI);
  // The same over raw content bytes (no stream object needed).
  void DisplayData(TvlPDExportDevice& Device, std::string_view Data, int PageNumber,
                   const TvlPDRect* PageBox, int Rotate, double HDPI, double VDPI);
  // Continues where Previous left off: its state (with its saved levels),
  // the operands left on its stack and the text-dirty flag move here.
  void ContinueFrom(TvlPDContentStream& Previous);

  std::unique_ptr<TvlPDState> State;
  TvlPDMatrix InitialCTM;
  int CompatDepth = 0;
  bool TextDirty = false;
  int OperandCount = 0;
  // Operators executed and ignored in the last Display (for tests and benchmarks).
  long OperatorCount = 0;
  int SyntaxErrors = 0;

private:
  using THandler = void (TvlPDContentStream::*)(const TvlOperand* Ops, int Count);
  struct TvlOperator;
  static const TvlOperator kOperators[];
  static const TvlOperator* FindOperator(std::string_view Name);

  void Run(const uint8_t* Data, size_t Size);
  void Execute(std::string_view Name);
  bool CheckOperands(const TvlOperator& Op, int Count) const;

  // Helpers.
  std::string_view Text(const TvlOperand& O) const { return Lexer.Text(O); }
  static int32_t ColorComponent(const TvlOperand& O);
  void EndPath();
  void Paint(bool Close, bool Fill, bool EvenOdd, bool Stroke);
  void ShowText(const TvlOperand& S);
  void ShowCodes(std::string_view Bytes);
  void BeginShow();
  void NextLine();
  void SetColorSpaceByName(std::string_view Name, bool Fill);
  void SetPatternColor(const TvlOperand* Ops, int Count, bool Fill);
  void InlineImage();
  std::unique_ptr<TvlPDBaseObject> ToObject(const TvlOperand& O) const;

  // Handlers.
  void OpQuote(const TvlOperand*, int);
  void OpDoubleQuote(const TvlOperand*, int);
  void Op_b(const TvlOperand*, int);
  void Op_B(const TvlOperand*, int);
  void Op_bStar(const TvlOperand*, int);
  void Op_BStar(const TvlOperand*, int);
  void OpNothing(const TvlOperand*, int);
  void Op_BI(const TvlOperand*, int);
  void Op_BT(const TvlOperand*, int);
  void Op_BX(const TvlOperand*, int);
  void Op_c(const TvlOperand*, int);
  void Op_cm(const TvlOperand*, int);
  void Op_cs(const TvlOperand*, int);
  void Op_CS(const TvlOperand*, int);
  void Op_d(const TvlOperand*, int);
  void Op_Do(const TvlOperand*, int);
  void Op_ET(const TvlOperand*, int);
  void Op_EX(const TvlOperand*, int);
  void Op_f(const TvlOperand*, int);
  void Op_fStar(const TvlOperand*, int);
  void Op_g(const TvlOperand*, int);
  void Op_G(const TvlOperand*, int);
  void Op_gs(const TvlOperand*, int);
  void Op_h(const TvlOperand*, int);
  void Op_i(const TvlOperand*, int);
  void Op_j(const TvlOperand*, int);
  void Op_J(const TvlOperand*, int);
  void Op_k(const TvlOperand*, int);
  void Op_K(const TvlOperand*, int);
  void Op_l(const TvlOperand*, int);
  void Op_m(const TvlOperand*, int);
  void Op_M(const TvlOperand*, int);
  void Op_n(const TvlOperand*, int);
  void Op_q(const TvlOperand*, int);
  void Op_Q(const TvlOperand*, int);
  void Op_re(const TvlOperand*, int);
  void Op_rg(const TvlOperand*, int);
  void Op_RG(const TvlOperand*, int);
  void Op_s(const TvlOperand*, int);
  void Op_S(const TvlOperand*, int);
  void Op_sc(const TvlOperand*, int);
  void Op_SC(const TvlOperand*, int);
  void Op_scn(const TvlOperand*, int);
  void Op_SCN(const TvlOperand*, int);
  void Op_TStar(const TvlOperand*, int);
  void Op_Tc(const TvlOperand*, int);
  void Op_Td(const TvlOperand*, int);
  void Op_TD(const TvlOperand*, int);
  void Op_Tf(const TvlOperand*, int);
  void Op_Tj(const TvlOperand*, int);
  void Op_TJ(const TvlOperand*, int);
  void Op_TL(const TvlOperand*, int);
  void Op_Tm(const TvlOperand*, int);
  void Op_Tr(const TvlOperand*, int);
  void Op_Ts(const TvlOperand*, int);
  void Op_Tw(const TvlOperand*, int);
  void Op_Tz(const TvlOperand*, int);
  void Op_v(const TvlOperand*, int);
  void Op_w(const TvlOperand*, int);
  void Op_W(const TvlOperand*, int);
  void Op_WStar(const TvlOperand*, int);
  void Op_y(const TvlOperand*, int);

  TvlPDDocument* FDoc;
  TvlPDPage* FPage;
  TvlPDResource* FResources;
  TvlPDStream* FStreamObject;
  TvlPDExportDevice* FDevice = nullptr;
  TvlPDContentLexer Lexer;
  TvlOperand Operands[kMaxOperands + 1];
  // 0 none, 1 nonzero, 2 even-odd.
  int PendingClip = 0;
  // q operators ignored beyond kMaxSaveDepth and not yet matched.
  int IgnoredSaves = 0;
  WideString FCodes;   // the shown string, one element per code
  std::string FBytes;  // scratch for decoded hex strings
};
