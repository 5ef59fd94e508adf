// An image XObject or inline image: its parameters, read on first use.
// Turning the samples into a picture is done elsewhere.
#pragma once

#include <memory>

#include "pdf/content/PDXObject.h"

class TvlPDColorSpace;
class TvlPDState;

class TvlPDImage : public TvlPDXObject {
public:
  TvlPDImage(TvlPDDocument* Doc, TvlPDBaseObject* StreamObject, TvlPDResource* Owner,
             AnsiString Name = {});
  ~TvlPDImage() override;

  // Width/W (0 when missing or not an integer), Height/H (-1 then).
  int GetWidth();
  int GetHeight();
  // BitsPerComponent/BPC; missing: 1 for an image mask, else -1.
  int GetBitsPerComponent();
  // ImageMask/IM.
  bool GetImageMask();
  // ColorSpace/CS, built on first use (owned); a name the factory does not
  // know is looked up in the owner's resources. Null when there is none.
  TvlPDColorSpace* GetColorSpace();
  // Decode/D, or null.
  TvlPDBaseObject* GetDecode();
  // Kind code of the image data's outermost decoding layer (6 DCT, 8 JBIG2,
  // 9 JPX); 11 when the object is not a stream.
  int StreamKind() const;

  void SetState(const TvlPDState* S) { State = S; }
  void SetInline(bool V) { IsInline = V; }

  const TvlPDState* State = nullptr;  // fill colour paints image masks
  bool IsInline = false;

private:
  TvlPDBaseObject* Entry(const char* Key, const char* Abbrev) const;
  int FWidth = -1, FHeight = -1, FBitsPerComponent = -1, FImageMaskRead = -1;
  bool FIsImageMask = false;
  bool FColorSpaceRead = false;
  std::unique_ptr<TvlPDColorSpace> FOwnedColorSpace;
  TvlPDColorSpace* FColorSpace = nullptr;
};
