// A PDF transformation matrix [a b c d e f], mapping (x, y) to
// (a*x + c*y + e, b*x + d*y + f).
#pragma once

class TvlPDBaseObject;

class TvlPDMatrix {
public:
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  TvlPDMatrix() = default;
  TvlPDMatrix(double A, double B, double C, double D, double E, double F)
      : a(A), b(B), c(C), d(D), e(E), f(F) {}
  // From an array of at least six numbers; anything else gives the identity.
  static TvlPDMatrix FromObject(const TvlPDBaseObject* Obj);

  void Set(double A, double B, double C, double D, double E, double F) {
    a = A; b = B; c = C; d = D; e = E; f = F;
  }
  void Transform(double X, double Y, double& OX, double& OY) const {
    OX = a * X + c * Y + e;
    OY = b * X + d * Y + f;
  }
  // The linear part only: maps a displacement.
  void TransformDelta(double X, double Y, double& OX, double& OY) const {
    OX = a * X + c * Y;
    OY = b * X + d * Y;
  }
  // This matrix applied first, then Other.
  TvlPDMatrix Multiply(const TvlPDMatrix& Other) const {
    return {a * Other.a + b * Other.c,     a * Other.b + b * Other.d,
            c * Other.a + d * Other.c,     c * Other.b + d * Other.d,
            e * Other.a + f * Other.c + Other.e, e * Other.b + f * Other.d + Other.f};
  }
  // Inverse; a singular matrix gives the identity.
  TvlPDMatrix Inverse() const;
  bool operator==(const TvlPDMatrix&) const = default;
};
