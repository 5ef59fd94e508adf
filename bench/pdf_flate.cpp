// Flate decoding throughput: the own decoder against zlib's inflate on the
// same compressed data, in one run. Data: the decoded streams of the shared
// corpus (page content, fonts, images) when present, else generated text.
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>

#include "pdf/core/PDBaseDoc.h"
#include "pdf/core/PDDocument.h"
#include "pdf/filters/Flate.h"
#include "pdf/filters/MemoryStream.h"

namespace {

AnsiString CorpusData(size_t Want) {
  AnsiString all;
  std::filesystem::path dir = VL_SOURCE_DIR "/../shared/corpus";
  if (!std::filesystem::exists(dir)) return all;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    std::string name = e.path().filename().string();
    if (e.path().extension() != ".pdf" || name.find("rc4") != std::string::npos ||
        name.find("aes") != std::string::npos)
      continue;
    try {
      TvlPDDocument doc;
      doc.LoadFromFile(e.path().string());
      for (int32_t n : doc.GetBaseDoc()->GetXRef()->EntryNumbers()) {
        TvlPDBaseObject* o = doc.FetchObject(n);
        if (o && o->IsStream()) all += o->AsStream()->ReadAll();
        if (all.size() >= Want) return all;
      }
    } catch (const Exception&) {
    }
  }
  return all;
}

AnsiString Generated(size_t Want) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> d(0, 999);
  AnsiString s;
  while (s.size() < Want)
    s += "BT /F1 " + std::to_string(d(rng) % 20) + " Tf " + std::to_string(d(rng)) + " " +
         std::to_string(d(rng)) + " Td (word " + std::to_string(d(rng)) + ") Tj ET\n";
  return s;
}

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

}  // namespace

int main() {
  AnsiString data = CorpusData(size_t{16} << 20);
  const char* source = "corpus streams";
  if (data.size() < (size_t{1} << 20)) {
    data = Generated(size_t{16} << 20);
    source = "generated content";
  }
  AnsiString packed = TvlFlateStream::Compress(data, 6);
  const int rounds = 8;
  static uint8_t buf[65536];

  auto t0 = std::chrono::steady_clock::now();
  size_t ownBytes = 0;
  for (int r = 0; r < rounds; ++r) {
    TvlFlateStream s(new TvlMemoryStream(packed), true);
    s.Reset();
    size_t n;
    while ((n = s.ReadBuffer(buf, sizeof buf)) > 0) ownBytes += n;
  }
  double own = Seconds(t0);

  t0 = std::chrono::steady_clock::now();
  size_t zBytes = 0;
  for (int r = 0; r < rounds; ++r) {
    z_stream z{};
    inflateInit(&z);
    z.next_in = reinterpret_cast<Bytef*>(packed.data());
    z.avail_in = static_cast<uInt>(packed.size());
    int rc;
    do {
      z.next_out = buf;
      z.avail_out = sizeof buf;
      rc = inflate(&z, Z_NO_FLUSH);
      zBytes += sizeof buf - z.avail_out;
    } while (rc == Z_OK);
    inflateEnd(&z);
  }
  double zl = Seconds(t0);

  double ownMBs = ownBytes / own / 1e6, zMBs = zBytes / zl / 1e6;
  std::printf("data: %s, %zu bytes -> %zu compressed, %d rounds\n", source, data.size(),
              packed.size(), rounds);
  std::printf("own inflate:  %8.1f MB/s (%zu bytes)\n", ownMBs, ownBytes);
  std::printf("zlib inflate: %8.1f MB/s (%zu bytes)\n", zMBs, zBytes);
  std::printf("ratio own/zlib: %.2f\n", ownMBs / zMBs);
  return ownBytes == zBytes ? 0 : 1;
}
