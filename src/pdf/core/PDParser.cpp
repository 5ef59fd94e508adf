#include "pdf/core/PDParser.h"

#include "pdf/core/PDModelException.h"
#include "pdf/filters/PDFilterManager.h"

TvlPDParser::TvlPDParser(TvlPDObjectResolver* Doc, bool AllowStreams_,
                         std::unique_ptr<TvlPDLexer> Lexer, TvlPDSecurity* Security)
    : AllowStreams(AllowStreams_), FDoc(Doc), FLexer(std::move(Lexer)), FSecurity(Security) {
  FLexer->GetStream()->Reset();
  FCurrent = FLexer->NextToken();
  FNext = FLexer->NextToken();
}

TvlPDParser::~TvlPDParser() = default;

void TvlPDParser::Advance() {
  if (InlineImageState == 0 && FNext && FNext->CommandEquals("ID")) {
    FLexer->ReadByte();  // the white space after ID
    InlineImageState = 1;
  } else if (InlineImageState == 1) {
    InlineImageState = 2;
  } else if (InlineImageState == 2) {
    InlineImageState = 0;
  }
  FCurrent = std::move(FNext);
  if (InlineImageState == 0)
    FNext = FLexer->NextToken();
  else
    FNext = std::make_unique<TvlPDNull>();
}

TvlPDObjectPtr TvlPDParser::ParseObject(const TvlPDObjectContext* Ctx) {
  if (InlineImageState == 2) {
    FCurrent = FLexer->NextToken();
    FNext = FLexer->NextToken();
    InlineImageState = 0;
  }
  return Parse(Ctx, 0);
}

TvlPDObjectPtr TvlPDParser::Parse(const TvlPDObjectContext* Ctx, int Depth) {
  TvlPDBaseObject* cur = FCurrent.get();
  if (cur->IsCommand()) {
    const AnsiString& kw = static_cast<TvlPDCommand*>(cur)->Value;
    if (kw == "[" || kw == "<<") {
      if (Depth >= kMaxNesting) {
        Advance();
        return std::make_unique<TvlPDError>();
      }
    }
    if (kw == "[") {
      Advance();
      auto arr = std::make_unique<TvlPDArray>(FDoc);
      while (!FCurrent->CommandEquals("]") && !FCurrent->IsEOF()) arr->Add(Parse(Ctx, Depth + 1));
      if (FCurrent->CommandEquals("]")) Advance();
      arr->Modified = false;
      return arr;
    }
    if (kw == "<<") {
      Advance();
      auto dict = std::make_unique<TvlPDDictionary>(FDoc);
      while (!FCurrent->CommandEquals(">>") && !FCurrent->IsEOF()) {
        if (!FCurrent->IsName()) {
          Advance();  // a key that is not a name is skipped
          continue;
        }
        AnsiString key = static_cast<TvlPDName*>(FCurrent.get())->Value;
        Advance();
        if (FCurrent->IsEOF() || FCurrent->IsError()) break;
        dict->AddValue(std::move(key), Parse(Ctx, Depth + 1));
      }
      dict->Modified = false;
      if (AllowStreams && FCurrent->CommandEquals(">>") && FNext && FNext->CommandEquals("stream"))
        return ReadStream(std::move(dict), Ctx);
      if (FCurrent->CommandEquals(">>")) Advance();
      return dict;
    }
  }
  if (cur->IsInteger()) {
    int32_t num = cur->IntegerValue();
    Advance();
    if (FCurrent->IsInteger() && FNext && FNext->CommandEquals("R")) {
      int32_t gen = FCurrent->IntegerValue();
      Advance();
      Advance();
      return std::make_unique<TvlPDIndirectRef>(num, gen);
    }
    return std::make_unique<TvlPDInteger>(num);
  }
  if (cur->IsString() && Ctx && FSecurity) {
    auto* s = static_cast<TvlPDString*>(cur);
    auto plain = std::make_unique<TvlPDString>(FSecurity->DecryptString(s->Bytes(), *Ctx));
    Advance();
    return plain;
  }
  TvlPDObjectPtr result = std::move(FCurrent);
  FCurrent = std::make_unique<TvlPDNull>();  // replaced by Advance
  Advance();
  return result;
}

TvlPDObjectPtr TvlPDParser::ReadStream(std::unique_ptr<TvlPDDictionary> Dict,
                                       const TvlPDObjectContext* Ctx) {
  // Current is ">>", next is "stream"; the lexer stands right after "stream".
  FLexer->SkipToEndOfLine();
  TvlStream* stream = FLexer->GetStream();
  auto* base = dynamic_cast<TvlBaseStream*>(stream);
  int64_t start = stream->GetPosition();
  TvlPDBaseObject* lengthObj = Dict->Get("Length");
  if (!base || !lengthObj || !lengthObj->IsInteger() || lengthObj->IntegerValue() < 0) {
    Advance();
    Advance();
    return std::make_unique<TvlPDError>();
  }
  int64_t length = lengthObj->IntegerValue();
  stream->Seek(start + length, 0);
  FCurrent = FLexer->NextToken();
  FNext = FLexer->NextToken();
  int64_t dataLength = length;
  if (FCurrent->CommandEquals("endstream"))
    Advance();
  else
    dataLength = length + kLengthSlack;
  std::unique_ptr<TvlStream> data = base->CreateSubStream(start, dataLength, true);
  if (Ctx && FSecurity) data = FSecurity->DecryptStream(std::move(data), *Dict, *Ctx);
  auto result = TvlPDFilterManager::CreateDecodedStream(std::move(Dict), std::move(data));
  if (!result) return std::make_unique<TvlPDError>();
  return result;
}
