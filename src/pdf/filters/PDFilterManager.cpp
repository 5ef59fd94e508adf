#include "pdf/filters/PDFilterManager.h"

#include "pdf/core/PDModelException.h"
#include "pdf/filters/ASCII85.h"
#include "pdf/filters/ASCIIHex.h"
#include "pdf/filters/EOFStream.h"
#include "pdf/filters/Flate.h"
#include "pdf/filters/LZW.h"
#include "pdf/filters/Predictor.h"
#include "pdf/filters/RunLength.h"

namespace {

enum class FilterId { Flate, LZW, ASCIIHex, ASCII85, RunLength, Unknown };

struct FilterName {
  std::string_view Name;
  FilterId Id;
};

// Full names and abbreviations, compared exactly. CCITTFaxDecode, DCTDecode,
// JBIG2Decode and JPXDecode pass through undecoded for now.
constexpr FilterName kFilters[] = {
    {"FlateDecode", FilterId::Flate},  {"Fl", FilterId::Flate},
    {"LZWDecode", FilterId::LZW},      {"LZW", FilterId::LZW},
    {"ASCIIHexDecode", FilterId::ASCIIHex}, {"AHx", FilterId::ASCIIHex},
    {"ASCII85Decode", FilterId::ASCII85},   {"A85", FilterId::ASCII85},
    {"RunLengthDecode", FilterId::RunLength}, {"RL", FilterId::RunLength},
};

int IntParm(const TvlPDDictionary* Parms, std::string_view Key, int Default) {
  if (!Parms) return Default;
  const TvlPDBaseObject* v = Parms->Get(Key);
  return v && v->IsInteger() ? v->IntegerValue() : Default;
}

// Flate and LZW put a predictor on top when the parameters ask for one.
std::unique_ptr<TvlFilterStream> WithPredictor(std::unique_ptr<TvlFilterStream> Decoder,
                                               const TvlPDDictionary* Parms) {
  int predictor = IntParm(Parms, "Predictor", 1);
  if (predictor == 1) return Decoder;
  int columns = IntParm(Parms, "Columns", 1);
  int colors = IntParm(Parms, "Colors", 1);
  int bits = IntParm(Parms, "BitsPerComponent", 8);
  if (!TvlStreamPredictor::IsValid(columns, colors, bits)) return Decoder;
  return std::make_unique<TvlStreamPredictor>(Decoder.release(), true, predictor, columns, colors,
                                              bits);
}

const TvlPDBaseObject* FilterEntry(const TvlPDDictionary& Dict, std::string_view Full,
                                   std::string_view Short) {
  const TvlPDBaseObject* v = Dict.Get(Full);
  if (!v || v->IsNull()) v = Dict.Get(Short);
  if (v && v->IsNull()) v = nullptr;
  return v;
}

// Builds the chain over Source; nothing when /Filter has the wrong kind.
// Owns Source when OwnsSource, on success and on failure alike.
std::unique_ptr<TvlStream> BuildChain(const TvlPDDictionary& Dict, TvlStream* Source,
                                      bool OwnsSource, bool& Passthrough) {
  Passthrough = false;
  std::unique_ptr<TvlStream> guard(OwnsSource ? Source : nullptr);
  const TvlPDBaseObject* filter = FilterEntry(Dict, "Filter", "F");
  const TvlPDBaseObject* parms = FilterEntry(Dict, "DecodeParms", "DP");
  if (parms && parms->IsArray()) {
    const TvlPDArray* a = parms->AsArray();
    const TvlPDBaseObject* first = a->Get(0);
    if (a->Count() == 0 || (first && first->IsDictionary() && first->AsDictionary()->Count() == 0))
      parms = nullptr;
  }
  if (!filter && !parms) {
    Passthrough = true;
    return guard ? std::move(guard) : nullptr;
  }
  if (filter && filter->IsName()) {
    guard.release();
    return TvlPDFilterManager::CreateFilter(filter->TextValue(), parms, Source, OwnsSource, &Dict);
  }
  if (filter && filter->IsArray()) {
    const TvlPDArray* names = filter->AsArray();
    if (names->Count() == 0) {
      Passthrough = true;
      return guard ? std::move(guard) : nullptr;
    }
    const TvlPDArray* parmArray = parms ? parms->AsArray() : nullptr;
    TvlStream* current = Source;
    bool ownsCurrent = OwnsSource;
    guard.release();
    std::unique_ptr<TvlStream> top;
    for (int i = 0; i < names->Count(); ++i) {
      const TvlPDBaseObject* name = names->Get(i);
      if (!name || !name->IsName()) {
        top = std::make_unique<TvlEOFStream>(current, ownsCurrent);
        return top;
      }
      const TvlPDBaseObject* p = parmArray ? parmArray->Get(i) : nullptr;
      auto link = TvlPDFilterManager::CreateFilter(name->TextValue(), p, current, ownsCurrent, &Dict);
      current = link.release();
      ownsCurrent = true;
    }
    return std::unique_ptr<TvlStream>(current);
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<TvlFilterStream> TvlPDFilterManager::CreateFilter(std::string_view Name,
                                                                  const TvlPDBaseObject* Parms,
                                                                  TvlStream* Source,
                                                                  bool OwnsSource,
                                                                  const TvlPDDictionary*) {
  FilterId id = FilterId::Unknown;
  for (const auto& f : kFilters)
    if (f.Name == Name) id = f.Id;
  const TvlPDDictionary* parms = Parms ? Parms->AsDictionary() : nullptr;
  switch (id) {
    case FilterId::Flate:
      return WithPredictor(std::make_unique<TvlFlateStream>(Source, OwnsSource), parms);
    case FilterId::LZW:
      return WithPredictor(
          std::make_unique<TvlLZWStream>(Source, OwnsSource, IntParm(parms, "EarlyChange", 1)),
          parms);
    case FilterId::ASCIIHex: return std::make_unique<TvlASCIIHexStream>(Source, OwnsSource);
    case FilterId::ASCII85: return std::make_unique<TvlASCII85Stream>(Source, OwnsSource);
    case FilterId::RunLength: return std::make_unique<TvlRunLengthStream>(Source, OwnsSource);
    case FilterId::Unknown: break;
  }
  return std::make_unique<TvlEOFStream>(Source, OwnsSource);
}

std::unique_ptr<TvlStream> TvlPDFilterManager::CreateDecodedData(const TvlPDDictionary& StreamDict,
                                                                 TvlStream* Source,
                                                                 bool OwnsSource) {
  if (!Source) throw ExInvalidStream();
  bool passthrough;
  auto chain = BuildChain(StreamDict, Source, OwnsSource, passthrough);
  if (passthrough && !OwnsSource) {
    // Nothing to decode and nothing owned: a stream that forwards Source.
    return std::make_unique<TvlPassThroughStream>(Source, false);
  }
  return chain;
}

std::unique_ptr<TvlPDStream> TvlPDFilterManager::CreateDecodedStream(
    std::unique_ptr<TvlPDDictionary> StreamDict, std::unique_ptr<TvlStream> Source) {
  if (!StreamDict) throw ExInvalidObject();
  if (!Source) throw ExInvalidStream();
  bool passthrough;
  auto chain = BuildChain(*StreamDict, Source.release(), true, passthrough);
  if (!chain) return nullptr;
  return std::make_unique<TvlPDStream>(std::shared_ptr<TvlStream>(std::move(chain)),
                                       std::move(StreamDict));
}
