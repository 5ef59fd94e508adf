#include "platform/vlJPEG.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace {

struct ErrorMgr {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorMgr*>(cinfo->err);
  std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr) {}

constexpr long kMaxPixels = 1L << 28;

// Reads the header, and with Out also the pixels (as 24-bit B,G,R rows).
// Everything with a destructor lives outside, so the jump skips none.
bool Decode(const std::vector<uint8_t>& data, int& width, int& height, int& components, TBitmap* out) {
  if (data.empty()) return false;
  jpeg_decompress_struct cinfo;
  ErrorMgr err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.output_message = OnMessage;
  JSAMPROW rowbuf[1] = {nullptr};
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(rowbuf[0]);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  width = static_cast<int>(cinfo.image_width);
  height = static_cast<int>(cinfo.image_height);
  components = cinfo.num_components;
  if (!out || static_cast<long>(width) * height > kMaxPixels) {
    jpeg_destroy_decompress(&cinfo);
    return !out;
  }
  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  int n = cinfo.output_components;
  rowbuf[0] = static_cast<JSAMPROW>(std::malloc(static_cast<size_t>(cinfo.output_width) * n));
  while (cinfo.output_scanline < cinfo.output_height) {
    int y = static_cast<int>(cinfo.output_scanline);
    jpeg_read_scanlines(&cinfo, rowbuf, 1);
    uint8_t* dst = out->ScanLine(y);
    const uint8_t* src = rowbuf[0];
    for (unsigned x = 0; x < cinfo.output_width; ++x, src += n, dst += 3) {
      if (n == 4) {
        // Adobe writes CMYK JPEGs inverted; this is the usual naive conversion.
        unsigned k = src[3];
        dst[0] = static_cast<uint8_t>(src[2] * k / 255);
        dst[1] = static_cast<uint8_t>(src[1] * k / 255);
        dst[2] = static_cast<uint8_t>(src[0] * k / 255);
      } else {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
      }
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::free(rowbuf[0]);
  return true;
}

bool Encode(const TBitmap& src, int quality, unsigned char** outbuf, unsigned long* outsize) {
  jpeg_compress_struct cinfo;
  ErrorMgr err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.output_message = OnMessage;
  JSAMPROW rowbuf[1] = {nullptr};
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(rowbuf[0]);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, outbuf, outsize);
  cinfo.image_width = static_cast<JDIMENSION>(src.Width());
  cinfo.image_height = static_cast<JDIMENSION>(src.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality < 1 ? 1 : quality > 100 ? 100 : quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  rowbuf[0] = static_cast<JSAMPROW>(std::malloc(static_cast<size_t>(src.Width()) * 3));
  for (int y = 0; y < src.Height(); ++y) {
    for (int x = 0; x < src.Width(); ++x) {
      TColor c = src.GetPixel(x, y);
      rowbuf[0][x * 3] = GetRValue(c);
      rowbuf[0][x * 3 + 1] = GetGValue(c);
      rowbuf[0][x * 3 + 2] = GetBValue(c);
    }
    jpeg_write_scanlines(&cinfo, rowbuf, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::free(rowbuf[0]);
  return true;
}

}  // namespace

void TJPEGImage::LoadFromBytes(std::vector<uint8_t> Bytes) {
  int w = 0, h = 0, n = 0;
  if (!Decode(Bytes, w, h, n, nullptr)) throw EInvalidGraphic("JPEG error #53");
  FData = std::move(Bytes);
  FWidth = w;
  FHeight = h;
  FComponents = n;
}

void TJPEGImage::LoadFromStream(TStream& Stream) {
  std::vector<uint8_t> d;
  int64_t rest = Stream.Size() - Stream.Position();
  if (rest > 0) {
    d.resize(static_cast<size_t>(rest));
    d.resize(Stream.Read(d.data(), d.size()));
  }
  LoadFromBytes(std::move(d));
}

void TJPEGImage::SaveToStream(TStream& Stream) const { Stream.WriteBuffer(FData.data(), FData.size()); }

std::unique_ptr<TGraphic> TJPEGImage::Clone() const { return std::make_unique<TJPEGImage>(*this); }

std::unique_ptr<TBitmap> TJPEGImage::Render() const {
  if (FWidth <= 0 || FHeight <= 0 || static_cast<long>(FWidth) * FHeight > kMaxPixels) return nullptr;
  auto bmp = std::make_unique<TBitmap>(FWidth, FHeight, pf24bit);
  int w, h, n;
  if (!Decode(FData, w, h, n, bmp.get())) return nullptr;
  return bmp;
}

void TJPEGImage::Assign(const TPersistent& Source) {
  if (auto* j = dynamic_cast<const TJPEGImage*>(&Source)) {
    if (j != this) *this = *j;
    return;
  }
  if (auto* g = dynamic_cast<const TGraphic*>(&Source)) {
    std::unique_ptr<TBitmap> bmp = g->Render();
    if (!bmp || bmp->Empty()) throw EInvalidGraphic("JPEG error #42");
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    bool ok = Encode(*bmp, CompressionQuality, &buf, &size);
    std::vector<uint8_t> bytes;
    if (ok) bytes.assign(buf, buf + size);
    std::free(buf);
    if (!ok) throw EInvalidGraphic("JPEG error #42");
    FData = std::move(bytes);
    FWidth = bmp->Width();
    FHeight = bmp->Height();
    FComponents = 3;
    return;
  }
  TPersistent::Assign(Source);
}
