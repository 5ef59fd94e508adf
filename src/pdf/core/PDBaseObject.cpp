#include "pdf/core/PDBaseObject.h"

#include <algorithm>
#include <charconv>

#include "pdf/core/BaseStream.h"
#include "pdf/core/PDModelException.h"

namespace {

const AnsiString kEmpty;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Characters a name writes as #xx: the delimiters, white space, and
// everything outside the printable ASCII range.
bool NameNeedsEscape(unsigned char c) {
  switch (c) {
    case '#': case '%': case '(': case ')': case '/': case '<': case '>':
    case '[': case ']': case '{': case '}':
      return true;
    default:
      return c < 33 || c > 126;
  }
}

void AppendName(AnsiString& Out, std::string_view Name) {
  static const char kHex[] = "0123456789ABCDEF";
  Out += '/';
  for (char ch : Name) {
    auto c = static_cast<unsigned char>(ch);
    if (NameNeedsEscape(c)) {
      Out += '#';
      Out += kHex[c >> 4];
      Out += kHex[c & 15];
    } else {
      Out += ch;
    }
  }
}

}  // namespace

// ---- base ----

bool TvlPDBaseObject::NameEquals(std::string_view) const { return false; }
bool TvlPDBaseObject::CommandEquals(std::string_view) const { return false; }
bool TvlPDBaseObject::HasType(std::string_view) const { return false; }

void TvlPDBaseObject::CopyFrom(const TvlPDBaseObject& Source) {
  ObjectNumber = Source.ObjectNumber;
  GenerationNumber = Source.GenerationNumber;
}

AnsiString TvlPDBaseObject::ToPDF() const {
  AnsiString out;
  WriteValue(out);
  return out;
}

size_t TvlPDBaseObject::WriteTo(TvlStream& Stream, bool OnlyModified) const {
  if (OnlyModified && !Modified) return 0;
  AnsiString out;
  if (ObjectNumber != -1 && !IsIndirectRef()) {
    out = std::to_string(ObjectNumber) + " " + std::to_string(std::max(GenerationNumber, 0)) +
          " obj\r\n";
    WriteValue(out);
    out += "\r\nendobj\r\n";
  } else {
    WriteValue(out);
  }
  const_cast<TvlPDBaseObject*>(this)->Written = true;
  return Stream.WriteString(out);
}

TvlPDDictionary* TvlPDBaseObject::AsDictionary() {
  return IsDictionary() ? static_cast<TvlPDDictionary*>(this) : nullptr;
}
const TvlPDDictionary* TvlPDBaseObject::AsDictionary() const {
  return IsDictionary() ? static_cast<const TvlPDDictionary*>(this) : nullptr;
}
TvlPDArray* TvlPDBaseObject::AsArray() {
  return IsArray() ? static_cast<TvlPDArray*>(this) : nullptr;
}
const TvlPDArray* TvlPDBaseObject::AsArray() const {
  return IsArray() ? static_cast<const TvlPDArray*>(this) : nullptr;
}
TvlPDStream* TvlPDBaseObject::AsStream() {
  return IsStream() ? static_cast<TvlPDStream*>(this) : nullptr;
}
const TvlPDStream* TvlPDBaseObject::AsStream() const {
  return IsStream() ? static_cast<const TvlPDStream*>(this) : nullptr;
}

double TvlPDBaseObject::NumberValue(double Default) const {
  if (IsInteger()) return static_cast<const TvlPDInteger*>(this)->Value;
  if (IsReal()) return static_cast<double>(static_cast<const TvlPDReal*>(this)->Value);
  return Default;
}

int32_t TvlPDBaseObject::IntegerValue(int32_t Default) const {
  return IsInteger() ? static_cast<const TvlPDInteger*>(this)->Value : Default;
}

const AnsiString& TvlPDBaseObject::TextValue() const {
  switch (FKind) {
    case okName: return static_cast<const TvlPDName*>(this)->Value;
    case okCommand: return static_cast<const TvlPDCommand*>(this)->Value;
    case okString: return static_cast<const TvlPDString*>(this)->Value;
    default: return kEmpty;
  }
}

