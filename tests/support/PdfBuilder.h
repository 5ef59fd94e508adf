// Writes small PDF files byte for byte for tests: objects by number, computed
// /Length and cross-reference offsets, classic or stream cross-references,
// object streams, hybrid sections and incremental updates.
//
//   vltest::PdfBuilder b;
//   b.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
//    .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
//    .Object(3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R >>")
//    .Stream(4, "", "BT /F1 12 Tf (Hi) Tj ET")
//    .Trailer("/Root 1 0 R");
//   std::string pdf = b.Build();
//
// Update() closes the current section; objects added after it form an
// incremental update whose trailer points back with /Prev.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vltest {

class PdfBuilder {
public:
  PdfBuilder();

  // Header line; default "%PDF-1.7". An empty text writes no header.
  PdfBuilder& Header(std::string Text);
  // Object Num with Body as its value ("<< ... >>", "42", "[1 2]" ...).
  PdfBuilder& Object(int Num, std::string Body, int Gen = 0);
  // A stream object; DictEntries are written inside "<< >>" before the
  // computed /Length (unless DictEntries already has /Length).
  PdfBuilder& Stream(int Num, std::string DictEntries, std::string Data, int Gen = 0);
  // The same with /Filter /FlateDecode and the data compressed by zlib.
  PdfBuilder& FlateStream(int Num, std::string DictEntries, std::string_view Data, int Gen = 0);
  // Objects stored compressed in object stream StmNum (forces a
  // cross-reference stream for this section). Bodies are plain values.
  PdfBuilder& ObjectStream(int StmNum, std::vector<std::pair<int, std::string>> Objects,
                           bool Compress = true);
  // Bytes written as they are at this point of the body.
  PdfBuilder& Raw(std::string Bytes);
  // Marks Num free (next generation Gen) in this section's cross-reference.
  PdfBuilder& Free(int Num, int Gen = 1);
  // Extra trailer entries for this section ("/Root 1 0 R /Info 5 0 R"); an
  // update repeats the previous section's entries until it sets its own.
  PdfBuilder& Trailer(std::string Entries);
  // This section's cross-reference as a stream (with /W [1 4 2]).
  PdfBuilder& XRefStream(bool On = true);
  // Classic table plus /XRefStm: the listed objects appear only in the stream.
  PdfBuilder& Hybrid(std::set<int> StreamOnlyObjects);
  // Records Num's offset shifted by Delta (an entry pointing to the wrong place).
  PdfBuilder& OffsetDelta(int Num, int64_t Delta);
  // Overrides the startxref value of the last section.
  PdfBuilder& StartXRef(int64_t Offset);
  // Closes the section; what follows is an incremental update.
  PdfBuilder& Update();

  std::string Build();
  // After Build: where object Num's header starts (newest section wins), and
  // where each section's cross-reference starts.
  int64_t OffsetOf(int Num) const;
  const std::vector<int64_t>& XRefOffsets() const { return FXRefOffsets; }

  // zlib compression of Data.
  static std::string Deflate(std::string_view Data, int Level = 6);
  // A complete document: catalog 1, pages 2, page k at 3+2k with contents
  // 4+2k for each content text; Resources is the page's /Resources value.
  static std::string SimpleDocument(const std::vector<std::string>& Contents,
                                    const std::string& Resources = "<< >>");

private:
  struct Obj {
    int Num;
    int Gen;
    std::string Bytes;  // "N G obj ... endobj\n"
  };
  struct Compressed {
    int Stm;
    int Index;
  };
  struct Section {
    std::vector<std::string> Pieces;  // object bytes or raw bytes, in order
    std::vector<int> PieceObj;        // object number per piece, -1 for raw
    std::vector<int> PieceGen;
    std::map<int, int> Free;
    std::map<int, Compressed> InStream;
    std::string Trailer;
    bool TrailerInherited = false;  // an update repeats the previous entries
    bool XRefStream = false;
    std::set<int> HybridOnly;
    bool Hybrid = false;
  };
  Section& Cur() { return FSections.back(); }
  int MaxObjectNumber() const;

  std::string FHeader = "%PDF-1.7";
  std::vector<Section> FSections;
  std::map<int, int64_t> FDelta;
  std::optional<int64_t> FStartXRef;
  std::map<int, int64_t> FOffsets;
  std::vector<int64_t> FXRefOffsets;
};

// Runs qpdf with Args on Pdf ("--object-streams=generate", "--qdf" ...) and
// returns the output, or nothing when qpdf is missing or fails.
std::optional<std::string> QpdfTransform(const std::string& Pdf,
                                         const std::vector<std::string>& Args);

// True when "qpdf --check" accepts Pdf without warnings (false also when
// qpdf is missing).
bool QpdfCheck(const std::string& Pdf);
bool QpdfAvailable();

}  // namespace vltest
