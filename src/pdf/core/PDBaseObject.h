// In-memory PDF objects: values, containers, streams, references and the
// parser's tokens. Containers own what they hold; dictionaries and arrays
// resolve indirect references on lookup through their document's cache.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/vlBase.h"

class TvlStream;
class TvlPDBaseObject;
class TvlPDDictionary;
class TvlPDArray;
class TvlPDStream;
class TvlPDDocument;

using TvlPDObjectPtr = std::unique_ptr<TvlPDBaseObject>;

// How containers reach the objects their references name: the document's
// object cache implements it (the base document), tests can plug in their own.
class TvlPDObjectResolver {
public:
  virtual ~TvlPDObjectResolver() = default;
  // The object with this number, owned by the cache; nothing when it cannot
  // be loaded.
  virtual TvlPDBaseObject* FetchObject(int32_t Number) = 0;
};

// Kind codes, in the order of the type predicates.
enum TvlPDObjectKind : int {
  okBoolean = 0,
  okInteger = 1,
  okReal = 2,
  okString = 3,
  okName = 4,
  okCommand = 5,
  okNull = 6,
  okEOF = 7,
  okError = 8,
  okArray = 9,
  okDictionary = 10,
  okIndirectRef = 11,
  okStream = 12,
  okOther = 13,
};

class TvlPDBaseObject {
public:
  TvlPDBaseObject& operator=(const TvlPDBaseObject&) = delete;
  virtual ~TvlPDBaseObject() = default;

  // -1 for direct objects; for a reference, the number it names.
  int32_t ObjectNumber = -1;
  int32_t GenerationNumber = -1;
  bool Written = false;
  bool Modified = false;

  TvlPDObjectKind ObjectKind() const { return FKind; }
  bool IsBoolean() const { return FKind == okBoolean; }
  bool IsInteger() const { return FKind == okInteger; }
  bool IsReal() const { return FKind == okReal; }
  bool IsNumber() const { return FKind == okInteger || FKind == okReal; }
  bool IsString() const { return FKind == okString; }
  bool IsName() const { return FKind == okName; }
  bool IsNull() const { return FKind == okNull; }
  bool IsArray() const { return FKind == okArray; }
  bool IsDictionary() const { return FKind == okDictionary; }
  bool IsStream() const { return FKind == okStream; }
  bool IsIndirectRef() const { return FKind == okIndirectRef; }
  bool IsCommand() const { return FKind == okCommand; }
  bool IsError() const { return FKind == okError; }
  bool IsEOF() const { return FKind == okEOF; }

  // Names: S is decoded like a name and compared case-sensitively.
  virtual bool NameEquals(std::string_view S) const;
  // Commands: the keyword equals S.
  virtual bool CommandEquals(std::string_view S) const;
  // Dictionaries: /Type exists and names S.
  virtual bool HasType(std::string_view S) const;
  virtual TvlPDObjectPtr Clone() const = 0;
  // Copies the numbers; value classes copy the value, containers deep-copy.
  virtual void CopyFrom(const TvlPDBaseObject& Source);
  // Writes the PDF form; with OnlyModified, objects without Modified write
  // nothing. Returns the number of bytes written.
  size_t WriteTo(TvlStream& Stream, bool OnlyModified = false) const;
  // The PDF form of the value as text.
  AnsiString ToPDF() const;
  void AppendPDF(AnsiString& Out) const { WriteValue(Out); }

  // Typed views: the object itself when it has that kind, else nothing.
  TvlPDDictionary* AsDictionary();
  const TvlPDDictionary* AsDictionary() const;
  TvlPDArray* AsArray();
  const TvlPDArray* AsArray() const;
  TvlPDStream* AsStream();
  const TvlPDStream* AsStream() const;
  // An integer's or a real's value, else Default.
  double NumberValue(double Default = 0) const;
  // An integer's value, else Default.
  int32_t IntegerValue(int32_t Default = 0) const;
  // A name's or command's text, a string's bytes as stored, else empty.
  const AnsiString& TextValue() const;

protected:
  explicit TvlPDBaseObject(TvlPDObjectKind Kind, int32_t ObjNum = -1, int32_t GenNum = -1)
      : ObjectNumber(ObjNum), GenerationNumber(GenNum), FKind(Kind) {}
  TvlPDBaseObject(const TvlPDBaseObject&) = default;
  virtual void WriteValue(AnsiString& Out) const = 0;

private:
  TvlPDObjectKind FKind;
};

