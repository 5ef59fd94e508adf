// Opens a platform stream as a PDF: the file window and the cross-reference.
#pragma once

#include <memory>

#include "pdf/core/FileStream.h"
#include "pdf/core/PDXRef.h"

class TvlPDReader {
public:
  // Reads the cross-reference chain of Source (not owned); raises what
  // TvlPDXRef::Load raises.
  TvlPDReader(TvlPlatformStream& Source, TvlPDObjectResolver* Doc);
  TvlPDReader(const TvlPDReader&) = delete;
  TvlPDReader& operator=(const TvlPDReader&) = delete;

  // A copy of the newest trailer.
  std::unique_ptr<TvlPDDictionary> Trailer() const;
  // The object, or nothing when it cannot be loaded (caller owns).
  TvlPDObjectPtr Fetch(int32_t Number);
  TvlPDXRef& XRef() { return *FXRef; }
  const TvlPDXRef& XRef() const { return *FXRef; }

private:
  std::unique_ptr<TvlFileStream> FStream;
  std::unique_ptr<TvlPDXRef> FXRef;
};
