#include "support/PdfBuilder.h"

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vltest {

namespace {

struct Entry {
  int Type;  // 0 free, 1 in use, 2 compressed
  int64_t F2;
  int F3;
};

std::string Pad(int64_t v, int width) {
  std::string s = std::to_string(v);
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
  return s;
}

// Consecutive numbers grouped into (first, count) runs.
std::vector<std::pair<int, int>> Runs(const std::map<int, Entry>& entries) {
  std::vector<std::pair<int, int>> runs;
  for (const auto& [num, e] : entries) {
    (void)e;
    if (!runs.empty() && runs.back().first + runs.back().second == num)
      ++runs.back().second;
    else
      runs.emplace_back(num, 1);
  }
  return runs;
}

std::string StreamEntries(const std::map<int, Entry>& entries) {
  std::string data;
  for (const auto& [num, e] : entries) {
    (void)num;
    data += static_cast<char>(e.Type);
    for (int shift = 24; shift >= 0; shift -= 8) data += static_cast<char>((e.F2 >> shift) & 0xFF);
    data += static_cast<char>((e.F3 >> 8) & 0xFF);
    data += static_cast<char>(e.F3 & 0xFF);
  }
  return data;
}

std::string IndexArray(const std::map<int, Entry>& entries) {
  std::string s = "[";
  for (auto [first, count] : Runs(entries)) s += std::to_string(first) + " " + std::to_string(count) + " ";
  s += "]";
  return s;
}

}  // namespace

PdfBuilder::PdfBuilder() { FSections.emplace_back(); }

PdfBuilder& PdfBuilder::Header(std::string Text) {
  FHeader = std::move(Text);
  return *this;
}

PdfBuilder& PdfBuilder::Object(int Num, std::string Body, int Gen) {
  Cur().Pieces.push_back(std::to_string(Num) + " " + std::to_string(Gen) + " obj\n" + Body +
                         "\nendobj\n");
  Cur().PieceObj.push_back(Num);
  Cur().PieceGen.push_back(Gen);
  return *this;
}

PdfBuilder& PdfBuilder::Stream(int Num, std::string DictEntries, std::string Data, int Gen) {
  std::string dict = DictEntries;
  if (dict.find("/Length") == std::string::npos)
    dict += " /Length " + std::to_string(Data.size());
  return Object(Num, "<< " + dict + " >>\nstream\n" + Data + "\nendstream", Gen);
}

PdfBuilder& PdfBuilder::FlateStream(int Num, std::string DictEntries, std::string_view Data,
                                    int Gen) {
  return Stream(Num, "/Filter /FlateDecode " + DictEntries, Deflate(Data), Gen);
}

PdfBuilder& PdfBuilder::ObjectStream(int StmNum, std::vector<std::pair<int, std::string>> Objects,
                                     bool Compress) {
  std::string header, body;
  int index = 0;
  for (auto& [num, text] : Objects) {
    header += std::to_string(num) + " " + std::to_string(body.size()) + " ";
    body += text + "\n";
    Cur().InStream[num] = {StmNum, index++};
  }
  std::string dict = "/Type /ObjStm /N " + std::to_string(Objects.size()) + " /First " +
                     std::to_string(header.size());
  std::string data = header + body;
  if (Compress) return FlateStream(StmNum, dict, data);
  return Stream(StmNum, dict, data);
}

PdfBuilder& PdfBuilder::Raw(std::string Bytes) {
  Cur().Pieces.push_back(std::move(Bytes));
  Cur().PieceObj.push_back(-1);
  Cur().PieceGen.push_back(0);
  return *this;
}

PdfBuilder& PdfBuilder::Free(int Num, int Gen) {
  Cur().Free[Num] = Gen;
  return *this;
}

PdfBuilder& PdfBuilder::Trailer(std::string Entries) {
  if (Cur().TrailerInherited) {
    Cur().Trailer.clear();
    Cur().TrailerInherited = false;
  }
  Cur().Trailer += " " + Entries;
  return *this;
}

PdfBuilder& PdfBuilder::XRefStream(bool On) {
  Cur().XRefStream = On;
  return *this;
}

PdfBuilder& PdfBuilder::Hybrid(std::set<int> StreamOnlyObjects) {
  Cur().Hybrid = true;
  Cur().HybridOnly = std::move(StreamOnlyObjects);
  return *this;
}

PdfBuilder& PdfBuilder::OffsetDelta(int Num, int64_t Delta) {
  FDelta[Num] = Delta;
  return *this;
}

PdfBuilder& PdfBuilder::StartXRef(int64_t Offset) {
  FStartXRef = Offset;
  return *this;
}

PdfBuilder& PdfBuilder::Update() {
  std::string trailer = Cur().Trailer;
  FSections.emplace_back();
  Cur().Trailer = trailer;
  Cur().TrailerInherited = true;
  return *this;
}

int PdfBuilder::MaxObjectNumber() const {
  int m = 0;
  for (const auto& s : FSections) {
    for (int n : s.PieceObj) m = std::max(m, n);
    for (const auto& [n, g] : s.Free) m = std::max(m, n);
    for (const auto& [n, c] : s.InStream) m = std::max(m, n);
  }
  return m;
}

int64_t PdfBuilder::OffsetOf(int Num) const {
  auto it = FOffsets.find(Num);
  return it == FOffsets.end() ? -1 : it->second;
}

std::string PdfBuilder::Build() {
  FOffsets.clear();
  FXRefOffsets.clear();
  int nextStreamNum = MaxObjectNumber() + 1;
  int streams = 0;
  for (const auto& s : FSections)
    if (s.XRefStream || s.Hybrid || !s.InStream.empty()) ++streams;
  const int size = nextStreamNum + streams;

  std::string out;
  if (!FHeader.empty()) out += FHeader + "\n%\xE2\xE3\xCF\xD3\n";
  int64_t prev = -1;
  for (size_t si = 0; si < FSections.size(); ++si) {
    const Section& s = FSections[si];
    std::map<int, Entry> entries;
    if (si == 0) entries[0] = {0, 0, 65535};
    for (size_t i = 0; i < s.Pieces.size(); ++i) {
      int num = s.PieceObj[i];
      if (num >= 0) {
        int64_t off = static_cast<int64_t>(out.size());
        FOffsets[num] = off;
        auto d = FDelta.find(num);
        entries[num] = {1, off + (d == FDelta.end() ? 0 : d->second), s.PieceGen[i]};
      }
      out += s.Pieces[i];
    }
    for (const auto& [num, gen] : s.Free) entries[num] = {0, 0, gen};
    for (const auto& [num, c] : s.InStream) entries[num] = {2, c.Stm, c.Index};

    std::string prevText = prev >= 0 ? " /Prev " + std::to_string(prev) : "";
    const bool asStream = s.XRefStream || !s.InStream.empty();
    int64_t xrefOffset;
    if (asStream) {
      int xnum = nextStreamNum++;
      xrefOffset = static_cast<int64_t>(out.size());
      entries[xnum] = {1, xrefOffset, 0};
      std::string data = StreamEntries(entries);
      out += std::to_string(xnum) + " 0 obj\n<< /Type /XRef /Size " + std::to_string(size) +
             " /W [1 4 2] /Index " + IndexArray(entries) + prevText + s.Trailer + " /Length " +
             std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream\nendobj\n";
    } else {
      std::string hybridText;
      if (s.Hybrid) {
        std::map<int, Entry> only;
        for (int n : s.HybridOnly) {
          auto it = entries.find(n);
          if (it != entries.end()) {
            only.insert(*it);
            entries.erase(it);
          }
        }
        int xnum = nextStreamNum++;
        int64_t hoff = static_cast<int64_t>(out.size());
        entries[xnum] = {1, hoff, 0};
        std::string data = StreamEntries(only);
        out += std::to_string(xnum) + " 0 obj\n<< /Type /XRef /Size " + std::to_string(size) +
               " /W [1 4 2] /Index " + IndexArray(only) + " /Length " +
               std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream\nendobj\n";
        hybridText = " /XRefStm " + std::to_string(hoff);
      }
      xrefOffset = static_cast<int64_t>(out.size());
      out += "xref\n";
      for (auto [first, count] : Runs(entries)) {
        out += std::to_string(first) + " " + std::to_string(count) + "\n";
        for (int n = first; n < first + count; ++n) {
          const Entry& e = entries[n];
          out += Pad(e.Type == 1 ? e.F2 : 0, 10) + " " + Pad(e.F3, 5) + (e.Type == 1 ? " n" : " f") +
                 "\r\n";
        }
      }
      out += "trailer\n<< /Size " + std::to_string(size) + prevText + hybridText + s.Trailer +
             " >>\n";
    }
    FXRefOffsets.push_back(xrefOffset);
    int64_t startxref =
        (si + 1 == FSections.size() && FStartXRef) ? *FStartXRef : xrefOffset;
    out += "startxref\n" + std::to_string(startxref) + "\n%%EOF\n";
    prev = xrefOffset;
  }
  return out;
}

std::string PdfBuilder::Deflate(std::string_view Data, int Level) {
  uLongf len = compressBound(static_cast<uLong>(Data.size()));
  std::string out(len, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &len,
            reinterpret_cast<const Bytef*>(Data.data()), static_cast<uLong>(Data.size()), Level);
  out.resize(len);
  return out;
}

std::string PdfBuilder::SimpleDocument(const std::vector<std::string>& Contents,
                                       const std::string& Resources) {
  PdfBuilder b;
  std::string kids;
  for (size_t k = 0; k < Contents.size(); ++k) kids += std::to_string(3 + 2 * k) + " 0 R ";
  b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
  b.Object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(Contents.size()) +
                  " >>");
  for (size_t k = 0; k < Contents.size(); ++k) {
    int page = static_cast<int>(3 + 2 * k);
    b.Object(page, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources " +
                       Resources + " /Contents " + std::to_string(page + 1) + " 0 R >>");
    b.Stream(page + 1, "", Contents[k]);
  }
  b.Trailer("/Root 1 0 R");
  return b.Build();
}