class TvlPDBoolean final : public TvlPDBaseObject {
public:
  explicit TvlPDBoolean(bool V, int32_t ObjNum = -1, int32_t GenNum = -1)
      : TvlPDBaseObject(okBoolean, ObjNum, GenNum), Value(V) {}
  bool Value;
  TvlPDObjectPtr Clone() const override;
  void CopyFrom(const TvlPDBaseObject& Source) override;

protected:
  void WriteValue(AnsiString& Out) const override;
};

class TvlPDInteger final : public TvlPDBaseObject {
public:
  explicit TvlPDInteger(int32_t V, int32_t ObjNum = -1, int32_t GenNum = -1)
      : TvlPDBaseObject(okInteger, ObjNum, GenNum), Value(V) {}
  int32_t Value;
  TvlPDObjectPtr Clone() const override;
  void CopyFrom(const TvlPDBaseObject& Source) override;

protected:
  void WriteValue(AnsiString& Out) const override;
};

class TvlPDReal final : public TvlPDBaseObject {
public:
  explicit TvlPDReal(long double V, int32_t ObjNum = -1, int32_t GenNum = -1)
      : TvlPDBaseObject(okReal, ObjNum, GenNum), Value(V) {}
  long double Value;
  TvlPDObjectPtr Clone() const override;
  void CopyFrom(const TvlPDBaseObject& Source) override;

protected:
  void WriteValue(AnsiString& Out) const override;
};

// A literal string holds its bytes after escape processing; a hex string
// holds the digit text as read (white space removed).
class TvlPDString final : public TvlPDBaseObject {
public:
  explicit TvlPDString(AnsiString V, bool Hex = false, int32_t ObjNum = -1, int32_t GenNum = -1)
      : TvlPDBaseObject(okString, ObjNum, GenNum), Value(std::move(V)), IsHex(Hex) {}
  AnsiString Value;
  bool IsHex;
  // The string's bytes: hex digits decoded two per byte (an odd last digit
  // is padded with 0, non-digits count as 0), literal bytes as they are.
  AnsiString Bytes() const;
  TvlPDObjectPtr Clone() const override;
  void CopyFrom(const TvlPDBaseObject& Source) override;

protected:
  void WriteValue(AnsiString& Out) const override;
};

class TvlPDName final : public TvlPDBaseObject {
public:
  // Text is decoded (#xx escapes), see DecodeName.
  explicit TvlPDName(std::string_view Text, int32_t ObjNum = -1, int32_t GenNum = -1);
  AnsiString Value;  // decoded, without the leading "/"
  // #xx becomes the byte xx; a "#" with fewer than two characters after it
  // is dropped; two characters that are not hex digits raise EConvertError.
  static AnsiString DecodeName(std::string_view Text);
  bool NameEquals(std::string_view S) const override;
  TvlPDObjectPtr Clone() const override;
  void CopyFrom(const TvlPDBaseObject& Source) override;

protected:
  void WriteValue(AnsiString& Out) const override;

private:
  struct Decoded {};
  TvlPDName(Decoded, AnsiString V) : TvlPDBaseObject(okName), Value(std::move(V)) {}
};

class TvlPDNull final : public TvlPDBaseObject {
public:
  explicit TvlPDNull(int32_t ObjNum = -1, int32_t GenNum = -1)
      : TvlPDBaseObject(okNull, ObjNum, GenNum) {}
  TvlPDObjectPtr Clone() const override;

protected:
  void WriteValue(AnsiString& Out) const override;
};

