#include "pdf/core/PDXRef.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

#include "pdf/core/PDModelException.h"
#include "pdf/filters/MemoryStream.h"

namespace {

// A decoded object stream bigger than this is cut there: it guards against
// data that inflates without end, far beyond any real object stream.
constexpr size_t kMaxObjectStreamBytes = size_t{256} << 20;
// Entry vectors never grow past this by themselves; larger numbers are hashed.
constexpr int64_t kMaxDenseEntries = int64_t{1} << 22;
// Bytes read from the end when looking for startxref, and the chunk size
// when the whole file has to be searched.
constexpr size_t kTailBytes = 1024;
constexpr size_t kScanChunk = size_t{1} << 20;
// A cross-reference stream field wider than this cannot hold a number.
constexpr int kMaxFieldWidth = 8;

constexpr std::string_view kStartXRef = "startxref";

bool IsWordChar(unsigned char c) { return std::isalnum(c) != 0; }

// Offset of the last "startxref" in Data as a whole word, ignoring case; -1 if none.
int64_t LastKeyword(const AnsiString& Data) {
  const size_t n = kStartXRef.size();
  if (Data.size() < n) return -1;
  for (size_t i = Data.size() - n + 1; i-- > 0;) {
    bool match = true;
    for (size_t k = 0; k < n && match; ++k)
      match = std::tolower(static_cast<unsigned char>(Data[i + k])) == kStartXRef[k];
    if (!match) continue;
    if (i > 0 && IsWordChar(static_cast<unsigned char>(Data[i - 1]))) continue;
    if (i + n < Data.size() && IsWordChar(static_cast<unsigned char>(Data[i + n]))) continue;
    return static_cast<int64_t>(i);
  }
  return -1;
}

AnsiString ReadAt(TvlPlatformStream& S, int64_t Offset, size_t Count) {
  AnsiString out(Count, '\0');
  out.resize(S.ReadAt(Offset, out.data(), Count));
  return out;
}

// The startxref value: separators skipped, text up to the line end, blanks
// trimmed; text that is not a decimal integer counts as 0.
int64_t ParseStartXRefValue(const AnsiString& After) {
  size_t i = 0;
  auto sep = [](char c) { return c == 0 || c == '\t' || c == '\n' || c == '\r'; };
  while (i < After.size() && (sep(After[i]) || After[i] == ' ')) ++i;
  size_t j = i;
  while (j < After.size() && !sep(After[j])) ++j;
  std::string_view text(After.data() + i, j - i);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 18) return 0;
  int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    v = v * 10 + (c - '0');
  }
  return v;
}

struct DepthGuard {
  int& Depth;
  explicit DepthGuard(int& D) : Depth(D) { ++Depth; }
  ~DepthGuard() { --Depth; }
};

}  // namespace

// The objects of one object stream, parsed when it is loaded.
class TvlObjectStream {
public:
  explicit TvlObjectStream(int32_t Number) : FNumber(Number) {}
  int32_t FNumber;
  std::vector<int32_t> FNumbers;
  std::vector<TvlPDObjectPtr> FObjects;
};

TvlPDXRef::TvlPDXRef(TvlFileStream* Stream, TvlPDObjectResolver* Doc)
    : FStream(Stream), FDoc(Doc) {
  int64_t size = Stream ? Stream->GetSize() : 0;
  FDenseLimit = std::clamp<int64_t>(size / 4 + 1024, 1024, kMaxDenseEntries);
}

TvlPDXRef::~TvlPDXRef() = default;

void TvlPDXRef::SetSecurity(TvlPDSecurity* Security, int32_t EncryptNumber) {
  FSecurity = Security;
  FEncryptNumber = EncryptNumber;
  FObjectStreams.clear();
}

const TvlPDXRefEntry* TvlPDXRef::GetEntry(int32_t Number) const {
  if (Number < 0) return nullptr;
  if (Number < FDenseLimit) {
    if (static_cast<size_t>(Number) >= FDense.size()) return nullptr;
    return &FDense[static_cast<size_t>(Number)];
  }
  auto it = FSparse.find(Number);
  return it == FSparse.end() ? nullptr : &it->second;
}

