#include "pdf/fonts/PDFontObjects.h"

#include "pdf/core/PDBaseObject.h"

namespace vl::fontobj {

TvlPDBaseObject* Entry(TvlPDDictionary* Dict, std::string_view Key) {
  return Dict ? Dict->Get(Key) : nullptr;
}

bool EntryReference(TvlPDDictionary* Dict, std::string_view Key, int& Number, int& Generation) {
  TvlPDBaseObject* raw = Dict ? Dict->GetDirect(Key) : nullptr;
  if (!raw || !raw->IsIndirectRef()) return false;
  Number = raw->ObjectNumber;
  Generation = raw->GenerationNumber;
  return true;
}

std::optional<AnsiString> AsName(TvlPDBaseObject* Obj) {
  if (!Obj || !Obj->IsName()) return std::nullopt;
  return Obj->TextValue();
}

std::optional<int> AsInteger(TvlPDBaseObject* Obj) {
  if (!Obj || !Obj->IsInteger()) return std::nullopt;
  return Obj->IntegerValue();
}

std::optional<double> AsNumber(TvlPDBaseObject* Obj) {
  if (!Obj || !Obj->IsNumber()) return std::nullopt;
  return Obj->NumberValue();
}

bool IsReal(TvlPDBaseObject* Obj) { return Obj && Obj->IsReal(); }

TvlPDDictionary* AsDictionary(TvlPDBaseObject* Obj) { return Obj ? Obj->AsDictionary() : nullptr; }
TvlPDArray* AsArray(TvlPDBaseObject* Obj) { return Obj ? Obj->AsArray() : nullptr; }
TvlPDStream* AsStream(TvlPDBaseObject* Obj) { return Obj ? Obj->AsStream() : nullptr; }
TvlPDDictionary* StreamDictionary(TvlPDStream* Stream) { return Stream ? Stream->Dictionary() : nullptr; }

std::size_t Count(TvlPDArray* Array) { return Array ? static_cast<std::size_t>(Array->Count()) : 0; }

TvlPDBaseObject* Item(TvlPDArray* Array, std::size_t Index) {
  if (!Array || Index >= Count(Array)) return nullptr;
  return Array->Get(static_cast<int>(Index));
}

std::vector<std::uint8_t> DecodedData(TvlPDStream* Stream) {
  if (!Stream) return {};
  try {
    AnsiString data = Stream->ReadAll();
    return std::vector<std::uint8_t>(data.begin(), data.end());
  } catch (const Exception&) {
    // A stream that cannot be decoded counts as empty.
    return {};
  }
}

TvlPDBaseObject* Fetch(TvlPDDictionary* Owner, int Number) {
  TvlPDObjectResolver* resolver = Owner ? Owner->Document() : nullptr;
  return resolver ? resolver->FetchObject(Number) : nullptr;
}

}  // namespace vl::fontobj