// ---- values ----

TvlPDObjectPtr TvlPDBoolean::Clone() const {
  return std::make_unique<TvlPDBoolean>(Value, ObjectNumber, GenerationNumber);
}
void TvlPDBoolean::CopyFrom(const TvlPDBaseObject& Source) {
  TvlPDBaseObject::CopyFrom(Source);
  if (Source.IsBoolean()) Value = static_cast<const TvlPDBoolean&>(Source).Value;
}
void TvlPDBoolean::WriteValue(AnsiString& Out) const { Out += Value ? "true" : "false"; }

TvlPDObjectPtr TvlPDInteger::Clone() const {
  return std::make_unique<TvlPDInteger>(Value, ObjectNumber, GenerationNumber);
}
void TvlPDInteger::CopyFrom(const TvlPDBaseObject& Source) {
  TvlPDBaseObject::CopyFrom(Source);
  if (Source.IsInteger()) Value = static_cast<const TvlPDInteger&>(Source).Value;
}
void TvlPDInteger::WriteValue(AnsiString& Out) const { Out += std::to_string(Value); }

TvlPDObjectPtr TvlPDReal::Clone() const {
  return std::make_unique<TvlPDReal>(Value, ObjectNumber, GenerationNumber);
}
void TvlPDReal::CopyFrom(const TvlPDBaseObject& Source) {
  TvlPDBaseObject::CopyFrom(Source);
  if (Source.IsReal()) Value = static_cast<const TvlPDReal&>(Source).Value;
}
void TvlPDReal::WriteValue(AnsiString& Out) const {
  // to_chars is locale-independent, so "." is the separator whatever the
  // process locale says.
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::general, 15);
  for (char* p = buf; p != r.ptr; ++p)
    if (*p == 'e') *p = 'E';
  Out.append(buf, r.ptr);
}

AnsiString TvlPDString::Bytes() const {
  if (!IsHex) return Value;
  AnsiString out;
  out.reserve(Value.size() / 2 + 1);
  for (size_t i = 0; i < Value.size(); i += 2) {
    int hi = std::max(HexDigit(Value[i]), 0);
    int lo = i + 1 < Value.size() ? std::max(HexDigit(Value[i + 1]), 0) : 0;
    out.push_back(static_cast<char>(hi * 16 + lo));
  }
  return out;
}
TvlPDObjectPtr TvlPDString::Clone() const {
  auto s = std::make_unique<TvlPDString>(Value, IsHex, ObjectNumber, GenerationNumber);
  s->Modified = Modified;
  s->Written = Written;
  return s;
}
void TvlPDString::CopyFrom(const TvlPDBaseObject& Source) {
  TvlPDBaseObject::CopyFrom(Source);
  if (Source.IsString()) {
    Value = static_cast<const TvlPDString&>(Source).Value;
    IsHex = static_cast<const TvlPDString&>(Source).IsHex;
  }
}
void TvlPDString::WriteValue(AnsiString& Out) const {
  if (IsHex) {
    Out += '<';
    Out += Value;
    Out += '>';
    return;
  }
  Out += '(';
  for (char c : Value) {
    switch (c) {
      case '\b': Out += "\\b"; break;
      case '\t': Out += "\\t"; break;
      case '\n': Out += "\\n"; break;
      case '\f': Out += "\\f"; break;
      case '\r': Out += "\\r"; break;
      case '(': Out += "\\("; break;
      case ')': Out += "\\)"; break;
      case '\\': Out += "\\\\"; break;
      default: Out += c;
    }
  }
  Out += ')';
}

TvlPDName::TvlPDName(std::string_view Text, int32_t ObjNum, int32_t GenNum)
    : TvlPDBaseObject(okName, ObjNum, GenNum), Value(DecodeName(Text)) {}

