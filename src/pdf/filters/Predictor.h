// PNG (10..15) and TIFF (2) predictors over the raw output of Flate or LZW.
#pragma once

#include <vector>

#include "pdf/filters/FilterStream.h"

class TvlStreamPredictor : public TvlFilterStream {
public:
  // Predictor 1 means none; check IsValid before creating one.
  TvlStreamPredictor(TvlStream* Source, bool OwnsSource, int Predictor, int Columns, int Colors,
                     int BitsPerComponent);
  static bool IsValid(int Columns, int Colors, int BitsPerComponent);

  // The kind of the decoder it sits on.
  TvlStreamKind GetKind() const override { return FSource->GetKind(); }
  int ReadRawByte() override { return FSource->ReadByte(); }

protected:
  size_t Decode(uint8_t* Out, size_t Capacity) override;
  void ResetDecoder() override;
  void ReleaseDecoder() override;

private:
  // Reads and un-predicts the next row; false when there is none.
  bool GetNextLine();
  void UndoTiff();

  int FPredictor, FColumns, FColors, FBits;
  size_t FPixelBytes;
  size_t FRowBytes;  // pixel-bytes lead-in + the row's data
  // Rows grow as their bytes arrive, so a claimed width costs nothing until
  // the data is there; the lead-in bytes stay 0 (the pixel left of the row).
  std::vector<uint8_t> FRow, FPrev;
  size_t FReadPos = 0;
  bool FRowEnded = false;
};
