#include "platform/vlBitmap.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/vlJPEG.h"

namespace {

// Pictures larger than this are refused rather than allocated.
constexpr int64_t kMaxPixels = int64_t(1) << 28;

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

int FormatBits(TPixelFormat f) {
  switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf32bit: return 32;
    default: return 24;
  }
}

TPixelFormat StoredFormat(TPixelFormat f) {
  switch (f) {
    case pf1bit:
    case pf4bit:
    case pf8bit:
    case pf32bit: return f;
    default: return pf24bit;
  }
}

std::vector<TvlRGBQuad> GrayPalette(int bits) {
  int n = 1 << bits;
  std::vector<TvlRGBQuad> p(n);
  for (int i = 0; i < n; ++i) {
    auto g = static_cast<uint8_t>(i * 255 / (n - 1));
    p[i] = {g, g, g, 0};
  }
  return p;
}

std::vector<uint8_t> ReadAll(TStream& Stream) {
  std::vector<uint8_t> data;
  int64_t rest = Stream.Size() - Stream.Position();
  if (rest > 0) {
    data.resize(static_cast<size_t>(rest));
    data.resize(Stream.Read(data.data(), data.size()));
  }
  return data;
}

}  // namespace

void TGraphic::LoadFromFile(const AnsiString& FileName) {
  TFileStream f(FileName, TFileStream::fmOpenRead);
  LoadFromStream(f);
}

void TGraphic::SaveToFile(const AnsiString& FileName) const {
  TFileStream f(FileName, TFileStream::fmCreate);
  SaveToStream(f);
}

// ---- TBitmap ----

TBitmap::TBitmap(int AWidth, int AHeight, TPixelFormat AFormat) { Allocate(AWidth, AHeight, AFormat); }

void TBitmap::Allocate(int AWidth, int AHeight, TPixelFormat AFormat) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (static_cast<int64_t>(AWidth) * AHeight > kMaxPixels) throw EInvalidGraphic("Bitmap image is not valid");
  FFormat = StoredFormat(AFormat);
  FWidth = AWidth;
  FHeight = AHeight;
  FStride = ((static_cast<size_t>(AWidth) * FormatBits(FFormat) + 31) / 32) * 4;
  FPixels.assign(FStride * static_cast<size_t>(AHeight), 0);
  int bits = FormatBits(FFormat);
  if (bits <= 8) {
    if (FPalette.size() != static_cast<size_t>(1 << bits)) FPalette = GrayPalette(bits);
  } else {
    FPalette.clear();
  }
}

int TBitmap::BitsPerPixel() const { return FormatBits(FFormat); }

void TBitmap::SetSize(int AWidth, int AHeight) {
  if (AWidth == FWidth && AHeight == FHeight) return;
  TBitmap old = *this;
  Allocate(AWidth, AHeight, FFormat);
  int rows = std::min(FHeight, old.FHeight);
  size_t bytes = std::min(FStride, old.FStride);
  for (int y = 0; y < rows; ++y) std::memcpy(ScanLine(y), old.ScanLine(y), bytes);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  TPixelFormat target = StoredFormat(Value);
  if (target == FFormat) return;
  TBitmap old = *this;
  FPalette.clear();
  Allocate(old.FWidth, old.FHeight, target);
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      SetPixel(x, y, old.GetPixel(x, y));
      if (FFormat == pf32bit) ScanLine(y)[x * 4 + 3] = old.GetAlpha(x, y);
    }
}

TColor TBitmap::GetPixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return clNone;
  const uint8_t* row = ScanLine(Y);
  int index;
  switch (FFormat) {
    case pf24bit: return RGBToColor(row[X * 3 + 2], row[X * 3 + 1], row[X * 3]);
    case pf32bit: return RGBToColor(row[X * 4 + 2], row[X * 4 + 1], row[X * 4]);
    case pf8bit: index = row[X]; break;
    case pf4bit: index = (row[X >> 1] >> ((X & 1) ? 0 : 4)) & 0x0F; break;
    default: index = (row[X >> 3] >> (7 - (X & 7))) & 1; break;
  }
  if (static_cast<size_t>(index) >= FPalette.size()) return clBlack;
  const TvlRGBQuad& q = FPalette[index];
  return RGBToColor(q.Red, q.Green, q.Blue);
}

