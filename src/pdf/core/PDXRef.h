// The cross-reference: finds startxref, reads the chain of sections from the
// newest to the oldest (classic tables, cross-reference streams, hybrid
// files), keeps the newest trailer, and fetches objects by number.
#pragma once

#include <list>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "pdf/core/FileStream.h"
#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDParser.h"
#include "pdf/core/PDXRefEntry.h"

class TvlObjectStream;

class TvlPDXRef {
public:
  // Doc resolves references met while reading (an indirect /Length).
  TvlPDXRef(TvlFileStream* Stream, TvlPDObjectResolver* Doc);
  TvlPDXRef(const TvlPDXRef&) = delete;
  TvlPDXRef& operator=(const TvlPDXRef&) = delete;
  ~TvlPDXRef();

  // Reads the whole chain. Raises ExInvalidPDFFile (empty file),
  // ExStartXrefNotFound, ExImproperCrossRefTableOrStream (no trailer).
  void Load();
  // A new object (caller owns): the object, or a TvlPDError when the entry is
  // free, unset, out of range or does not lead to the object.
  TvlPDObjectPtr Fetch(int32_t Number);

  TvlPDDictionary* GetTrailer() const { return FTrailer.get(); }
  const TvlPDXRefEntry* GetEntry(int32_t Number) const;
  // Numbers of all entries a section set (free ones included), ascending.
  std::vector<int32_t> EntryNumbers() const;
  // Highest object number that has an entry, + 1.
  int32_t GetEntryCount() const { return FEntryCount; }
  int32_t HighestObjectNumber = -1;
  int32_t LowestFirst = -1;
  int64_t GetStartXRef() const { return FStartXRef; }
  bool IsOK() const { return FOK; }
  void SetSecurity(TvlPDSecurity* Security, int32_t EncryptNumber);

  // Object streams kept decoded at once.
  static constexpr size_t kObjectStreamCache = 4;
  // Nested fetches (an object stream's /Length in another object stream ...)
  // deeper than this fail instead of exhausting the stack.
  static constexpr int kMaxFetchDepth = 32;

private:
  int64_t FindStartXRef();
  // Reads one section; returns the /Prev offset or -1.
  int64_t ReadSection(int64_t Offset, bool& Stop);
  bool ReadXRefTable(TvlPDParser& P, int64_t& Prev, bool& Stop);
  bool ReadXRefStream(TvlPDStream& S, int64_t& Prev);
  // Sets an entry unless a newer section set it already.
  void SetEntry(int64_t Number, uint8_t Type, int64_t Offset, int64_t Gen);
  void NoteSubsection(int64_t First, int64_t Count);
  TvlPDXRefEntry* EntryFor(int64_t Number, bool Create);
  std::unique_ptr<TvlPDParser> ParserAt(int64_t Offset, bool AllowStreams);
  TvlObjectStream* ObjectStream(int32_t Number);
  TvlPDObjectPtr FetchInUse(int32_t Number, const TvlPDXRefEntry& E);

  TvlFileStream* FStream;
  TvlPDObjectResolver* FDoc;
  std::unique_ptr<TvlPDDictionary> FTrailer;
  bool FOK = true;
  int64_t FStartXRef = 0;
  int32_t FEntryCount = 0;
  // Entries below FDenseLimit sit in a vector, the rest in a hash: object
  // numbers are a claim of the file, only entries actually read take room.
  std::vector<TvlPDXRefEntry> FDense;
  std::unordered_map<int32_t, TvlPDXRefEntry> FSparse;
  int64_t FDenseLimit;
  std::list<std::unique_ptr<TvlObjectStream>> FObjectStreams;  // most recent first
  std::unordered_set<int32_t> FLoadingStreams;
  int FDepth = 0;
  TvlPDSecurity* FSecurity = nullptr;
  int32_t FEncryptNumber = -1;
};
