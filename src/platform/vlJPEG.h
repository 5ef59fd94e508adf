// A JPEG picture: holds the JPEG bytes as they are and decodes or encodes
// them with libjpeg(-turbo).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/vlBitmap.h"

class TJPEGImage : public TGraphic {
public:
  const char* ClassName() const override { return "TJPEGImage"; }
  TvlGraphicKind Kind() const override { return TvlGraphicKind::gkJPEG; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // From a JPEG image: copies the bytes. From a bitmap, icon or metafile:
  // encodes its rendered pixels at CompressionQuality.
  void Assign(const TPersistent& Source) override;
  // Takes every byte from the stream's position to its end; reads the size
  // from the header. Raises EInvalidGraphic when the header cannot be read.
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) const override;
  std::unique_ptr<TGraphic> Clone() const override;
  // Decodes to a 24-bit bitmap; null when the data does not decode.
  std::unique_ptr<TBitmap> Render() const override;

  void LoadFromBytes(std::vector<uint8_t> Bytes);
  const std::vector<uint8_t>& Data() const { return FData; }
  int Components() const { return FComponents; }
  bool Grayscale() const { return FComponents == 1; }

  // Quality (1..100) used when a bitmap is assigned.
  int CompressionQuality = 90;

private:
  std::vector<uint8_t> FData;
  int FWidth = 0;
  int FHeight = 0;
  int FComponents = 0;
};