// A keyword: obj, endobj, stream, R, content operators, "[", "<<" ...
class TvlPDCommand final : public TvlPDBaseObject {
public:
  explicit TvlPDCommand(AnsiString V) : TvlPDBaseObject(okCommand), Value(std::move(V)) {}
  AnsiString Value;
  bool CommandEquals(std::string_view S) const override { return Value == S; }
  TvlPDObjectPtr Clone() const override;
  void CopyFrom(const TvlPDBaseObject& Source) override;

protected:
  void WriteValue(AnsiString& Out) const override;
};

class TvlPDEOF final : public TvlPDBaseObject {
public:
  TvlPDEOF() : TvlPDBaseObject(okEOF) {}
  TvlPDObjectPtr Clone() const override;

protected:
  void WriteValue(AnsiString&) const override {}
};

// A malformed token or an object that could not be read.
class TvlPDError final : public TvlPDBaseObject {
public:
  TvlPDError() : TvlPDBaseObject(okError) {}
  TvlPDObjectPtr Clone() const override;

protected:
  void WriteValue(AnsiString&) const override {}
};

class TvlPDIndirectRef final : public TvlPDBaseObject {
public:
  TvlPDIndirectRef(int32_t ObjNum, int32_t GenNum)
      : TvlPDBaseObject(okIndirectRef, ObjNum, GenNum) {}
  TvlPDObjectPtr Clone() const override;

protected:
  void WriteValue(AnsiString& Out) const override;
};

// Element storage of arrays, shared by an array and its clones.
struct TvlArray {
  TvlPDObjectResolver* Doc = nullptr;
  std::vector<TvlPDObjectPtr> Items;
};

class TvlPDArray final : public TvlPDBaseObject {
public:
  explicit TvlPDArray(TvlPDObjectResolver* Doc = nullptr, int32_t ObjNum = -1,
                      int32_t GenNum = -1);
  int Count() const { return static_cast<int>(FData->Items.size()); }
  // Element I with references resolved; nothing out of range.
  TvlPDBaseObject* Get(int I) const;
  TvlPDBaseObject* GetDirect(int I) const;
  // An owned clone of the resolved element, or a new null out of range.
  TvlPDObjectPtr GetCopy(int I) const;
  void Add(TvlPDObjectPtr Value);
  TvlPDObjectResolver* Document() const { return FData->Doc; }
  // Element I as a number (integer or real), else Default.
  double GetNumber(int I, double Default = 0) const;

  // Shares the element storage: changes through either array show in both.
  TvlPDObjectPtr Clone() const override;
  void CopyFrom(const TvlPDBaseObject& Source) override;

protected:
  void WriteValue(AnsiString& Out) const override;

private:
  std::shared_ptr<TvlArray> FData;
};

// Entry storage of dictionaries: pairs in insertion order until the first
// lookup sorts them by key.
struct TvlDict {
  TvlPDObjectResolver* Doc = nullptr;
  std::vector<std::pair<AnsiString, TvlPDObjectPtr>> Entries;
  bool Sorted = true;
};

class TvlPDDictionary final : public TvlPDBaseObject {
public:
  explicit TvlPDDictionary(TvlPDObjectResolver* Doc = nullptr, int32_t ObjNum = -1,
                           int32_t GenNum = -1);
  // The value with references resolved through the document; nothing when
  // the key is absent or the reference cannot be loaded. Not owned.
  TvlPDBaseObject* Get(std::string_view Key) const;
  TvlPDBaseObject* GetDirect(std::string_view Key) const;
  // An owned clone of the resolved value, or a new null when absent.
  TvlPDObjectPtr GetCopy(std::string_view Key) const;
  int Count() const { return static_cast<int>(FData.Entries.size()); }
  // Storage order; out of range gives an empty key / nothing.
  const AnsiString& KeyAt(int I) const;
  TvlPDBaseObject* ValueAt(int I) const;
  TvlPDBaseObject* DirectValueAt(int I) const;
  // Appends (never replaces) and takes ownership.
  void AddValue(AnsiString Key, TvlPDObjectPtr Value);
  void SetValue(AnsiString Key, TvlPDObjectPtr Value);
  void RemoveKey(std::string_view Key);
  bool HasType(std::string_view S) const override;
  TvlPDObjectResolver* Document() const { return FData.Doc; }
  void SetDocument(TvlPDObjectResolver* Doc) { FData.Doc = Doc; }

