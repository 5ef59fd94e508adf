// Builds objects from tokens with a look-ahead of two: arrays, dictionaries,
// indirect references, stream objects, and the inline-image hand-off.
#pragma once

#include <memory>

#include "pdf/core/PDBaseObject.h"
#include "pdf/core/PDLexer.h"

// The object being parsed, for decryption of its strings and stream data.
struct TvlPDObjectContext {
  int32_t ObjectNumber;
  int32_t GenerationNumber;
};

// Decryption of an encrypted document's strings and streams; the document
// plugs one into the parsers that read its objects.
class TvlPDSecurity {
public:
  virtual ~TvlPDSecurity() = default;
  virtual AnsiString DecryptString(const AnsiString& Bytes, const TvlPDObjectContext& Ctx) = 0;
  // Dict is the stream's dictionary (some streams stay unencrypted).
  virtual std::unique_ptr<TvlStream> DecryptStream(std::unique_ptr<TvlStream> Data,
                                                   const TvlPDDictionary& Dict,
                                                   const TvlPDObjectContext& Ctx) = 0;
};

class TvlPDParser {
public:
  // Doc resolves references (a stream's indirect /Length) and becomes the
  // document of the arrays and dictionaries made; may be nothing. Takes the
  // lexer, resets its stream and reads the first two tokens.
  TvlPDParser(TvlPDObjectResolver* Doc, bool AllowStreams, std::unique_ptr<TvlPDLexer> Lexer,
              TvlPDSecurity* Security = nullptr);
  TvlPDParser(const TvlPDParser&) = delete;
  TvlPDParser& operator=(const TvlPDParser&) = delete;
  ~TvlPDParser();

  // A new object from the current token on (caller owns); the token after
  // it becomes current. With Ctx and a security handler, strings and stream
  // data are decrypted for that object.
  TvlPDObjectPtr ParseObject(const TvlPDObjectContext* Ctx = nullptr);
  // Moves to the next token. After the command ID the lexer's stream is left
  // just past the one white-space byte after it: the caller reads the inline
  // image data from GetLexer()->GetStream() itself, calls Advance once to
  // step over ID, and the next ParseObject tokenizes afresh from wherever the
  // caller left the stream.
  void Advance();
  TvlPDBaseObject* Current() const { return FCurrent.get(); }
  TvlPDBaseObject* Next() const { return FNext.get(); }
  TvlPDLexer* GetLexer() const { return FLexer.get(); }
  TvlPDObjectResolver* GetDocument() const { return FDoc; }

  int InlineImageState = 0;
  bool AllowStreams;

  // Deeper nesting of arrays and dictionaries gives an error object instead
  // of exhausting the stack.
  static constexpr int kMaxNesting = 256;
  // A /Length that misses "endstream" gets this much more data, so filters
  // that find their own end still see it.
  static constexpr int64_t kLengthSlack = 5000;

private:
  TvlPDObjectPtr Parse(const TvlPDObjectContext* Ctx, int Depth);
  TvlPDObjectPtr ReadStream(std::unique_ptr<TvlPDDictionary> Dict, const TvlPDObjectContext* Ctx);

  TvlPDObjectResolver* FDoc;
  std::unique_ptr<TvlPDLexer> FLexer;
  TvlPDObjectPtr FCurrent;
  TvlPDObjectPtr FNext;
  TvlPDSecurity* FSecurity;
};
