// PDF functions (identity, sampled, exponential, stitching; the PostScript
// calculator is recognised but never valid), used as tint transforms.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class TvlPDBaseObject;

constexpr int kMaxFunctionArity = 32;

// Function kinds.
enum : uint8_t { fnIdentity = 0, fnSampled = 1, fnExponential = 2, fnStitching = 3, fnPostScript = 4 };

class TvlPDFunction {
public:
  virtual ~TvlPDFunction() = default;
  int InputCount = 0;   // m
  int OutputCount = 0;  // n
  double Domain[kMaxFunctionArity][2] = {};
  double Range[kMaxFunctionArity][2] = {};
  bool HasRange = false;

  virtual std::unique_ptr<TvlPDFunction> Copy() const = 0;
  virtual uint8_t FunctionKind() const = 0;
  // Inputs and Outputs hold kMaxFunctionArity values each.
  virtual void Evaluate(const double* Inputs, double* Outputs) const = 0;
  virtual bool IsValid() const { return Valid; }

protected:
  // Reads Domain and Range; a non-number in either invalidates the function.
  void ReadCommon(TvlPDBaseObject* Dict);
  double ClipToDomain(int I, double X) const;
  double ClipToRange(int J, double Y) const;
  bool Valid = true;
};

class TvlPDIdentityFunction : public TvlPDFunction {
public:
  TvlPDIdentityFunction();
  std::unique_ptr<TvlPDFunction> Copy() const override;
  uint8_t FunctionKind() const override { return fnIdentity; }
  void Evaluate(const double* Inputs, double* Outputs) const override;
};

class TvlPDSampledFunction : public TvlPDFunction {
public:
  explicit TvlPDSampledFunction(TvlPDBaseObject* Obj);
  std::unique_ptr<TvlPDFunction> Copy() const override;
  uint8_t FunctionKind() const override { return fnSampled; }
  void Evaluate(const double* Inputs, double* Outputs) const override;

  int Size[16] = {};
  int BitsPerSample = 0;
  double Encode[16][2] = {};
  double Decode[kMaxFunctionArity][2] = {};
  std::vector<double> Samples;  // n values per grid point, first input fastest, 0..1
};

class TvlPDExponentialFunction : public TvlPDFunction {
public:
  explicit TvlPDExponentialFunction(TvlPDBaseObject* Obj);
  std::unique_ptr<TvlPDFunction> Copy() const override;
  uint8_t FunctionKind() const override { return fnExponential; }
  void Evaluate(const double* Inputs, double* Outputs) const override;

  double C0[kMaxFunctionArity] = {}, C1[kMaxFunctionArity] = {};
  double N = 1;
};

class TvlPDStitchingFunction : public TvlPDFunction {
public:
  explicit TvlPDStitchingFunction(TvlPDBaseObject* Obj, int Depth = 0);
  TvlPDStitchingFunction(const TvlPDStitchingFunction& Other);
  std::unique_ptr<TvlPDFunction> Copy() const override;
  uint8_t FunctionKind() const override { return fnStitching; }
  void Evaluate(const double* Inputs, double* Outputs) const override;

  std::vector<std::unique_ptr<TvlPDFunction>> Functions;
  std::vector<double> Bounds;  // Domain.lo, inner bounds..., Domain.hi
  std::vector<double> Encode;  // 2 per function
};

class TvlPDPostScriptFunction : public TvlPDFunction {
public:
  TvlPDPostScriptFunction() { Valid = false; }
  std::unique_ptr<TvlPDFunction> Copy() const override;
  uint8_t FunctionKind() const override { return fnPostScript; }
  void Evaluate(const double* Inputs, double* Outputs) const override;
};

// A function from a stream or dictionary by its FunctionType, or the name
// Identity; null for anything else and for invalid functions.
std::unique_ptr<TvlPDFunction> FunctionFromObject(TvlPDBaseObject* Obj);
// Nested stitching functions are followed only this deep, so a function that
// contains itself through references cannot recurse without end.
constexpr int kMaxFunctionDepth = 8;
std::unique_ptr<TvlPDFunction> FunctionFromObject(TvlPDBaseObject* Obj, int Depth);