std::vector<int32_t> TvlPDXRef::EntryNumbers() const {
  std::vector<int32_t> out;
  for (size_t i = 0; i < FDense.size(); ++i)
    if (FDense[i].IsSet()) out.push_back(static_cast<int32_t>(i));
  size_t dense = out.size();
  for (const auto& [n, e] : FSparse)
    if (e.IsSet()) out.push_back(n);
  std::sort(out.begin() + static_cast<std::ptrdiff_t>(dense), out.end());
  return out;
}

TvlPDXRefEntry* TvlPDXRef::EntryFor(int64_t Number, bool Create) {
  if (Number < 0 || Number >= INT32_MAX) return nullptr;
  if (Number < FDenseLimit) {
    auto n = static_cast<size_t>(Number);
    if (n >= FDense.size()) {
      if (!Create) return nullptr;
      size_t grown = std::max<size_t>(n + 1, std::max<size_t>(1024, FDense.size() * 2));
      FDense.resize(std::min<size_t>(grown, static_cast<size_t>(FDenseLimit)));
    }
    return &FDense[n];
  }
  auto key = static_cast<int32_t>(Number);
  if (!Create) {
    auto it = FSparse.find(key);
    return it == FSparse.end() ? nullptr : &it->second;
  }
  return &FSparse[key];
}

void TvlPDXRef::SetEntry(int64_t Number, uint8_t Type, int64_t Offset, int64_t Gen) {
  TvlPDXRefEntry* e = EntryFor(Number, true);
  if (!e || e->IsSet()) return;  // a newer section decided already
  e->EntryType = Type;
  e->Offset = Offset > INT32_MAX ? -2 : static_cast<int32_t>(Offset);
  e->GenerationNumber = Gen > INT32_MAX ? INT32_MAX : static_cast<int32_t>(Gen);
  FEntryCount = std::max<int32_t>(FEntryCount, static_cast<int32_t>(Number + 1));
}

void TvlPDXRef::NoteSubsection(int64_t First, int64_t Count) {
  if (LowestFirst < 0 || First < LowestFirst) LowestFirst = static_cast<int32_t>(First);
  if (Count > 0)
    HighestObjectNumber =
        std::max<int32_t>(HighestObjectNumber, static_cast<int32_t>(First + Count - 1));
}

std::unique_ptr<TvlPDParser> TvlPDXRef::ParserAt(int64_t Offset, bool AllowStreams) {
  auto lexer = std::make_unique<TvlPDLexer>(FStream->CreateSubStream(Offset, 0, false).release(), true);
  return std::make_unique<TvlPDParser>(FDoc, AllowStreams, std::move(lexer), FSecurity);
}

int64_t TvlPDXRef::FindStartXRef() {
  TvlPlatformStream* src = FStream->GetSourceStream();
  int64_t size = src ? src->Size() : 0;
  if (size <= 0) throw ExInvalidPDFFile();
  size_t tail = static_cast<size_t>(std::min<int64_t>(size, kTailBytes));
  int64_t base = size - static_cast<int64_t>(tail);
  AnsiString text = ReadAt(*src, base, tail);
  int64_t at = LastKeyword(text);
  if (at < 0) {
    // Search the whole file, last chunk first; chunks overlap by the keyword length.
    for (int64_t end = base; end > 0 && at < 0;) {
      int64_t start = std::max<int64_t>(0, end - static_cast<int64_t>(kScanChunk));
      text = ReadAt(*src, start, static_cast<size_t>(end - start) + kStartXRef.size());
      at = LastKeyword(text);
      base = start;
      end = start;
    }
  }
  if (at < 0) throw ExStartXrefNotFound();
  int64_t value = ParseStartXRefValue(ReadAt(*src, base + at + static_cast<int64_t>(kStartXRef.size()), 64));
  if (value <= 0) throw ExStartXrefNotFound();
  return value;
}