uint8_t TBitmap::GetAlpha(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0;
  return FFormat == pf32bit ? ScanLine(Y)[X * 4 + 3] : 255;
}

int TBitmap::NearestIndex(TColor Color) const {
  int best = 0;
  long bestDist = std::numeric_limits<long>::max();
  for (size_t i = 0; i < FPalette.size(); ++i) {
    long dr = long(FPalette[i].Red) - GetRValue(Color), dg = long(FPalette[i].Green) - GetGValue(Color),
         db = long(FPalette[i].Blue) - GetBValue(Color);
    long d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = static_cast<int>(i);
      if (d == 0) break;
    }
  }
  return best;
}

void TBitmap::SetPixel(int X, int Y, TColor Color) {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
  Color = ColorToRGB(Color);
  uint8_t* row = ScanLine(Y);
  switch (FFormat) {
    case pf24bit:
      row[X * 3] = GetBValue(Color);
      row[X * 3 + 1] = GetGValue(Color);
      row[X * 3 + 2] = GetRValue(Color);
      return;
    case pf32bit:
      row[X * 4] = GetBValue(Color);
      row[X * 4 + 1] = GetGValue(Color);
      row[X * 4 + 2] = GetRValue(Color);
      row[X * 4 + 3] = 255;
      return;
    case pf8bit: row[X] = static_cast<uint8_t>(NearestIndex(Color)); return;
    case pf4bit: {
      int shift = (X & 1) ? 0 : 4;
      row[X >> 1] = static_cast<uint8_t>((row[X >> 1] & ~(0x0F << shift)) | (NearestIndex(Color) << shift));
      return;
    }
    default: {
      int bit = 7 - (X & 7);
      row[X >> 3] = static_cast<uint8_t>((row[X >> 3] & ~(1 << bit)) | (NearestIndex(Color) << bit));
      return;
    }
  }
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentColor == clDefault) return FHeight > 0 ? GetPixel(0, FHeight - 1) : clNone;
  return ColorToRGB(FTransparentColor);
}

void TBitmap::FillRect(const TRect& R, TColor Color) {
  int l = std::max(R.Left, 0), t = std::max(R.Top, 0), r = std::min(R.Right, FWidth), b = std::min(R.Bottom, FHeight);
  if (l >= r || t >= b) return;
  Color = ColorToRGB(Color);
  if (FFormat == pf24bit || FFormat == pf32bit) {
    int bpp = FFormat == pf24bit ? 3 : 4;
    uint8_t px[4] = {GetBValue(Color), GetGValue(Color), GetRValue(Color), 255};
    for (int y = t; y < b; ++y) {
      uint8_t* p = ScanLine(y) + static_cast<size_t>(l) * bpp;
      for (int x = l; x < r; ++x, p += bpp) std::memcpy(p, px, bpp);
    }
    return;
  }
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) SetPixel(x, y, Color);
}

void TBitmap::DrawBitmap(const TRect& R, const TBitmap& Src, bool UseTransparent, TColor Transparent) {
  int w = R.Width(), h = R.Height();
  if (w <= 0 || h <= 0 || Src.FWidth <= 0 || Src.FHeight <= 0) return;
  int x0 = std::max(R.Left, 0), x1 = std::min(R.Right, FWidth);
  int y0 = std::max(R.Top, 0), y1 = std::min(R.Bottom, FHeight);
  for (int y = y0; y < y1; ++y) {
    int sy = static_cast<int>(static_cast<int64_t>(y - R.Top) * Src.FHeight / h);
    for (int x = x0; x < x1; ++x) {
      int sx = static_cast<int>(static_cast<int64_t>(x - R.Left) * Src.FWidth / w);
      TColor c = Src.GetPixel(sx, sy);
      if (UseTransparent && c == Transparent) continue;
      SetPixel(x, y, c);
    }
  }
}

