// A PDF rectangle (Left, Bottom, Right, Top) that may mirror a four-number
// array: setters write through to the array so a changed box is seen in the
// document too.
#pragma once

class TvlPDArray;
class TvlPDBaseObject;

class TvlPDRect {
public:
  TvlPDRect() = default;
  TvlPDRect(double L, double B, double R, double T) : Left(L), Bottom(B), Right(R), Top(T) {}
  // From an array of four numbers; a missing or non-number element stays -1.
  // The array, when there is one, is mirrored (not owned).
  static TvlPDRect FromObject(TvlPDBaseObject* Obj);

  double Left = -1.0, Bottom = -1.0, Right = -1.0, Top = -1.0;
  bool Changed = false;

  void SetLeft(double V) { Store(0, Left, V); }
  void SetBottom(double V) { Store(1, Bottom, V); }
  void SetRight(double V) { Store(2, Right, V); }
  void SetTop(double V) { Store(3, Top, V); }
  // Copies the four values through the setters (so a mirrored array follows).
  void Assign(const TvlPDRect& Source);
  double Width() const { return Right - Left; }
  double Height() const { return Top - Bottom; }
  TvlPDArray* MirroredArray() const { return Array; }

private:
  void Store(int Index, double& Field, double V);
  TvlPDArray* Array = nullptr;
};