void TvlPDXRef::Load() {
  if (!FStream) throw ExInvalidStream();
  FStartXRef = FindStartXRef();
  std::unordered_set<int64_t> visited;
  int64_t offset = FStartXRef;
  while (offset >= 0 && FOK) {
    if (!visited.insert(offset).second) break;  // a /Prev loop ends the chain
    bool stop = false;
    int64_t prev = ReadSection(offset, stop);
    if (stop) break;
    offset = prev;
  }
  if (!FTrailer) throw ExImproperCrossRefTableOrStream();
}

int64_t TvlPDXRef::ReadSection(int64_t Offset, bool& Stop) {
  if (Offset < 0 || Offset >= FStream->GetSize()) {
    FOK = false;
    return -1;
  }
  int64_t prev = -1;
  try {
    auto p = ParserAt(Offset, true);
    if (p->Current()->IsCommand()) {
      if (!ReadXRefTable(*p, prev, Stop)) return -1;
      return prev;
    }
    if (p->Current()->IsInteger() && p->Next()->IsInteger()) {
      p->Advance();
      p->Advance();
      if (p->Current()->CommandEquals("obj")) {
        p->Advance();
        TvlPDObjectPtr o = p->ParseObject();
        if (o->IsStream() && ReadXRefStream(*o->AsStream(), prev)) return prev;
      }
    }
  } catch (const Exception&) {
    // Bad bytes inside a section (a name escape, an unreadable stream) end the chain.
  }
  FOK = false;
  return -1;
}

bool TvlPDXRef::ReadXRefTable(TvlPDParser& P, int64_t& Prev, bool& Stop) {
  P.Advance();  // "xref"
  for (;;) {
    TvlPDBaseObject* cur = P.Current();
    if (cur->CommandEquals("trailer")) {
      P.Advance();
      break;
    }
    if (!cur->IsInteger() || !P.Next()->IsInteger()) {
      FOK = false;
      return false;
    }
    int64_t first = cur->IntegerValue();
    int64_t count = P.Next()->IntegerValue();
    if (first < 0 || count < 0 || first + count > INT32_MAX) {
      FOK = false;
      return false;
    }
    P.Advance();
    P.Advance();
    NoteSubsection(first, count);
    for (int64_t i = 0; i < count; ++i) {
      TvlPDBaseObject* off = P.Current();
      TvlPDBaseObject* gen = P.Next();
      if (!off->IsInteger() || !gen->IsInteger()) {
        FOK = false;
        return false;
      }
      int64_t o = off->IntegerValue(), g = gen->IntegerValue();
      P.Advance();
      P.Advance();
      TvlPDBaseObject* kind = P.Current();
      bool inUse = kind->CommandEquals("n");
      if (!inUse && !kind->CommandEquals("f")) {
        FOK = false;
        return false;
      }
      P.Advance();
      SetEntry(first + i, inUse ? etInUse : etFree, o, g);
    }
  }
  TvlPDObjectPtr trailer = P.ParseObject();
  if (!trailer->IsDictionary()) {
    FOK = false;
    return false;
  }
  auto* dict = trailer->AsDictionary();
  if (TvlPDBaseObject* prev = dict->GetDirect("Prev"); prev && prev->IsInteger())
    Prev = prev->IntegerValue();
  TvlPDBaseObject* xrefStm = dict->GetDirect("XRefStm");
  int64_t hybrid = xrefStm && xrefStm->IsInteger() ? xrefStm->IntegerValue() : -1;
  if (!FTrailer) FTrailer.reset(static_cast<TvlPDDictionary*>(trailer.release()));
  if (hybrid >= 0) {
    // Read at once, so the table's entries win over the stream's and both
    // over older sections.
    bool ignored = false;
    ReadSection(hybrid, ignored);
    if (!FOK) {
      FOK = true;
      Stop = true;
    }
  }
  return true;
}

