// Tolerant readers of font-dictionary entries: a missing entry or one of the
// wrong type gives nothing, so font building falls back to its defaults.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/vlBase.h"

class TvlPDArray;
class TvlPDBaseObject;
class TvlPDDictionary;
class TvlPDStream;

namespace vl::fontobj {

// The entry with indirect references resolved; null when absent.
TvlPDBaseObject* Entry(TvlPDDictionary* Dict, std::string_view Key);
// Object number and generation of an entry that is an indirect reference.
bool EntryReference(TvlPDDictionary* Dict, std::string_view Key, int& Number, int& Generation);

std::optional<AnsiString> AsName(TvlPDBaseObject* Obj);
std::optional<int> AsInteger(TvlPDBaseObject* Obj);
// Integer or real.
std::optional<double> AsNumber(TvlPDBaseObject* Obj);
bool IsReal(TvlPDBaseObject* Obj);
// A dictionary (a stream's own dictionary does not count).
TvlPDDictionary* AsDictionary(TvlPDBaseObject* Obj);
TvlPDArray* AsArray(TvlPDBaseObject* Obj);
TvlPDStream* AsStream(TvlPDBaseObject* Obj);
TvlPDDictionary* StreamDictionary(TvlPDStream* Stream);

std::size_t Count(TvlPDArray* Array);
// Element with indirect references resolved; null when out of range.
TvlPDBaseObject* Item(TvlPDArray* Array, std::size_t Index);

// The decoded data of a stream; empty when it cannot be decoded.
std::vector<std::uint8_t> DecodedData(TvlPDStream* Stream);
// Object Number of the document Owner belongs to, or null.
TvlPDBaseObject* Fetch(TvlPDDictionary* Owner, int Number);

}  // namespace vl::fontobj
