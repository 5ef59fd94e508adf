#include "pdf/core/PDBaseObject.h"

#include <gtest/gtest.h>

#include <map>

#include "pdf/core/BaseStream.h"
#include "pdf/core/FileStream.h"
#include "pdf/core/PDModelException.h"

namespace {

// Resolves references from a map, the way the document's cache does.
class MapResolver : public TvlPDObjectResolver {
public:
  std::map<int32_t, TvlPDObjectPtr> Objects;
  TvlPDBaseObject* FetchObject(int32_t Number) override {
    auto it = Objects.find(Number);
    return it == Objects.end() ? nullptr : it->second.get();
  }
};

TvlPDObjectPtr Int(int v) { return std::make_unique<TvlPDInteger>(v); }

TEST(PDNameTest, DecodesEscapes) {
  struct Case {
    const char* Text;
    const char* Decoded;
  } cases[] = {
      {"A#20B", "A B"},
      {"A#41B", "AAB"},  // every code is the byte it names
      {"AB#4", "AB4"},   // too short: the "#" goes
      {"AB#", "AB"},
      {"#2341", "#41"},  // a decoded "#" is not decoded again
      {"Plain", "Plain"},
      {"a#2Fb#28", "a/b("},
  };
  for (const auto& c : cases) EXPECT_EQ(TvlPDName::DecodeName(c.Text), c.Decoded) << c.Text;
  EXPECT_THROW(TvlPDName::DecodeName("A#ZZ"), EConvertError);
  try {
    TvlPDName::DecodeName("A#G1");
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'$G1' is not a valid integer value");
  }
  TvlPDName n("Adobe#20Green");
  EXPECT_TRUE(n.NameEquals("Adobe Green"));
  EXPECT_TRUE(n.NameEquals("Adobe#20Green"));
  EXPECT_FALSE(n.NameEquals("adobe green"));
}

TEST(PDDictionaryTest, KeyOrderSortsOnFirstLookup) {
  TvlPDDictionary d;
  d.AddValue("B", Int(2));
  d.AddValue("A", Int(1));
  EXPECT_EQ(d.KeyAt(0), "B");
  EXPECT_EQ(d.GetInteger("A"), 1);
  EXPECT_EQ(d.KeyAt(0), "A");
  EXPECT_EQ(d.KeyAt(1), "B");
  EXPECT_EQ(d.KeyAt(2), "");
  EXPECT_EQ(d.ValueAt(-1), nullptr);
}

TEST(PDDictionaryTest, AddSetRemoveAndCopies) {
  TvlPDDictionary d;
  d.AddValue("K", Int(1));
  d.AddValue("K", Int(2));  // AddValue appends, never replaces
  EXPECT_EQ(d.Count(), 2);
  d.SetValue("K", Int(3));
  d.RemoveKey("K");
  d.SetValue("K", Int(4));
  EXPECT_EQ(d.Count(), 1);
  EXPECT_EQ(d.GetInteger("K"), 4);
  EXPECT_TRUE(d.Modified);

  TvlPDObjectPtr missing = d.GetCopy("Missing");
  ASSERT_TRUE(missing);
  EXPECT_TRUE(missing->IsNull());
  EXPECT_EQ(d.Get("Missing"), nullptr);
  EXPECT_EQ(d.GetInteger("Missing", 7), 7);

  auto clone = d.Clone();
  d.SetValue("K", Int(5));
  EXPECT_EQ(clone->AsDictionary()->GetInteger("K"), 4);  // deep copy
}

TEST(PDDictionaryTest, ResolvesReferencesThroughTheDocument) {
  MapResolver doc;
  doc.Objects[7] = std::make_unique<TvlPDName>("Page");
  TvlPDDictionary d(&doc);
  d.AddValue("Type", std::make_unique<TvlPDIndirectRef>(7, 0));
  d.AddValue("Gone", std::make_unique<TvlPDIndirectRef>(99, 0));
  EXPECT_TRUE(d.HasType("Page"));
  EXPECT_TRUE(d.GetDirect("Type")->IsIndirectRef());
  EXPECT_EQ(d.Get("Gone"), nullptr);
  EXPECT_EQ(d.GetName("Type"), "Page");

  TvlPDDictionary orphan;  // no document: references give nothing
  orphan.AddValue("R", std::make_unique<TvlPDIndirectRef>(7, 0));
  EXPECT_EQ(orphan.Get("R"), nullptr);
}

TEST(PDArrayTest, ClonesShareStorage) {
  MapResolver doc;
  doc.Objects[3] = std::make_unique<TvlPDReal>(2.5);
  TvlPDArray a(&doc);
  a.Add(Int(1));
  a.Add(std::make_unique<TvlPDIndirectRef>(3, 0));
  auto b = a.Clone();
  b->AsArray()->Add(Int(9));
  EXPECT_EQ(a.Count(), 3);
  EXPECT_EQ(a.Get(2)->IntegerValue(), 9);
  EXPECT_DOUBLE_EQ(a.GetNumber(1), 2.5);
  EXPECT_EQ(a.Get(3), nullptr);
  EXPECT_EQ(a.Get(-1), nullptr);
  EXPECT_TRUE(a.GetCopy(5)->IsNull());

  TvlPDArray deep;
  deep.CopyFrom(a);  // CopyFrom rebuilds the elements
  deep.Add(Int(10));
  EXPECT_EQ(a.Count(), 3);
  EXPECT_EQ(deep.Count(), 4);
}

TEST(PDBaseObjectTest, SerialisedForms) {
  TvlPDArray arr;
  arr.Add(Int(-3));
  arr.Add(std::make_unique<TvlPDBoolean>(true));
  arr.Add(std::make_unique<TvlPDNull>());
  arr.Add(std::make_unique<TvlPDIndirectRef>(12, 0));
  TvlPDDictionary dict;
  dict.AddValue("A B", std::make_unique<TvlPDName>("x/y"));
  dict.AddValue("S", std::make_unique<TvlPDString>("a(b)\\\n"));
  dict.AddValue("H", std::make_unique<TvlPDString>("4142", true));
  struct Case {
    AnsiString Got;
    const char* Want;
  } cases[] = {
      {TvlPDReal(0.5).ToPDF(), "0.5"},
      {TvlPDReal(1e-20L).ToPDF(), "1E-20"},
      {TvlPDReal(123456.25L).ToPDF(), "123456.25"},
      {TvlPDReal(1.0L / 3).ToPDF(), "0.333333333333333"},
      {arr.ToPDF(), "[ -3 true null 12 0 R ]"},
      {dict.ToPDF(), "<</A#20B /x#2Fy /S (a\\(b\\)\\\\\\n) /H <4142> >>"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Got, c.Want);
}

TEST(PDBaseObjectTest, KindsAndTypedViews) {
  std::vector<std::pair<TvlPDObjectPtr, TvlPDObjectKind>> objs;
  objs.emplace_back(std::make_unique<TvlPDBoolean>(false), okBoolean);
  objs.emplace_back(Int(1), okInteger);
  objs.emplace_back(std::make_unique<TvlPDReal>(1.5), okReal);
  objs.emplace_back(std::make_unique<TvlPDString>("s"), okString);
  objs.emplace_back(std::make_unique<TvlPDName>("n"), okName);
  objs.emplace_back(std::make_unique<TvlPDCommand>("Tj"), okCommand);
  objs.emplace_back(std::make_unique<TvlPDNull>(), okNull);
  objs.emplace_back(std::make_unique<TvlPDEOF>(), okEOF);
  objs.emplace_back(std::make_unique<TvlPDError>(), okError);
  objs.emplace_back(std::make_unique<TvlPDArray>(), okArray);
  objs.emplace_back(std::make_unique<TvlPDDictionary>(), okDictionary);
  objs.emplace_back(std::make_unique<TvlPDIndirectRef>(1, 0), okIndirectRef);
  objs.emplace_back(std::make_unique<TvlPDStream>(nullptr, nullptr), okStream);
  for (auto& [o, kind] : objs) {
    EXPECT_EQ(o->ObjectKind(), kind);
    auto c = o->Clone();
    EXPECT_EQ(c->ObjectKind(), kind);
    EXPECT_EQ(c->AsDictionary() != nullptr, kind == okDictionary);
  }
  EXPECT_TRUE(TvlPDCommand("Tj").CommandEquals("Tj"));
  EXPECT_FALSE(TvlPDCommand("Tj").CommandEquals("TJ"));
  EXPECT_DOUBLE_EQ(TvlPDReal(2.5).NumberValue(), 2.5);
  EXPECT_EQ(TvlPDReal(2.5).IntegerValue(-1), -1);
  EXPECT_EQ(TvlPDString("4", true).Bytes(), "\x40");
  EXPECT_EQ(TvlPDString("4142", true).Bytes(), "AB");
}

TEST(PDStreamTest, CloneSharesDataAndCopiesDictionary) {
  auto src = std::make_shared<TvlPlatformMemory>("0123456789");
  auto data = std::make_shared<TvlFileStream>(*src, true, 4, 3);
  auto dict = std::make_unique<TvlPDDictionary>();
  dict->AddValue("Length", Int(4));
  TvlPDStream s(data, std::move(dict));
  EXPECT_EQ(s.ReadAll(), "3456");
  auto c = s.Clone();
  EXPECT_EQ(c->AsStream()->Data(), s.Data());
  c->AsStream()->Dictionary()->SetValue("Length", Int(9));
  EXPECT_EQ(s.Dictionary()->GetInteger("Length"), 4);
  EXPECT_THROW(TvlPDStream(nullptr, nullptr).Reset(), ExInvalidStream);
}

TEST(PDCollectionTest, StoresByNumber) {
  TvlPDCollection c;
  auto o = Int(5);
  o->ObjectNumber = 2000000000;  // sparse numbers cost nothing
  c.Add(std::move(o));
  EXPECT_EQ(c.Get(2000000000)->IntegerValue(), 5);
  EXPECT_EQ(c.Get(1), nullptr);
  EXPECT_THROW(c.Add(nullptr), ExInvalidObject);
}

TEST(FileStreamTest, WindowsAndPositions) {
  AnsiString text = "line1\r\nline2\rline3\nrest";
  for (bool inMemory : {true, false}) {
    // The same reads through a memory source and a file source.
    std::unique_ptr<TvlPlatformStream> src;
    AnsiString path;
    if (inMemory) {
      src = std::make_unique<TvlPlatformMemory>(text);
    } else {
      path = testing::TempDir() + "vl_filestream.bin";
      FILE* f = fopen(path.c_str(), "wb");
      fwrite(text.data(), 1, text.size(), f);
      fclose(f);
      src = TvlPlatformFile::Open(path);
      ASSERT_TRUE(src);
    }
    TvlFileStream s(*src, false, 0, 0);
    AnsiString line;
    s.ReadLine(line, 100);
    EXPECT_EQ(line, "line1");
    s.ReadLine(line, 100);
    EXPECT_EQ(line, "line2");
    s.ReadLine(line, 100);
    EXPECT_EQ(line, "line3");
    EXPECT_EQ(s.GetPosition(), 19);
    EXPECT_EQ(s.GetSize(), static_cast<int64_t>(text.size()));
    auto sub = s.CreateSubStream(7, 5, true);
    AnsiString got;
    EXPECT_EQ(sub->ReadString(got, 100), 5u);
    EXPECT_EQ(got, "line2");
    EXPECT_EQ(sub->ReadByte(), -1);
    sub->Reset();
    EXPECT_EQ(sub->PeekByte(), 'l');
    sub->MoveStart(4);
    EXPECT_EQ(sub->ReadByte(), '2');
    EXPECT_EQ(sub->ReadByte(), -1);
    s.Seek(-4, 2);
    EXPECT_EQ(s.ReadByte(), 'r');
    s.Finish();
    EXPECT_EQ(s.ReadByte(), 'e');  // Finish keeps the position
    auto huge = s.CreateSubStream(19, INT64_MAX, true);  // a length past the end stops there
    EXPECT_EQ(huge->ReadString(got, 100), 4u);
    if (!path.empty()) remove(path.c_str());
  }
}

}  // namespace