  // Typed lookups (resolved); the wrong kind counts as absent.
  TvlPDDictionary* GetDictionary(std::string_view Key) const;
  TvlPDArray* GetArray(std::string_view Key) const;
  TvlPDStream* GetStream(std::string_view Key) const;
  int32_t GetInteger(std::string_view Key, int32_t Default = 0) const;
  double GetNumber(std::string_view Key, double Default = 0) const;
  bool GetBoolean(std::string_view Key, bool Default = false) const;
  // A name's decoded text, or empty.
  AnsiString GetName(std::string_view Key) const;

  // A deep copy with a sorted key list.
  TvlPDObjectPtr Clone() const override;
  std::unique_ptr<TvlPDDictionary> CloneDictionary() const;
  void CopyFrom(const TvlPDBaseObject& Source) override;

protected:
  void WriteValue(AnsiString& Out) const override;

private:
  void SortEntries() const;
  int Find(std::string_view Key) const;
  mutable TvlDict FData;
};

// A stream object: its dictionary and its decoded data (shared with clones).
class TvlPDStream final : public TvlPDBaseObject {
public:
  TvlPDStream(std::shared_ptr<TvlStream> Data, std::unique_ptr<TvlPDDictionary> Dictionary,
              int32_t ObjNum = -1, int32_t GenNum = -1);
  ~TvlPDStream() override;
  TvlPDDictionary* Dictionary() const { return FDictionary.get(); }
  // The decoded data; call Reset before a pass and Finish after it.
  TvlStream* Data() const { return FData.get(); }
  const std::shared_ptr<TvlStream>& SharedData() const { return FData; }
  TvlPDObjectResolver* Document() const { return FDictionary->Document(); }
  // Resets the data; any failure is reported as ExInvalidStream.
  void Reset();
  // One pass over the decoded data (Reset, read up to Limit bytes, Finish).
  AnsiString ReadAll(size_t Limit = SIZE_MAX);

  TvlPDObjectPtr Clone() const override;
  void CopyFrom(const TvlPDBaseObject& Source) override;

protected:
  void WriteValue(AnsiString& Out) const override;

private:
  std::shared_ptr<TvlStream> FData;
  std::unique_ptr<TvlPDDictionary> FDictionary;
};

// Objects loaded from the file, by object number (owned).
class TvlPDCollection {
public:
  // Stores the object at its ObjectNumber, replacing what was there; an
  // absent object raises ExInvalidObject. Returns the stored object.
  TvlPDBaseObject* Add(TvlPDObjectPtr Object);
  TvlPDBaseObject* Get(int32_t Number) const;
  void Clear();
  size_t Size() const;

private:
  // Hashed: object numbers in a file can be sparse and huge.
  std::unordered_map<int32_t, TvlPDObjectPtr> FObjects;
};

// Base of the high-level wrappers (catalog, pages, resources, fonts ...).
// The dictionary belongs to the document's cache; nothing here is owned.
class TvlPDElement {
public:
  TvlPDElement(TvlPDBaseObject* Dictionary, TvlPDDocument* Document, TvlPDElement* Parent)
      : FDictionary(Dictionary), FDocument(Document), FParent(Parent) {}
  TvlPDElement(const TvlPDElement&) = delete;
  TvlPDElement& operator=(const TvlPDElement&) = delete;
  virtual ~TvlPDElement() = default;
  // Prepares the dictionary before the document is written.
  virtual void PrepareForWrite() {}

  TvlPDBaseObject* GetDictionary() const { return FDictionary; }
  TvlPDDocument* GetDocument() const { return FDocument; }
  TvlPDElement* GetParent() const { return FParent; }

protected:
  TvlPDBaseObject* FDictionary;
  TvlPDDocument* FDocument;
  TvlPDElement* FParent;
  uint8_t FFlags = 0;
};
