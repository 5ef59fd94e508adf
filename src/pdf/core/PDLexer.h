// Cuts a byte stream into PDF tokens. Never raises on malformed input
// (except a bad name escape, which raises EConvertError): bad bytes become
// TvlPDError tokens, unterminated strings end at the end of input.
#pragma once

#include <memory>

#include "pdf/core/BaseStream.h"
#include "pdf/core/PDBaseObject.h"

class TvlPDLexer {
public:
  TvlPDLexer(TvlStream* Stream, bool OwnsStream);
  TvlPDLexer(const TvlPDLexer&) = delete;
  TvlPDLexer& operator=(const TvlPDLexer&) = delete;
  ~TvlPDLexer();

  // The next token (caller owns); TvlPDEOF at the end of input.
  TvlPDObjectPtr NextToken();

  TvlStream* GetStream() const { return FStream; }
  int PeekByte() { return FStream->PeekByte(); }
  int ReadByte() { return FStream->ReadByte(); }
  int64_t GetPosition() { return FStream->GetPosition(); }
  // Skips up to and including LF, or CR with an optional LF.
  void SkipToEndOfLine();

  // Names and keywords keep at most this many bytes; the rest is dropped.
  static constexpr size_t kMaxWord = 127;

  // Character classes: 0 regular, 1 white space, 2 delimiter.
  static const uint8_t kCharClass[256];
  static bool IsWhite(int C) { return C >= 0 && kCharClass[C] == 1; }
  static bool IsDelimiter(int C) { return C >= 0 && kCharClass[C] == 2; }
  static bool IsRegular(int C) { return C >= 0 && kCharClass[C] == 0; }

private:
  TvlPDObjectPtr ReadNumber(int First);
  TvlPDObjectPtr ReadLiteralString();
  TvlPDObjectPtr ReadHexString();
  // Regular bytes after First (when First >= 0) into the scratch buffer.
  size_t ReadWord(int First);

  TvlStream* FStream;
  bool FOwnsStream;
  char FScratch[kMaxWord + 1];
};
