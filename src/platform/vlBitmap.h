// Pictures: the graphic base type and its kinds (bitmap, icon, metafile;
// the JPEG image is in vlJPEG.h).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/vlClasses.h"
#include "platform/vlGraphics.h"

enum class TvlGraphicKind : uint8_t { gkBitmap, gkIcon, gkMetafile, gkJPEG };

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// One palette entry.
struct TvlRGBQuad {
  uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
  bool operator==(const TvlRGBQuad&) const = default;
};

class TBitmap;

class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

// A picture of any kind. Kind() tells the kinds apart without casting.
class TGraphic : public TPersistent {
public:
  const char* ClassName() const override { return "TGraphic"; }
  virtual TvlGraphicKind Kind() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }
  virtual void LoadFromStream(TStream& Stream) = 0;
  virtual void SaveToStream(TStream& Stream) const = 0;
  // A new object of the same class with the same content.
  virtual std::unique_ptr<TGraphic> Clone() const = 0;
  // Renders the picture into a new 24- or 32-bit bitmap (for drawing);
  // null when it cannot be rendered.
  virtual std::unique_ptr<TBitmap> Render() const = 0;

  void LoadFromFile(const AnsiString& FileName);
  void SaveToFile(const AnsiString& FileName) const;

  // Drawing with Transparent set leaves pixels of TransparentColor out.
  bool Transparent = false;
};

// A raster picture of 1, 4, 8 (palette), 24 (B,G,R) or 32 (B,G,R,A) bits per
// pixel. Rows are stored top-down, each padded to a multiple of 4 bytes (the
// device-independent-bitmap layout, so saving as BMP copies rows).
class TBitmap : public TGraphic {
public:
  TBitmap() = default;
  TBitmap(int AWidth, int AHeight, TPixelFormat AFormat = pf24bit);

  const char* ClassName() const override { return "TBitmap"; }
  TvlGraphicKind Kind() const override { return TvlGraphicKind::gkBitmap; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // Copies a bitmap; renders an icon, metafile or JPEG image into this one.
  void Assign(const TPersistent& Source) override;
  // Reads a Windows BMP file (1/4/8/24/32 bits, uncompressed or RLE8/RLE4,
  // bottom-up or top-down); raises EInvalidGraphic on a malformed one.
  void LoadFromStream(TStream& Stream) override;
  // Writes a Windows BMP file (bottom-up, with the palette for 1/4/8 bits).
  void SaveToStream(TStream& Stream) const override;
  std::unique_ptr<TGraphic> Clone() const override;
  std::unique_ptr<TBitmap> Render() const override;

  TPixelFormat PixelFormat() const { return FFormat; }
  // Converts the pixels to the new format (pfDevice, pf15bit, pf16bit and
  // pfCustom store as 24 bits). Reducing to palette formats uses a gray palette.
  void SetPixelFormat(TPixelFormat Value);
  // Resizes; existing pixels within the new size are kept, new ones are 0.
  void SetSize(int AWidth, int AHeight);
  void SetWidth(int AWidth) { SetSize(AWidth, FHeight); }
  void SetHeight(int AHeight) { SetSize(FWidth, AHeight); }
  int BitsPerPixel() const;
  size_t Stride() const { return FStride; }
  uint8_t* ScanLine(int Row) { return FPixels.data() + static_cast<size_t>(Row) * FStride; }
  const uint8_t* ScanLine(int Row) const { return FPixels.data() + static_cast<size_t>(Row) * FStride; }

  // Palette for 1/4/8-bit bitmaps (new ones get a gray ramp of 2/16/256 levels).
  const std::vector<TvlRGBQuad>& Palette() const { return FPalette; }
  void SetPalette(std::vector<TvlRGBQuad> Value) { FPalette = std::move(Value); }

  // The pixel as an RGB TColor (palette resolved); clNone outside the bitmap.
  TColor GetPixel(int X, int Y) const;
  // Sets an RGB TColor (system colours resolved; palette formats take the
  // nearest palette entry). Outside the bitmap: nothing.
  void SetPixel(int X, int Y, TColor Color);
  uint8_t GetAlpha(int X, int Y) const;

  // The transparent colour: clDefault means the bottom-left pixel.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value) { FTransparentColor = Value; }

  // Canvas operations.
  void FillRect(const TRect& R, TColor Color);
  void Fill(TColor Color) { FillRect({0, 0, FWidth, FHeight}, Color); }
  // Draws Graphic with its top-left corner at (X, Y) at its own size.
  void Draw(int X, int Y, const TGraphic& Graphic);
  // Draws Graphic scaled into R (nearest pixel).
  void StretchDraw(const TRect& R, const TGraphic& Graphic);

private:
  void Allocate(int AWidth, int AHeight, TPixelFormat AFormat);
  void DrawBitmap(const TRect& R, const TBitmap& Src, bool UseTransparent, TColor Transparent);
  int NearestIndex(TColor Color) const;

  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FFormat = pf24bit;
  size_t FStride = 0;
  std::vector<uint8_t> FPixels;
  std::vector<TvlRGBQuad> FPalette;
  TColor FTransparentColor = clDefault;
};

// An icon: one 32-bit image. Streams hold a single-image ICO file.
class TIcon : public TGraphic {
public:
  const char* ClassName() const override { return "TIcon"; }
  TvlGraphicKind Kind() const override { return TvlGraphicKind::gkIcon; }
  int Width() const override { return FImage.Width(); }
  int Height() const override { return FImage.Height(); }
  void Assign(const TPersistent& Source) override;
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) const override;
  std::unique_ptr<TGraphic> Clone() const override;
  std::unique_ptr<TBitmap> Render() const override;

  TBitmap& Image() { return FImage; }
  const TBitmap& Image() const { return FImage; }

private:
  TBitmap FImage{0, 0, pf32bit};
};

// A vector picture stand-in. Content is recorded by drawing on Canvas(), a
// bitmap of the metafile's size. A metafile loaded from a stream keeps its
// bytes (written back unchanged) and renders as a blank picture.
class TMetafile : public TGraphic {
public:
  const char* ClassName() const override { return "TMetafile"; }
  TvlGraphicKind Kind() const override { return TvlGraphicKind::gkMetafile; }
  int Width() const override { return FCanvas.Width(); }
  int Height() const override { return FCanvas.Height(); }
  void SetSize(int AWidth, int AHeight);
  void Assign(const TPersistent& Source) override;
  void LoadFromStream(TStream& Stream) override;
  // The loaded bytes; for a recorded metafile an enhanced metafile with one
  // stretch-DIB record of the canvas.
  void SaveToStream(TStream& Stream) const override;
  std::unique_ptr<TGraphic> Clone() const override;
  std::unique_ptr<TBitmap> Render() const override;

  bool Enhanced = true;
  TBitmap& Canvas() { return FCanvas; }
  const TBitmap& Canvas() const { return FCanvas; }
  const std::vector<uint8_t>& Data() const { return FData; }

private:
  TBitmap FCanvas;
  std::vector<uint8_t> FData;
};