namespace {

// Writes Pdf to a temporary file and runs qpdf on it; returns the exit code.
int RunQpdf(const std::string& Pdf, const std::vector<std::string>& Args, const char* OutPath) {
  char in[] = "/tmp/vl_qpdf_inXXXXXX";
  int fin = mkstemp(in);
  if (fin < 0) return -1;
  bool ok = write(fin, Pdf.data(), Pdf.size()) == static_cast<ssize_t>(Pdf.size());
  close(fin);
  int code = -1;
  if (ok) {
    std::string cmd = "qpdf";
    for (const auto& a : Args) cmd += " '" + a + "'";
    cmd += std::string(" ") + in;
    if (OutPath) cmd += std::string(" ") + OutPath;
    cmd += " >/dev/null 2>&1";
    int rc = std::system(cmd.c_str());
    if (rc != -1 && WIFEXITED(rc)) code = WEXITSTATUS(rc);
  }
  unlink(in);
  return code;
}

}  // namespace

bool QpdfAvailable() { return std::system("qpdf --version >/dev/null 2>&1") == 0; }

bool QpdfCheck(const std::string& Pdf) { return RunQpdf(Pdf, {"--check"}, nullptr) == 0; }

std::optional<std::string> QpdfTransform(const std::string& Pdf,
                                         const std::vector<std::string>& Args) {
  char out[] = "/tmp/vl_qpdf_outXXXXXX";
  int fout = mkstemp(out);
  if (fout < 0) return std::nullopt;
  close(fout);
  std::optional<std::string> result;
  int code = RunQpdf(Pdf, Args, out);
  // qpdf exits with 3 when it only warned.
  if (code == 0 || code == 3) {
    std::ifstream f(out, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    result = ss.str();
  }
  unlink(out);
  return result;
}

}  // namespace vltest
