// Font dictionaries for tests, written as PDF object text:
//
//   FontFixture fx;
//   fx.Stream(5, "/Subtype /Type1C", "program bytes");
//   TvlPDDictionary* font = fx.Dict("<< /Subtype /Type1 /BaseFont /Helvetica "
//                                   "/FontDescriptor << /FontFile3 5 0 R >> >>");
//
// Numbered objects are owned by the fixture and resolved through it.
#pragma once

#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/FileStream.h"
#include "pdf/core/PDBaseObject.h"

namespace vltest {

class FontFixture : public TvlPDObjectResolver {
public:
  TvlPDBaseObject* FetchObject(int32_t Number) override {
    auto it = FObjects.find(Number);
    return it == FObjects.end() ? nullptr : it->second.get();
  }

  // Object Num with the value Text.
  TvlPDBaseObject* Object(int Num, std::string_view Text) {
    auto obj = Parse(Text);
    obj->ObjectNumber = Num;
    obj->GenerationNumber = 0;
    return (FObjects[Num] = std::move(obj)).get();
  }

  // Stream Num with dictionary entries DictEntries and (decoded) Data.
  TvlPDStream* Stream(int Num, std::string_view DictEntries, std::string Data) {
    auto dict = Parse("<< " + std::string(DictEntries) + " >>");
    std::unique_ptr<TvlPDDictionary> d(static_cast<TvlPDDictionary*>(dict.release()));
    auto& mem = FMemory.emplace_back(std::make_unique<TvlPlatformMemory>(std::move(Data)));
    auto data = std::make_shared<TvlFileStream>(*mem, true, mem->Size(), 0);
    auto s = std::make_unique<TvlPDStream>(data, std::move(d), Num, 0);
    TvlPDStream* raw = s.get();
    FObjects[Num] = std::move(s);
    return raw;
  }

  // A direct dictionary owned by the fixture.
  TvlPDDictionary* Dict(std::string_view Text) {
    FDirect.push_back(Parse(Text));
    return FDirect.back()->AsDictionary();
  }

  TvlPDObjectPtr Parse(std::string_view Text) {
    FText = Text;
    FPos = 0;
    return Value();
  }

private:
  void SkipWhite() {
    while (FPos < FText.size() && std::isspace(static_cast<unsigned char>(FText[FPos]))) ++FPos;
  }
  bool Regular(char c) const {
    return !std::isspace(static_cast<unsigned char>(c)) && std::string_view("()<>[]{}/%").find(c) == std::string_view::npos;
  }
  std::string Word() {
    std::size_t start = FPos;
    while (FPos < FText.size() && Regular(FText[FPos])) ++FPos;
    return std::string(FText.substr(start, FPos - start));
  }

  TvlPDObjectPtr Value() {
    SkipWhite();
    if (FText.compare(FPos, 2, "<<") == 0) {
      FPos += 2;
      auto d = std::make_unique<TvlPDDictionary>(this);
      for (;;) {
        SkipWhite();
        if (FPos >= FText.size() || FText.compare(FPos, 2, ">>") == 0) {
          FPos += 2;
          return d;
        }
        ++FPos;  // the key's "/"
        std::string key = Word();
        d->AddValue(key, Value());
      }
    }
    char c = FText[FPos];
    if (c == '[') {
      ++FPos;
      auto a = std::make_unique<TvlPDArray>(this);
      for (;;) {
        SkipWhite();
        if (FPos >= FText.size() || FText[FPos] == ']') {
          ++FPos;
          return a;
        }
        a->Add(Value());
      }
    }
    if (c == '/') {
      ++FPos;
      return std::make_unique<TvlPDName>(Word());
    }
    if (c == '(') {
      std::size_t end = FText.find(')', FPos);
      std::string s(FText.substr(FPos + 1, end - FPos - 1));
      FPos = end + 1;
      return std::make_unique<TvlPDString>(s);
    }
    std::string w = Word();
    if (w == "true" || w == "false") return std::make_unique<TvlPDBoolean>(w == "true");
    if (w == "null") return std::make_unique<TvlPDNull>();
    if (w.find('.') != std::string::npos) return std::make_unique<TvlPDReal>(std::strtold(w.c_str(), nullptr));
    // "N G R" is a reference.
    std::size_t save = FPos;
    SkipWhite();
    std::string gen = Word();
    SkipWhite();
    if (!gen.empty() && FPos < FText.size() && FText[FPos] == 'R') {
      ++FPos;
      return std::make_unique<TvlPDIndirectRef>(std::atoi(w.c_str()), std::atoi(gen.c_str()));
    }
    FPos = save;
    return std::make_unique<TvlPDInteger>(std::atoi(w.c_str()));
  }

  std::string_view FText;
  std::size_t FPos = 0;
  std::map<int, TvlPDObjectPtr> FObjects;
  std::vector<TvlPDObjectPtr> FDirect;
  std::vector<std::unique_ptr<TvlPlatformMemory>> FMemory;
};

}  // namespace vltest