bool TvlPDXRef::ReadXRefStream(TvlPDStream& S, int64_t& Prev) {
  TvlPDDictionary* dict = S.Dictionary();
  TvlPDBaseObject* size = dict->Get("Size");
  TvlPDArray* w = dict->GetArray("W");
  if (!size || !size->IsInteger() || !w || w->Count() < 3) return false;
  int widths[3];
  for (int i = 0; i < 3; ++i) {
    TvlPDBaseObject* v = w->Get(i);
    if (!v || !v->IsInteger() || v->IntegerValue() < 0 || v->IntegerValue() > kMaxFieldWidth)
      return false;
    widths[i] = v->IntegerValue();
  }
  // Entries that take no bytes would let a claimed count run unchecked.
  if (widths[0] + widths[1] + widths[2] == 0) return false;
  std::vector<std::pair<int64_t, int64_t>> subsections;
  if (TvlPDArray* index = dict->GetArray("Index")) {
    for (int i = 0; i + 1 < index->Count(); i += 2) {
      TvlPDBaseObject* a = index->Get(i);
      TvlPDBaseObject* b = index->Get(i + 1);
      if (!a || !b || !a->IsInteger() || !b->IsInteger() || a->IntegerValue() < 0 ||
          b->IntegerValue() < 0)
        return false;
      subsections.emplace_back(a->IntegerValue(), b->IntegerValue());
    }
  } else {
    subsections.emplace_back(0, std::max(size->IntegerValue(), 0));
  }
  S.Reset();
  TvlStream* data = S.Data();
  bool ok = true;
  for (auto [first, count] : subsections) {
    if (first + count > INT32_MAX) {
      ok = false;
      break;
    }
    NoteSubsection(first, count);
    for (int64_t i = 0; i < count; ++i) {
      // Entries need bytes: the data's end ends the table.
      if (data->PeekByte() < 0) break;
      int64_t fields[3];
      for (int f = 0; f < 3; ++f) {
        int64_t v = 0;
        for (int k = 0; k < widths[f]; ++k) {
          int c = data->ReadByte();
          v = (v << 8) | (c < 0 ? 255 : c);  // past the end counts as 255
        }
        fields[f] = v;
      }
      if (widths[0] == 0) fields[0] = 1;
      const TvlPDXRefEntry* e = GetEntry(static_cast<int32_t>(first + i));
      if (e && e->IsSet()) continue;
      if (fields[0] > 2) {
        ok = false;
        break;
      }
      SetEntry(first + i, static_cast<uint8_t>(fields[0]), fields[1], fields[2]);
    }
    if (!ok) break;
  }
  data->Finish();
  if (!ok) return false;
  if (TvlPDBaseObject* prev = dict->GetDirect("Prev"); prev && prev->IsInteger())
    Prev = prev->IntegerValue();
  if (!FTrailer) FTrailer = dict->CloneDictionary();
  return true;
}

TvlPDObjectPtr TvlPDXRef::FetchInUse(int32_t Number, const TvlPDXRefEntry& E) {
  if (E.Offset < 0 || E.Offset >= FStream->GetSize()) return std::make_unique<TvlPDError>();
  auto p = ParserAt(E.Offset, true);
  if (!p->Current()->IsInteger() || p->Current()->IntegerValue() != Number ||
      !p->Next()->IsInteger() || p->Next()->IntegerValue() != E.GenerationNumber)
    return std::make_unique<TvlPDError>();
  p->Advance();
  p->Advance();
  if (!p->Current()->CommandEquals("obj")) return std::make_unique<TvlPDError>();
  p->Advance();
  TvlPDObjectContext ctx{Number, E.GenerationNumber};
  bool decrypt = FSecurity && Number != FEncryptNumber;
  return p->ParseObject(decrypt ? &ctx : nullptr);
}