AnsiString TvlPDName::DecodeName(std::string_view Text) {
  if (Text.find('#') == std::string_view::npos) return AnsiString(Text);
  AnsiString out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    char c = Text[i];
    if (c != '#') {
      out += c;
      continue;
    }
    if (Text.size() - i - 1 < 2) continue;  // a trailing "#" or "#x": the "#" goes
    int hi = HexDigit(Text[i + 1]);
    int lo = HexDigit(Text[i + 2]);
    if (hi < 0 || lo < 0)
      throw EConvertError("'$" + AnsiString(Text.substr(i + 1, 2)) +
                          "' is not a valid integer value");
    // A NUL cannot be part of a name; every other code is the byte itself.
    if (hi * 16 + lo != 0) out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

bool TvlPDName::NameEquals(std::string_view S) const {
  if (S.find('#') == std::string_view::npos) return Value == S;
  return Value == DecodeName(S);
}
TvlPDObjectPtr TvlPDName::Clone() const {
  auto n = std::unique_ptr<TvlPDName>(new TvlPDName(Decoded{}, Value));
  n->ObjectNumber = ObjectNumber;
  n->GenerationNumber = GenerationNumber;
  n->Modified = Modified;
  return n;
}
void TvlPDName::CopyFrom(const TvlPDBaseObject& Source) {
  TvlPDBaseObject::CopyFrom(Source);
  if (Source.IsName()) Value = static_cast<const TvlPDName&>(Source).Value;
}
void TvlPDName::WriteValue(AnsiString& Out) const { AppendName(Out, Value); }

TvlPDObjectPtr TvlPDNull::Clone() const {
  return std::make_unique<TvlPDNull>(ObjectNumber, GenerationNumber);
}
void TvlPDNull::WriteValue(AnsiString& Out) const { Out += "null"; }

TvlPDObjectPtr TvlPDCommand::Clone() const {
  auto c = std::make_unique<TvlPDCommand>(Value);
  c->ObjectNumber = ObjectNumber;
  c->GenerationNumber = GenerationNumber;
  return c;
}
void TvlPDCommand::CopyFrom(const TvlPDBaseObject& Source) {
  TvlPDBaseObject::CopyFrom(Source);
  if (Source.IsCommand()) Value = static_cast<const TvlPDCommand&>(Source).Value;
}
void TvlPDCommand::WriteValue(AnsiString& Out) const { Out += Value; }

TvlPDObjectPtr TvlPDEOF::Clone() const {
  auto e = std::make_unique<TvlPDEOF>();
  e->ObjectNumber = ObjectNumber;
  e->GenerationNumber = GenerationNumber;
  return e;
}
TvlPDObjectPtr TvlPDError::Clone() const {
  auto e = std::make_unique<TvlPDError>();
  e->ObjectNumber = ObjectNumber;
  e->GenerationNumber = GenerationNumber;
  return e;
}

TvlPDObjectPtr TvlPDIndirectRef::Clone() const {
  return std::make_unique<TvlPDIndirectRef>(ObjectNumber, GenerationNumber);
}
void TvlPDIndirectRef::WriteValue(AnsiString& Out) const {
  Out += std::to_string(ObjectNumber) + " " + std::to_string(GenerationNumber) + " R";
}

// ---- deep copy by kind ----

namespace {

TvlPDObjectResolver* DocOf(const TvlPDBaseObject& O) {
  if (auto* d = O.AsDictionary()) return d->Document();
  if (auto* a = O.AsArray()) return a->Document();
  return nullptr;
}

// An empty object of the same kind with Source copied into it; kinds that
// are not data (commands, null, EOF, errors) are not copied this way.
TvlPDObjectPtr DeepCopy(const TvlPDBaseObject& Source) {
  TvlPDObjectPtr o;
  switch (Source.ObjectKind()) {
    case okBoolean: o = std::make_unique<TvlPDBoolean>(false); break;
    case okInteger: o = std::make_unique<TvlPDInteger>(0); break;
    case okReal: o = std::make_unique<TvlPDReal>(0); break;
    case okString: o = std::make_unique<TvlPDString>(AnsiString()); break;
    case okName: o = std::make_unique<TvlPDName>(std::string_view()); break;
    case okArray: o = std::make_unique<TvlPDArray>(DocOf(Source)); break;
    case okDictionary: o = std::make_unique<TvlPDDictionary>(DocOf(Source)); break;
    case okIndirectRef: o = std::make_unique<TvlPDIndirectRef>(-1, -1); break;
    case okStream: return Source.Clone();
    default: return nullptr;
  }
  o->CopyFrom(Source);
  return o;
}

}  // namespace

// ---- arrays ----

TvlPDArray::TvlPDArray(TvlPDObjectResolver* Doc, int32_t ObjNum, int32_t GenNum)
    : TvlPDBaseObject(okArray, ObjNum, GenNum), FData(std::make_shared<TvlArray>()) {
  FData->Doc = Doc;
}

TvlPDBaseObject* TvlPDArray::GetDirect(int I) const {
  if (I < 0 || I >= Count()) return nullptr;
  return FData->Items[static_cast<size_t>(I)].get();
}

TvlPDBaseObject* TvlPDArray::Get(int I) const {
  TvlPDBaseObject* v = GetDirect(I);
  if (v && v->IsIndirectRef()) return FData->Doc ? FData->Doc->FetchObject(v->ObjectNumber) : nullptr;
  return v;
}

TvlPDObjectPtr TvlPDArray::GetCopy(int I) const {
  TvlPDBaseObject* v = Get(I);
  if (!v) return std::make_unique<TvlPDNull>();
  return v->Clone();
}

double TvlPDArray::GetNumber(int I, double Default) const {
  TvlPDBaseObject* v = Get(I);
  return v ? v->NumberValue(Default) : Default;
}

void TvlPDArray::Add(TvlPDObjectPtr Value) {
  if (!Value) return;
  FData->Items.push_back(std::move(Value));
  Modified = true;
}

TvlPDObjectPtr TvlPDArray::Clone() const {
  auto a = std::make_unique<TvlPDArray>(FData->Doc, ObjectNumber, GenerationNumber);
  a->FData = FData;
  return a;
}

void TvlPDArray::CopyFrom(const TvlPDBaseObject& Source) {
  TvlPDBaseObject::CopyFrom(Source);
  const TvlPDArray* src = Source.AsArray();
  if (!src) return;
  auto data = std::make_shared<TvlArray>();
  data->Doc = src->FData->Doc;
  for (const auto& item : src->FData->Items)
    if (auto copy = DeepCopy(*item)) data->Items.push_back(std::move(copy));
  FData = std::move(data);
}

void TvlPDArray::WriteValue(AnsiString& Out) const {
  Out += "[ ";
  for (const auto& item : FData->Items) {
    item->AppendPDF(Out);
    Out += ' ';
  }
  Out += ']';
}

// ---- dictionaries ----

TvlPDDictionary::TvlPDDictionary(TvlPDObjectResolver* Doc, int32_t ObjNum, int32_t GenNum)
    : TvlPDBaseObject(okDictionary, ObjNum, GenNum) {
  FData.Doc = Doc;
}

void TvlPDDictionary::SortEntries() const {
  if (FData.Sorted) return;
  auto less = [](const auto& a, const auto& b) { return a.first < b.first; };
  if (!std::is_sorted(FData.Entries.begin(), FData.Entries.end(), less))
    std::stable_sort(FData.Entries.begin(), FData.Entries.end(), less);
  FData.Sorted = true;
}

int TvlPDDictionary::Find(std::string_view Key) const {
  SortEntries();
  auto it = std::lower_bound(FData.Entries.begin(), FData.Entries.end(), Key,
                             [](const auto& e, std::string_view k) { return e.first < k; });
  if (it == FData.Entries.end() || it->first != Key) return -1;
  return static_cast<int>(it - FData.Entries.begin());
}

TvlPDBaseObject* TvlPDDictionary::GetDirect(std::string_view Key) const {
  int i = Find(Key);
  return i < 0 ? nullptr : FData.Entries[static_cast<size_t>(i)].second.get();
}

TvlPDBaseObject* TvlPDDictionary::Get(std::string_view Key) const {
  TvlPDBaseObject* v = GetDirect(Key);
  if (v && v->IsIndirectRef()) return FData.Doc ? FData.Doc->FetchObject(v->ObjectNumber) : nullptr;
  return v;
}

TvlPDObjectPtr TvlPDDictionary::GetCopy(std::string_view Key) const {
  TvlPDBaseObject* v = Get(Key);
  if (!v) return std::make_unique<TvlPDNull>();
  return v->Clone();
}

const AnsiString& TvlPDDictionary::KeyAt(int I) const {
  if (I < 0 || I >= Count()) return kEmpty;
  return FData.Entries[static_cast<size_t>(I)].first;
}

TvlPDBaseObject* TvlPDDictionary::DirectValueAt(int I) const {
  if (I < 0 || I >= Count()) return nullptr;
  return FData.Entries[static_cast<size_t>(I)].second.get();
}

TvlPDBaseObject* TvlPDDictionary::ValueAt(int I) const {
  TvlPDBaseObject* v = DirectValueAt(I);
  if (v && v->IsIndirectRef()) return FData.Doc ? FData.Doc->FetchObject(v->ObjectNumber) : nullptr;
  return v;
}

void TvlPDDictionary::AddValue(AnsiString Key, TvlPDObjectPtr Value) {
  if (!Value) return;
  if (FData.Sorted && !FData.Entries.empty() && Key < FData.Entries.back().first)
    FData.Sorted = false;
  FData.Entries.emplace_back(std::move(Key), std::move(Value));
  Modified = true;
}

void TvlPDDictionary::SetValue(AnsiString Key, TvlPDObjectPtr Value) {
  RemoveKey(Key);
  AddValue(std::move(Key), std::move(Value));
}

void TvlPDDictionary::RemoveKey(std::string_view Key) {
  int i = Find(Key);
  if (i < 0) return;
  FData.Entries.erase(FData.Entries.begin() + i);
  Modified = true;
}

bool TvlPDDictionary::HasType(std::string_view S) const {
  TvlPDBaseObject* t = Get("Type");
  return t && t->NameEquals(S);
}

TvlPDDictionary* TvlPDDictionary::GetDictionary(std::string_view Key) const {
  TvlPDBaseObject* v = Get(Key);
  return v ? v->AsDictionary() : nullptr;
}
TvlPDArray* TvlPDDictionary::GetArray(std::string_view Key) const {
  TvlPDBaseObject* v = Get(Key);
  return v ? v->AsArray() : nullptr;
}
TvlPDStream* TvlPDDictionary::GetStream(std::string_view Key) const {
  TvlPDBaseObject* v = Get(Key);
  return v ? v->AsStream() : nullptr;
}
int32_t TvlPDDictionary::GetInteger(std::string_view Key, int32_t Default) const {
  TvlPDBaseObject* v = Get(Key);
  return v ? v->IntegerValue(Default) : Default;
}
double TvlPDDictionary::GetNumber(std::string_view Key, double Default) const {
  TvlPDBaseObject* v = Get(Key);
  return v ? v->NumberValue(Default) : Default;
}
bool TvlPDDictionary::GetBoolean(std::string_view Key, bool Default) const {
  TvlPDBaseObject* v = Get(Key);
  return v && v->IsBoolean() ? static_cast<TvlPDBoolean*>(v)->Value : Default;
}
AnsiString TvlPDDictionary::GetName(std::string_view Key) const {
  TvlPDBaseObject* v = Get(Key);
  return v && v->IsName() ? static_cast<TvlPDName*>(v)->Value : AnsiString();
}

std::unique_ptr<TvlPDDictionary> TvlPDDictionary::CloneDictionary() const {
  auto d = std::make_unique<TvlPDDictionary>(FData.Doc, ObjectNumber, GenerationNumber);
  d->FData.Entries.reserve(FData.Entries.size());
  for (const auto& [key, value] : FData.Entries)
    d->FData.Entries.emplace_back(key, value->Clone());
  d->FData.Sorted = false;
  d->SortEntries();
  return d;
}

TvlPDObjectPtr TvlPDDictionary::Clone() const { return CloneDictionary(); }

void TvlPDDictionary::CopyFrom(const TvlPDBaseObject& Source) {
  TvlPDBaseObject::CopyFrom(Source);
  const TvlPDDictionary* src = Source.AsDictionary();
  if (!src) return;
  TvlDict data;
  data.Doc = src->FData.Doc;
  for (const auto& [key, value] : src->FData.Entries)
    if (auto copy = DeepCopy(*value)) data.Entries.emplace_back(key, std::move(copy));
  data.Sorted = false;
  FData = std::move(data);
}

void TvlPDDictionary::WriteValue(AnsiString& Out) const {
  Out += "<<";
  for (const auto& [key, value] : FData.Entries) {
    AppendName(Out, key);
    Out += ' ';
    value->AppendPDF(Out);
    Out += ' ';
  }
  Out += ">>";
}

// ---- streams ----

TvlPDStream::TvlPDStream(std::shared_ptr<TvlStream> Data,
                         std::unique_ptr<TvlPDDictionary> Dictionary, int32_t ObjNum,
                         int32_t GenNum)
    : TvlPDBaseObject(okStream, ObjNum, GenNum),
      FData(std::move(Data)),
      FDictionary(Dictionary ? std::move(Dictionary) : std::make_unique<TvlPDDictionary>()) {}

TvlPDStream::~TvlPDStream() = default;

void TvlPDStream::Reset() {
  if (!FData) throw ExInvalidStream();
  try {
    FData->Reset();
  } catch (const EKestrin&) {
    throw ExInvalidStream();
  }
}

AnsiString TvlPDStream::ReadAll(size_t Limit) {
  AnsiString out;
  if (!FData) return out;
  Reset();
  FData->ReadString(out, Limit);
  FData->Finish();
  return out;
}

TvlPDObjectPtr TvlPDStream::Clone() const {
  return std::make_unique<TvlPDStream>(FData, FDictionary->CloneDictionary(), ObjectNumber,
                                       GenerationNumber);
}

void TvlPDStream::CopyFrom(const TvlPDBaseObject& Source) {
  TvlPDBaseObject::CopyFrom(Source);
  const TvlPDStream* src = Source.AsStream();
  if (!src) return;
  FData = src->FData;
  FDictionary = src->FDictionary->CloneDictionary();
}

void TvlPDStream::WriteValue(AnsiString& Out) const {
  // The dictionary and the data as decoded; /Length describes the data here.
  AnsiString data;
  if (FData) {
    FData->Reset();
    FData->ReadString(data, SIZE_MAX);
    FData->Finish();
  }
  auto dict = FDictionary->CloneDictionary();
  dict->RemoveKey("Filter");
  dict->RemoveKey("DecodeParms");
  dict->SetValue("Length", std::make_unique<TvlPDInteger>(static_cast<int32_t>(data.size())));
  dict->AppendPDF(Out);
  Out += "\r\nstream\r\n";
  Out += data;
  Out += "\r\nendstream";
}

// ---- collection ----

TvlPDBaseObject* TvlPDCollection::Add(TvlPDObjectPtr Object) {
  if (!Object) throw ExInvalidObject();
  TvlPDBaseObject* raw = Object.get();
  FObjects[Object->ObjectNumber] = std::move(Object);
  return raw;
}

TvlPDBaseObject* TvlPDCollection::Get(int32_t Number) const {
  auto it = FObjects.find(Number);
  return it == FObjects.end() ? nullptr : it->second.get();
}

void TvlPDCollection::Clear() { FObjects.clear(); }
size_t TvlPDCollection::Size() const { return FObjects.size(); }