void TBitmap::Draw(int X, int Y, const TGraphic& Graphic) {
  StretchDraw({X, Y, X + Graphic.Width(), Y + Graphic.Height()}, Graphic);
}

void TBitmap::StretchDraw(const TRect& R, const TGraphic& Graphic) {
  if (auto* bmp = dynamic_cast<const TBitmap*>(&Graphic)) {
    DrawBitmap(R, *bmp, Graphic.Transparent, bmp->TransparentColor());
    return;
  }
  std::unique_ptr<TBitmap> rendered = Graphic.Render();
  if (rendered) DrawBitmap(R, *rendered, Graphic.Transparent, rendered->TransparentColor());
}

void TBitmap::Assign(const TPersistent& Source) {
  if (auto* b = dynamic_cast<const TBitmap*>(&Source)) {
    if (b != this) *this = *b;
    return;
  }
  if (auto* g = dynamic_cast<const TGraphic*>(&Source)) {
    std::unique_ptr<TBitmap> r = g->Render();
    if (!r) throw EInvalidGraphic("Cannot render a " + std::string(g->ClassName()));
    *this = *r;
    Transparent = g->Transparent;
    return;
  }
  TPersistent::Assign(Source);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const { return std::make_unique<TBitmap>(*this); }
std::unique_ptr<TBitmap> TBitmap::Render() const { return std::make_unique<TBitmap>(*this); }

void TBitmap::LoadFromStream(TStream& Stream) {
  std::vector<uint8_t> d = ReadAll(Stream);
  auto bad = [] { throw EInvalidGraphic("Bitmap image is not valid"); };
  if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') bad();
  uint32_t offBits = Get32(&d[10]);
  uint32_t hdrSize = Get32(&d[14]);
  int64_t w, h;
  int bits, compression = 0;
  uint32_t clrUsed = 0;
  size_t palEntry = 4;
  if (hdrSize == 12) {
    w = Get16(&d[18]);
    h = static_cast<int16_t>(Get16(&d[20]));
    bits = Get16(&d[24]);
    palEntry = 3;
  } else {
    if (hdrSize < 40 || d.size() < 14 + 40) bad();
    w = static_cast<int32_t>(Get32(&d[18]));
    h = static_cast<int32_t>(Get32(&d[22]));
    bits = Get16(&d[28]);
    compression = static_cast<int>(Get32(&d[30]));
    clrUsed = Get32(&d[46]);
  }
  bool topDown = h < 0;
  if (topDown) h = -h;
  if (w <= 0 || h <= 0 || w * h > kMaxPixels) bad();
  TPixelFormat fmt;
  switch (bits) {
    case 1: fmt = pf1bit; break;
    case 4: fmt = pf4bit; break;
    case 8: fmt = pf8bit; break;
    case 24: fmt = pf24bit; break;
    case 32: fmt = pf32bit; break;
    default: bad(); return;
  }
  std::vector<TvlRGBQuad> pal;
  if (bits <= 8) {
    size_t n = clrUsed ? std::min<size_t>(clrUsed, 256) : (size_t(1) << bits);
    size_t at = 14 + hdrSize;
    if (at + n * palEntry > d.size()) bad();
    pal.resize(n);
    for (size_t i = 0; i < n; ++i) pal[i] = {d[at + i * palEntry], d[at + i * palEntry + 1], d[at + i * palEntry + 2], 0};
    pal.resize(size_t(1) << bits);
  }
  TBitmap out;
  out.FPalette = pal;
  out.Allocate(static_cast<int>(w), static_cast<int>(h), fmt);
  if (offBits > d.size()) bad();
  auto row = [&](int64_t fileRow) { return out.ScanLine(static_cast<int>(topDown ? fileRow : h - 1 - fileRow)); };
  if (compression == 0 || compression == 3) {
    for (int64_t r = 0; r < h; ++r) {
      size_t at = offBits + static_cast<size_t>(r) * out.FStride;
      if (at >= d.size()) break;
      std::memcpy(row(r), &d[at], std::min(out.FStride, d.size() - at));
    }
  } else if ((compression == 1 && bits == 8) || (compression == 2 && bits == 4)) {
    // Run-length encoded rows, bottom-up.
    size_t p = offBits;
    int64_t x = 0, y = 0;
    auto put = [&](int v) {
      if (x < w && y < h) {
        uint8_t* line = row(y);
        if (bits == 8) {
          line[x] = static_cast<uint8_t>(v);
        } else {
          int shift = (x & 1) ? 0 : 4;
          line[x >> 1] = static_cast<uint8_t>((line[x >> 1] & ~(0x0F << shift)) | ((v & 0x0F) << shift));
        }
      }
      ++x;
    };
    while (p + 1 < d.size() && y < h) {
      int n = d[p], v = d[p + 1];
      p += 2;
      if (n > 0) {
        for (int i = 0; i < n; ++i) put(bits == 8 ? v : ((i & 1) ? v & 0x0F : v >> 4));
      } else if (v == 0) {
        x = 0;
        ++y;
      } else if (v == 1) {
        break;
      } else if (v == 2) {
        if (p + 1 >= d.size()) break;
        x += d[p];
        y += d[p + 1];
        p += 2;
      } else {
        size_t bytes = bits == 8 ? v : (v + 1) / 2;
        if (p + bytes > d.size()) break;
        for (int i = 0; i < v; ++i) put(bits == 8 ? d[p + i] : ((i & 1) ? d[p + i / 2] & 0x0F : d[p + i / 2] >> 4));
        p += (bytes + 1) & ~size_t(1);
      }
    }
  } else {
    bad();
  }
  *this = std::move(out);
}

void TBitmap::SaveToStream(TStream& Stream) const {
  int bits = BitsPerPixel();
  size_t palBytes = bits <= 8 ? (size_t(1) << bits) * 4 : 0;
  size_t imageBytes = FStride * static_cast<size_t>(FHeight);
  std::vector<uint8_t> h;
  h.reserve(54 + palBytes);
  h.push_back('B');
  h.push_back('M');
  Put32(h, static_cast<uint32_t>(54 + palBytes + imageBytes));
  Put32(h, 0);
  Put32(h, static_cast<uint32_t>(54 + palBytes));
  Put32(h, 40);
  Put32(h, static_cast<uint32_t>(FWidth));
  Put32(h, static_cast<uint32_t>(FHeight));
  Put16(h, 1);
  Put16(h, static_cast<uint32_t>(bits));
  Put32(h, 0);
  Put32(h, static_cast<uint32_t>(imageBytes));
  Put32(h, 3780);  // 96 dpi in pixels per metre
  Put32(h, 3780);
  Put32(h, bits <= 8 ? (1u << bits) : 0);
  Put32(h, 0);
  if (bits <= 8) {
    for (size_t i = 0; i < (size_t(1) << bits); ++i) {
      TvlRGBQuad q = i < FPalette.size() ? FPalette[i] : TvlRGBQuad{};
      h.push_back(q.Blue);
      h.push_back(q.Green);
      h.push_back(q.Red);
      h.push_back(0);
    }
  }
  Stream.WriteBuffer(h.data(), h.size());
  for (int y = FHeight - 1; y >= 0; --y) Stream.WriteBuffer(ScanLine(y), FStride);
}

// ---- TIcon ----

void TIcon::Assign(const TPersistent& Source) {
  if (auto* i = dynamic_cast<const TIcon*>(&Source)) {
    if (i != this) *this = *i;
    return;
  }
  TPersistent::Assign(Source);
}

void TIcon::LoadFromStream(TStream& Stream) {
  std::vector<uint8_t> d = ReadAll(Stream);
  auto bad = [] { throw EInvalidGraphic("Icon image is not valid"); };
  if (d.size() < 22 || Get16(&d[0]) != 0 || Get16(&d[2]) != 1 || Get16(&d[4]) < 1) bad();
  uint32_t size = Get32(&d[14]), offset = Get32(&d[18]);
  if (offset >= d.size() || size > d.size() - offset || size < 40) bad();
  const uint8_t* dib = &d[offset];
  int32_t w = static_cast<int32_t>(Get32(dib + 4));
  int32_t h = static_cast<int32_t>(Get32(dib + 8)) / 2;
  int bits = Get16(dib + 14);
  if (bits != 32 || w <= 0 || h <= 0 || int64_t(w) * h > kMaxPixels) bad();
  uint32_t hdr = Get32(dib);
  if (uint64_t(hdr) + uint64_t(w) * h * 4 > size) bad();
  TBitmap img(w, h, pf32bit);
  for (int y = 0; y < h; ++y) std::memcpy(img.ScanLine(h - 1 - y), dib + hdr + size_t(y) * w * 4, size_t(w) * 4);
  FImage = std::move(img);
}

void TIcon::SaveToStream(TStream& Stream) const {
  int w = FImage.Width(), h = FImage.Height();
  TBitmap img = FImage;
  img.SetPixelFormat(pf32bit);
  size_t maskStride = ((size_t(w) + 31) / 32) * 4;
  size_t dibSize = 40 + size_t(w) * h * 4 + maskStride * h;
  std::vector<uint8_t> o;
  Put16(o, 0);
  Put16(o, 1);
  Put16(o, 1);
  o.push_back(static_cast<uint8_t>(w >= 256 ? 0 : w));
  o.push_back(static_cast<uint8_t>(h >= 256 ? 0 : h));
  o.push_back(0);
  o.push_back(0);
  Put16(o, 1);
  Put16(o, 32);
  Put32(o, static_cast<uint32_t>(dibSize));
  Put32(o, 22);
  Put32(o, 40);
  Put32(o, static_cast<uint32_t>(w));
  Put32(o, static_cast<uint32_t>(h * 2));
  Put16(o, 1);
  Put16(o, 32);
  for (int i = 0; i < 6; ++i) Put32(o, 0);
  for (int y = h - 1; y >= 0; --y) o.insert(o.end(), img.ScanLine(y), img.ScanLine(y) + size_t(w) * 4);
  o.resize(o.size() + maskStride * h, 0);
  Stream.WriteBuffer(o.data(), o.size());
}

std::unique_ptr<TGraphic> TIcon::Clone() const { return std::make_unique<TIcon>(*this); }
std::unique_ptr<TBitmap> TIcon::Render() const { return std::make_unique<TBitmap>(FImage); }

// ---- TMetafile ----

void TMetafile::SetSize(int AWidth, int AHeight) {
  if (FCanvas.PixelFormat() != pf24bit) FCanvas.SetPixelFormat(pf24bit);
  FCanvas.SetSize(AWidth, AHeight);
}

void TMetafile::Assign(const TPersistent& Source) {
  if (auto* m = dynamic_cast<const TMetafile*>(&Source)) {
    if (m != this) *this = *m;
    return;
  }
  TPersistent::Assign(Source);
}

void TMetafile::LoadFromStream(TStream& Stream) {
  FData = ReadAll(Stream);
  int w = 0, h = 0;
  // Enhanced metafile header: the frame in 0.01 mm units at bytes 24..39.
  if (FData.size() >= 88 && Get32(&FData[0]) == 1 && Get32(&FData[40]) == 0x464D4520) {
    auto frame = [&](size_t at) { return static_cast<int32_t>(Get32(&FData[at])); };
    w = static_cast<int>(((int64_t(frame(32)) - frame(24)) * 96 + 1270) / 2540);
    h = static_cast<int>(((int64_t(frame(36)) - frame(28)) * 96 + 1270) / 2540);
    Enhanced = true;
  } else if (FData.size() >= 22 && Get32(&FData[0]) == 0x9AC6CDD7) {
    // Placeable Windows metafile: bounding box in units per inch.
    auto s16 = [&](size_t at) { return static_cast<int16_t>(Get16(&FData[at])); };
    int inch = Get16(&FData[14]);
    if (inch > 0) {
      w = (s16(10) - s16(6)) * 96 / inch;
      h = (s16(12) - s16(8)) * 96 / inch;
    }
    Enhanced = false;
  } else {
    FData.clear();
    throw EInvalidGraphic("Metafile is not valid");
  }
  w = std::clamp(std::abs(w), 0, 1 << 14);
  h = std::clamp(std::abs(h), 0, 1 << 14);
  FCanvas = TBitmap(w, h, pf24bit);
  FCanvas.Fill(clWhite);
}

void TMetafile::SaveToStream(TStream& Stream) const {
  if (!FData.empty()) {
    Stream.WriteBuffer(FData.data(), FData.size());
    return;
  }
  // EMF: header, one EMR_STRETCHDIBITS record with the canvas, EOF.
  int w = FCanvas.Width(), h = FCanvas.Height();
  TBitmap dib = FCanvas;
  dib.SetPixelFormat(pf24bit);
  size_t bitsSize = dib.Stride() * size_t(h);
  uint32_t recSize = static_cast<uint32_t>(80 + 40 + bitsSize);
  uint32_t total = 88 + recSize + 20;
  std::vector<uint8_t> o;
  o.reserve(total);
  Put32(o, 1);
  Put32(o, 88);
  Put32(o, 0);
  Put32(o, 0);
  Put32(o, static_cast<uint32_t>(w - 1));
  Put32(o, static_cast<uint32_t>(h - 1));
  Put32(o, 0);
  Put32(o, 0);
  Put32(o, static_cast<uint32_t>(int64_t(w) * 2540 / 96));
  Put32(o, static_cast<uint32_t>(int64_t(h) * 2540 / 96));
  Put32(o, 0x464D4520);
  Put32(o, 0x10000);
  Put32(o, total);
  Put32(o, 3);
  Put16(o, 0);
  Put16(o, 0);
  Put32(o, 0);
  Put32(o, 0);
  Put32(o, 0);
  Put32(o, 1920);  // reference device: pixels and millimetres
  Put32(o, 1080);
  Put32(o, 508);
  Put32(o, 286);
  // EMR_STRETCHDIBITS
  Put32(o, 81);
  Put32(o, recSize);
  Put32(o, 0);
  Put32(o, 0);
  Put32(o, static_cast<uint32_t>(w - 1));
  Put32(o, static_cast<uint32_t>(h - 1));
  Put32(o, 0);  // xDest
  Put32(o, 0);  // yDest
  Put32(o, 0);  // xSrc
  Put32(o, 0);  // ySrc
  Put32(o, static_cast<uint32_t>(w));
  Put32(o, static_cast<uint32_t>(h));
  Put32(o, 80);  // offBmiSrc
  Put32(o, 40);
  Put32(o, 120);  // offBitsSrc
  Put32(o, static_cast<uint32_t>(bitsSize));
  Put32(o, 0);           // DIB_RGB_COLORS
  Put32(o, 0x00CC0020);  // SRCCOPY
  Put32(o, static_cast<uint32_t>(w));
  Put32(o, static_cast<uint32_t>(h));
  Put32(o, 40);
  Put32(o, static_cast<uint32_t>(w));
  Put32(o, static_cast<uint32_t>(h));
  Put16(o, 1);
  Put16(o, 24);
  for (int i = 0; i < 6; ++i) Put32(o, 0);
  for (int y = h - 1; y >= 0; --y) o.insert(o.end(), dib.ScanLine(y), dib.ScanLine(y) + dib.Stride());
  // EMR_EOF
  Put32(o, 14);
  Put32(o, 20);
  Put32(o, 0);
  Put32(o, 16);
  Put32(o, 20);
  Stream.WriteBuffer(o.data(), o.size());
}

std::unique_ptr<TGraphic> TMetafile::Clone() const { return std::make_unique<TMetafile>(*this); }
std::unique_ptr<TBitmap> TMetafile::Render() const { return std::make_unique<TBitmap>(FCanvas); }