TvlObjectStream* TvlPDXRef::ObjectStream(int32_t Number) {
  for (auto it = FObjectStreams.begin(); it != FObjectStreams.end(); ++it) {
    if ((*it)->FNumber == Number) {
      FObjectStreams.splice(FObjectStreams.begin(), FObjectStreams, it);
      return FObjectStreams.front().get();
    }
  }
  if (!FLoadingStreams.insert(Number).second) return nullptr;  // it contains itself
  struct Unmark {
    std::unordered_set<int32_t>& Set;
    int32_t N;
    ~Unmark() { Set.erase(N); }
  } unmark{FLoadingStreams, Number};

  auto os = std::make_unique<TvlObjectStream>(Number);
  TvlPDObjectPtr obj = Fetch(Number);
  if (TvlPDStream* s = obj->AsStream()) {
    TvlPDBaseObject* n = s->Dictionary()->Get("N");
    TvlPDBaseObject* first = s->Dictionary()->Get("First");
    if (n && n->IsInteger() && n->IntegerValue() > 0 && first && first->IsInteger() &&
        first->IntegerValue() >= 0) {
      const int32_t count = n->IntegerValue();
      const int64_t firstOffset = first->IntegerValue();
      auto bytes = std::make_shared<TvlPlatformMemory>(s->ReadAll(kMaxObjectStreamBytes));
      const int64_t size = bytes->Size();
      std::vector<int64_t> offsets;
      {
        auto header = std::make_unique<TvlMemoryStream>(bytes, true, firstOffset, 0);
        TvlPDParser p(FDoc, false, std::make_unique<TvlPDLexer>(header.release(), true));
        for (int32_t j = 0; j < count; ++j) {
          TvlPDBaseObject* num = p.Current();
          TvlPDBaseObject* off = p.Next();
          if (!num->IsInteger() || !off->IsInteger() || num->IntegerValue() < 0 ||
              off->IntegerValue() < 0 || (!offsets.empty() && off->IntegerValue() < offsets.back())) {
            os->FNumbers.clear();
            offsets.clear();
            break;
          }
          os->FNumbers.push_back(num->IntegerValue());
          offsets.push_back(off->IntegerValue());
          p.Advance();
          p.Advance();
        }
      }
      for (size_t j = 0; j < offsets.size(); ++j) {
        int64_t start = firstOffset + offsets[j];
        int64_t end = j + 1 < offsets.size() ? firstOffset + offsets[j + 1] : size;
        auto window = std::make_unique<TvlMemoryStream>(bytes, true, std::max<int64_t>(end - start, 0), start);
        TvlPDParser p(FDoc, false, std::make_unique<TvlPDLexer>(window.release(), true));
        os->FObjects.push_back(p.ParseObject());
      }
    }
  }
  FObjectStreams.push_front(std::move(os));
  if (FObjectStreams.size() > kObjectStreamCache) FObjectStreams.pop_back();
  return FObjectStreams.front().get();
}

TvlPDObjectPtr TvlPDXRef::Fetch(int32_t Number) {
  if (!FStream) throw ExInvalidStream();
  const TvlPDXRefEntry* e = GetEntry(Number);
  if (!e || !e->IsSet() || FDepth >= kMaxFetchDepth) return std::make_unique<TvlPDError>();
  DepthGuard guard(FDepth);
  const TvlPDXRefEntry entry = *e;  // the table may grow while fetching
  TvlPDObjectPtr result;
  try {
    if (entry.EntryType == etInUse) {
      result = FetchInUse(Number, entry);
    } else if (entry.EntryType == etCompressed) {
      TvlObjectStream* os = ObjectStream(entry.Offset);
      int32_t idx = entry.GenerationNumber;
      if (os && idx >= 0 && static_cast<size_t>(idx) < os->FObjects.size() &&
          os->FNumbers[static_cast<size_t>(idx)] == Number)
        result = os->FObjects[static_cast<size_t>(idx)]->Clone();
    }
  } catch (const Exception&) {
    result.reset();  // bad bytes inside the object make it unreadable
  }
  if (!result || result->IsError() || result->IsEOF()) return std::make_unique<TvlPDError>();
  result->ObjectNumber = Number;
  result->GenerationNumber = entry.GenerationNumber;
  result->Written = false;
  result->Modified = false;
  if (TvlPDStream* s = result->AsStream()) {
    s->Dictionary()->Written = false;
    s->Dictionary()->Modified = false;
  }
  return result;
}
